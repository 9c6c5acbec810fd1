// Damaged and hostile files: FIFOs and devices in a file's place, appends that fail part way,
// files far larger than any sound one, files ending in a piece of a record.
#include "store/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include "store/line_file.h"
#include "store/price_series.h"
#include "store/stock_name_table.h"
#include "support/test_support.h"

namespace korvale {
namespace {

// Aborts the test program when a reader blocks, instead of hanging the suite.
class Watchdog {
 public:
  explicit Watchdog(unsigned seconds) { ::alarm(seconds); }
  ~Watchdog() { ::alarm(0); }
};

void MakeSparseFile(const std::string& path, int64_t size) {
  testing::WriteBytes(path, {});
  ASSERT_EQ(::truncate(path.c_str(), size), 0);
}

TEST(FileIoTest, EveryReaderRefusesAFifoOrADeviceWithoutBlocking) {
  testing::TempDir dir;
  const std::string fifo = dir.File("KD1771.KDT");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  // Each reader, given a FIFO (nothing ever writes into it) and /dev/zero (which never ends).
  const std::vector<std::pair<const char*, std::function<bool(const std::string&)>>> readers = {
      {"ReadWholeFile",
       [](const std::string& p) {
         std::vector<uint8_t> data;
         return ReadWholeFile(p, &data);
       }},
      {"CLineFile", [](const std::string& p) { return CLineFile().Open(p); }},
      {"price load",
       [](const std::string& p) {
         CPriceSeries s;
         return s.LoadAll(p) || !s.priceFileRefused();
       }},
      {"trend lines",
       [](const std::string& p) {
         CPriceSeries s;
         s.SetLinePath(p);
         s.LoadLines();
         return s.readProblems().empty();
       }},
      {"append", [](const std::string& p) { return AppendToFile(p, "x", 1); }},
  };
  Watchdog watchdog(30);
  for (const auto& [name, read] : readers) {
    EXPECT_FALSE(read(fifo)) << name;
    EXPECT_FALSE(read("/dev/zero")) << name;
  }
  // The dictionary in a FIFO's place: every stock unlisted, and the FIFO is not replaced.
  ASSERT_EQ(::mkfifo(dir.File("KorvaleEx.DIC").c_str(), 0644), 0);
  CStockNameTable names;
  EXPECT_TRUE(names.Load(dir.path()));
  struct stat st;
  ASSERT_EQ(::stat(dir.File("KorvaleEx.DIC").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(FileIoTest, AnAppendThatFailsPartWayIsCutBackToTheOldLength) {
  testing::TempDir dir;
  const std::string path = dir.File("KD1771.KDT");
  // 157 records end 14 bytes short of a size limit, as a disk that fills up would leave them.
  testing::WriteBytes(path, std::vector<uint8_t>(157 * kPriceFileRecordSize, 1));
  const uint8_t record[kPriceFileRecordSize] = {};
  std::string error;
  {
    testing::FileSizeLimit fullDisk(4096);
    EXPECT_FALSE(AppendToFile(path, record, sizeof record, &error));
  }
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_EQ(FileSize(path), 157 * static_cast<int64_t>(kPriceFileRecordSize));
  // The next append lands on a record boundary.
  ASSERT_TRUE(AppendToFile(path, record, sizeof record));
  EXPECT_EQ(FileSize(path), 158 * static_cast<int64_t>(kPriceFileRecordSize));
}

TEST(FileIoTest, RecordsAppendedToATornFileStartOnARecordBoundary) {
  testing::TempDir dir;
  const std::string path = dir.File("KD3207.KDT");
  std::vector<uint8_t> torn(3 * kPriceFileRecordSize + 13, 7);
  testing::WriteBytes(path, torn);
  uint8_t record[kPriceFileRecordSize];
  for (size_t i = 0; i < sizeof record; ++i) record[i] = static_cast<uint8_t>(i);
  int64_t cut = -1;
  ASSERT_TRUE(AppendRecords(path, record, sizeof record, kPriceFileRecordSize, nullptr, &cut));
  EXPECT_EQ(cut, 13);
  const std::vector<uint8_t> after = testing::ReadBytes(path);
  ASSERT_EQ(after.size(), 4 * kPriceFileRecordSize);
  EXPECT_TRUE(std::equal(record, record + sizeof record, after.end() - kPriceFileRecordSize));
  EXPECT_TRUE(std::equal(torn.begin(), torn.begin() + 3 * kPriceFileRecordSize, after.begin()));
}

TEST(FileIoTest, FilesBeyondTheirBoundAreRefusedNamingTheFile) {
  testing::TempDir dir;
  const std::string price = dir.File("KD1771.KDT");
  MakeSparseFile(price, (kMaxPriceFileRecords + 1) * kPriceFileRecordSize);
  CPriceSeries s;
  EXPECT_FALSE(s.LoadAll(price));
  EXPECT_FALSE(s.LoadTail(price));
  EXPECT_TRUE(s.priceFileRefused());
  ASSERT_EQ(s.readProblems().size(), 1u);
  EXPECT_NE(s.readProblems()[0].find(price), std::string::npos);
  EXPECT_EQ(s.barCount(), 0);

  // Trend lines: none are loaded, and lines drawn since never replace the file.
  const std::string lines = dir.File("LN1771.DAT");
  const int64_t size = (kMaxTrendLineFileRecords + 1) * kTrendLineFileRecordSize;
  MakeSparseFile(lines, size);
  s.bars = testing::WeekdayBars(2006, 1, 9, {10, 11, 12});
  s.SetLinePath(lines);
  s.LoadLines();
  EXPECT_EQ(s.lineCount(), 0);
  ASSERT_EQ(s.readProblems().size(), 2u);
  EXPECT_NE(s.readProblems()[1].find(lines), std::string::npos);
  EXPECT_TRUE(s.SaveLines());  // nothing drawn: nothing to refuse
  s.lines.push_back(TrendLine{0, 10, 2, 12, 1});
  std::string error;
  EXPECT_FALSE(s.SaveLines(&error));
  EXPECT_NE(error.find(lines), std::string::npos);
  EXPECT_EQ(FileSize(lines), size);
}

TEST(FileIoTest, AFileEndingInAPieceOfARecordIsReadToItsLastWholeRecordAndReported) {
  testing::TempDir dir;
  const std::string path = dir.File("KD1771.KDT");
  std::vector<uint8_t> bytes = testing::PriceFileBytes(
      {testing::FlatBar(2006, 1, 5, 100), testing::FlatBar(2006, 1, 6, 101)});
  bytes.resize(bytes.size() + 14, 7);
  testing::WriteBytes(path, bytes);
  CPriceSeries s;
  ASSERT_TRUE(s.LoadAll(path));
  EXPECT_EQ(s.barCount(), 2);
  EXPECT_FALSE(s.priceFileRefused());
  ASSERT_EQ(s.readProblems().size(), 1u);
  EXPECT_NE(s.readProblems()[0].find(path), std::string::npos);
  EXPECT_NE(s.readProblems()[0].find("14 bytes"), std::string::npos);
}

}  // namespace
}  // namespace korvale
