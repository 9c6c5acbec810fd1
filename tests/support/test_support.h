// Helpers shared by the test suites: temporary data roots and quick file builders.
#ifndef KORVALE_TESTS_SUPPORT_TEST_SUPPORT_H_
#define KORVALE_TESTS_SUPPORT_TEST_SUPPORT_H_

#include <cstdint>
#include <string>
#include <vector>

#include "store/price_records.h"

namespace korvale::testing {

// A fresh folder below the system's temporary folder, removed with everything in it when the
// object goes out of scope.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

PriceBar Bar(int year, int month, int day, int32_t open, int32_t high, int32_t low, int32_t close,
             int32_t volume);
// A bar whose four prices equal `close`.
PriceBar FlatBar(int year, int month, int day, int32_t close, int32_t volume = 1000);

// The bytes of a price file holding the bars in order.
std::vector<uint8_t> PriceFileBytes(const std::vector<PriceBar>& bars);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
void WriteText(const std::string& path, const std::string& text);
std::vector<uint8_t> ReadBytes(const std::string& path);
void WritePriceFile(const std::string& path, const std::vector<PriceBar>& bars);

// Consecutive weekdays from the date, closes from `closes`, each bar flat at its close.
std::vector<PriceBar> WeekdayBars(int year, int month, int day, const std::vector<int32_t>& closes);

// Limits the size of every file this process writes to `bytes` while it lives, as a full disk
// would (a write past the limit stops short, then fails), and ignores the signal the limit
// raises.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(int64_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  uint64_t oldLimit_ = 0;
  void (*oldHandler_)(int) = nullptr;
};

// Runs a command line, returning its exit status; stdout (and stderr when asked) into `out`.
int RunCommand(const std::string& command, std::string* out, bool withStderr = false);

}  // namespace korvale::testing

#endif  // KORVALE_TESTS_SUPPORT_TEST_SUPPORT_H_
