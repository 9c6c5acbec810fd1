#include "support/acquisition_fixtures.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "store/cp932.h"
#include "support/test_support.h"

namespace korvale::testing {

SourceRead ReadThroughSource(CImportSource& source, const std::string& path) {
  SourceRead result;
  std::unique_ptr<CLineFile> file = OpenImportFile(source, path, &result.count);
  if (!file) return result;
  result.opened = true;
  for (int i = 0; i < result.count; ++i) {
    ImportRecord r;
    r.code = 0;
    ReadImportRecord(source, *file, &r);
    if (r.code != 0) result.records.push_back(r);
  }
  return result;
}

std::string CommaLine(int code, int market, const std::string& nameUtf8, int open, int high,
                      int low, int close, int volume) {
  return std::to_string(code) + "," + std::to_string(market) + "," + Utf8ToCp932(nameUtf8) + "," +
         std::to_string(open) + "," + std::to_string(high) + "," + std::to_string(low) + "," +
         std::to_string(close) + "," + std::to_string(volume);
}

std::vector<PriceBar> StoredBars(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadBytes(path);
  std::vector<PriceBar> bars;
  for (size_t i = 0; i + kPriceFileRecordSize <= bytes.size(); i += kPriceFileRecordSize) {
    bars.push_back(DecodeBar(bytes.data() + i));
  }
  return bars;
}

std::vector<MarginRecord> StoredMargins(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadBytes(path);
  std::vector<MarginRecord> records;
  for (size_t i = 0; i + kMarginRecordSize <= bytes.size(); i += kMarginRecordSize) {
    records.push_back(DecodeMarginRecord(bytes.data() + i));
  }
  return records;
}

std::vector<std::string> FileNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder, ec)) {
    if (e.is_regular_file()) names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

BatchStatus RunToEnd(CBatchJob* job) {
  BatchStatus status = job->Start();
  while (status == BatchStatus::kRunning) status = job->Step(kBatchItemsPerTick);
  job->Finish();
  return status;
}

std::string BlockPricePath(const std::string& root, int code) {
  char path[64];
  std::snprintf(path, sizeof path, "/Data/%04d/KD%04d.KDT", code / 1000 * 1000, code);
  return root + path;
}

}  // namespace korvale::testing
