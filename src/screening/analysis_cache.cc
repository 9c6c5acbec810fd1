// Reading and writing the cache file of the analysis store.
#include "screening/analysis_cache.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "store/file_io.h"

namespace korvale {

namespace {

constexpr size_t kChunkRecords = 64;

// Reads until `size` bytes arrived or the file ended; -1 on a read error.
ssize_t ReadFully(int fd, uint8_t* out, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, out + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

}  // namespace

std::string AnalysisCachePath(const std::string& dataRootDir) {
  return dataRootDir + "/analize.tmp";
}

int CAnalysisStore::LoadCache(const std::string& path, CacheLoadInfo* info) {
  recordCount = 0;
  CacheLoadInfo found;
  if (info) *info = found;
  int64_t fileBytes = 0;
  const int fd = OpenForReading(path, &fileBytes);
  if (fd < 0) return 0;
  found.fileBytes = fileBytes;
  found.fileRecords = (found.fileBytes + static_cast<int64_t>(kAnalysisRecordSize) - 1) /
                      static_cast<int64_t>(kAnalysisRecordSize);
  found.partialBlock = found.fileBytes % static_cast<int64_t>(kAnalysisRecordSize) != 0;

  // The file is read in small chunks straight into the slots, so an oversized or growing file
  // costs no more memory than a good one.
  uint8_t chunk[kChunkRecords * kAnalysisRecordSize];
  bool ok = true;
  while (recordCount < capacity) {
    // Never more than the free slots take, so nothing read is left over when they are full.
    const size_t wanted =
        std::min(sizeof chunk, static_cast<size_t>(capacity - recordCount) * kAnalysisRecordSize);
    const ssize_t got = ReadFully(fd, chunk, wanted);
    if (got < 0) {
      ok = false;
      break;
    }
    const size_t bytes = static_cast<size_t>(got);
    size_t used = 0;
    for (; used + kAnalysisRecordSize <= bytes; used += kAnalysisRecordSize) {
      records[static_cast<size_t>(recordCount++)] = DecodeAnalysisRecord(chunk + used);
    }
    if (bytes < wanted) {  // the end of the file
      if (used < bytes) {
        // A damaged last record: what is missing reads as a record of invalid values rather
        // than as whatever the slot held before.
        uint8_t block[kAnalysisRecordSize];
        EncodeAnalysisRecord(AnalysisRecord{}, block);
        std::memcpy(block, chunk + used, bytes - used);
        records[static_cast<size_t>(recordCount++)] = DecodeAnalysisRecord(block);
      }
      break;
    }
  }
  if (ok && recordCount == capacity) {
    // Whatever follows the last slot is left unread; one more byte tells whether there is any.
    uint8_t more;
    const ssize_t got = ReadFully(fd, &more, 1);
    if (got < 0) ok = false;
    found.cut = got > 0;
  }
  ::close(fd);
  if (!ok) {
    recordCount = 0;
    return 0;
  }
  if (info) *info = found;
  return 1;
}

int CAnalysisStore::SaveCache(const std::string& path, std::string* error) {
  const size_t count = static_cast<size_t>(std::max(recordCount, 0));
  cacheBytes_.Resize(count * kAnalysisRecordSize);
  for (size_t i = 0; i < count; ++i) {
    EncodeAnalysisRecord(records[i], cacheBytes_.data() + i * kAnalysisRecordSize);
  }
  return WriteFileAtomically(path, cacheBytes_.data(), count * kAnalysisRecordSize, error) ? 1 : 0;
}

bool LoadReusableCache(CAnalysisStore* store, const std::string& path,
                       const CStockDictionary& dictionary, CacheLoadInfo* info) {
  CacheLoadInfo found;
  const int loaded = store->LoadCache(path, &found);
  if (info) *info = found;
  return loaded == 1 && !found.cut && store->recordCount == dictionary.itemCount;
}

}  // namespace korvale
