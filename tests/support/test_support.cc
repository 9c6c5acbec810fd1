#include "support/test_support.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "store/week_of_year.h"

namespace korvale::testing {

TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "korvale-test-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  path_ = tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

PriceBar Bar(int year, int month, int day, int32_t open, int32_t high, int32_t low, int32_t close,
             int32_t volume) {
  PriceBar b;
  b.year = static_cast<int16_t>(year);
  b.month = static_cast<int8_t>(month);
  b.day = static_cast<int8_t>(day);
  b.open = open;
  b.high = high;
  b.low = low;
  b.close = close;
  b.volume = volume;
  return b;
}

PriceBar FlatBar(int year, int month, int day, int32_t close, int32_t volume) {
  return Bar(year, month, day, close, close, close, close, volume);
}

std::vector<uint8_t> PriceFileBytes(const std::vector<PriceBar>& bars) {
  std::vector<uint8_t> out(bars.size() * kPriceFileRecordSize);
  for (size_t i = 0; i < bars.size(); ++i) EncodeBar(bars[i], out.data() + i * kPriceFileRecordSize);
  return out;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + path);
}

void WriteText(const std::string& path, const std::string& text) {
  WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

void WritePriceFile(const std::string& path, const std::vector<PriceBar>& bars) {
  WriteBytes(path, PriceFileBytes(bars));
}

std::vector<PriceBar> WeekdayBars(int year, int month, int day,
                                  const std::vector<int32_t>& closes) {
  std::vector<PriceBar> bars;
  int y = year, m = month, d = day;
  for (int32_t close : closes) {
    int weekday = 0;
    for (;;) {
      WeekOfYear(y, m, d, &weekday);
      if (weekday != 0 && weekday != 6) break;
      if (++d > DaysInMonth(y, m)) {
        d = 1;
        if (++m > 12) {
          m = 1;
          ++y;
        }
      }
    }
    bars.push_back(FlatBar(y, m, d, close));
    if (++d > DaysInMonth(y, m)) {
      d = 1;
      if (++m > 12) {
        m = 1;
        ++y;
      }
    }
  }
  return bars;
}

FileSizeLimit::FileSizeLimit(int64_t bytes) {
  struct rlimit limit;
  ::getrlimit(RLIMIT_FSIZE, &limit);
  oldLimit_ = limit.rlim_cur;
  oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
  limit.rlim_cur = static_cast<rlim_t>(bytes);
  if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("setrlimit failed");
}

FileSizeLimit::~FileSizeLimit() {
  struct rlimit limit;
  ::getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = static_cast<rlim_t>(oldLimit_);
  ::setrlimit(RLIMIT_FSIZE, &limit);
  ::signal(SIGXFSZ, oldHandler_);
}

int RunCommand(const std::string& command, std::string* out, bool withStderr) {
  std::string full = command + (withStderr ? " 2>&1" : " 2>/dev/null");
  FILE* p = popen(full.c_str(), "r");
  if (!p) return -1;
  char buf[4096];
  size_t n;
  if (out) out->clear();
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) {
    if (out) out->append(buf, n);
  }
  int status = pclose(p);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace korvale::testing
