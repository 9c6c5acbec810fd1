#include "fuzz/fuzz_support.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "charts/chart_kind.h"
#include "charts/recording_canvas.h"
#include "store/file_io.h"

namespace korvale::fuzzing {

std::string BytesAsFile(const uint8_t* data, size_t size) {
  static const int fd = ::memfd_create("korvale-fuzz", MFD_CLOEXEC);
  if (fd < 0) std::abort();
  if (::ftruncate(fd, 0) != 0) std::abort();
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pwrite(fd, data + done, size - done, static_cast<off_t>(done));
    if (n <= 0) std::abort();
    done += static_cast<size_t>(n);
  }
  return "/proc/self/fd/" + std::to_string(fd);
}

namespace {

struct Scratch {
  Scratch() {
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::exists("/dev/shm", ec)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path(ec);
    path = (base / ("korvale-fuzz-" + std::to_string(::getpid()))).string();
    std::filesystem::create_directories(path, ec);
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string path;
};

}  // namespace

const std::string& ScratchFolder() {
  static const Scratch scratch;
  return scratch.path;
}

void WriteFileBytes(const std::string& path, const uint8_t* data, size_t size) {
  if (!WriteFileAtomically(path, data, size)) std::abort();
}

std::vector<PriceBar> WalkBars(int count) {
  std::vector<PriceBar> bars;
  int year = 2000, month = 1, day = 3, weekday = 1;  // Monday 2000-01-03
  uint32_t state = 12345;
  int32_t close = 1000;
  static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  while (static_cast<int>(bars.size()) < count) {
    if (weekday >= 1 && weekday <= 5) {
      state = state * 1103515245u + 12345u;
      const int32_t open = close;
      close = std::max<int32_t>(10, close + static_cast<int32_t>(state >> 16) % 41 - 20);
      PriceBar b;
      b.year = static_cast<int16_t>(year);
      b.month = static_cast<int8_t>(month);
      b.day = static_cast<int8_t>(day);
      b.open = open;
      b.close = close;
      b.high = std::max(open, close) + 5;
      b.low = std::max(1, std::min(open, close) - 5);
      b.volume = 1000 + static_cast<int32_t>(state % 9000);
      bars.push_back(b);
    }
    weekday = (weekday + 1) % 7;
    if (++day > kDays[month - 1] - (month == 2 && year % 4 != 0 ? 1 : 0)) {
      day = 1;
      if (++month > 12) {
        month = 1;
        ++year;
      }
    }
  }
  return bars;
}

SettingsRecord EveryPaneSettings() {
  SettingsRecord s;
  ApplySettingsDefaults(&s, "/tmp");
  s.dailySpanDays = 120;
  s.dailyAutoPeriod = 0;
  s.dailyWeeklyBeforeSpan = 1;
  s.dailyShowDeviation = s.dailyShowOscillator = s.dailyShowPsychological = 1;
  s.dailyShowRci = s.dailyShowRsi = s.dailyShowVolumeRatio = s.dailyShowStochastics = 1;
  s.dailyShowMacd = s.dailyShowObv = s.dailyShowDmi = s.dailyShowCci = 1;
  s.useIndexAnalysis = s.dailyIndexAnalysis = s.weeklyIndexAnalysis = 1;
  s.weeklyShowDeviation = s.weeklyShowOscillator = s.weeklyShowMomentum = 1;
  s.weeklyShowMargin = s.weeklyShowStochastics = 1;
  s.dailyShowPriceVolumeHistogram = 1;
  s.dailyShowVolumeMa = s.weeklyShowVolumeMa = s.monthlyShowVolumeMa = 1;
  return s;
}

void DrawEveryKind(const SettingsRecord& settings, CPriceSeries* series,
                   const CPriceSeries* index) {
  for (const ChartKindEntry& entry : ChartKinds()) {
    CChartPainter painter(settings);
    painter.SetIndexSeries(index);
    entry.kind.Attach(painter, *series);
    entry.kind.SetClientSize(painter, 500, 300);
    RecordingCanvas canvas;
    entry.kind.Draw(painter, canvas);
    for (const int x : {-1, 0, 7, 400}) entry.kind.Readout(entry.kind.HitTest(painter, x, 20));
    painter.StoreTrendLines(*series);
  }
}

}  // namespace korvale::fuzzing
