#include "cli/trend_line_script.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "charts/chart_painter.h"
#include "store/stock_dictionary.h"
#include "store/stock_files.h"
#include "store/store_folders.h"
#include "store/string_printf.h"

namespace korvale::cli {

namespace {

// "Y/M/D[+N]:PRICE" at the start of `text`; `used` gets the characters it took.
bool ParsePoint(const char* text, int* year, int* month, int* day, int* beyond, int* price,
                int* used) {
  int n = 0;
  if (std::sscanf(text, "%4d/%2d/%2d%n", year, month, day, &n) != 3 || n == 0) return false;
  if (*month < 1 || *month > 12 || *day < 1 || *day > 31) return false;
  *beyond = 0;
  if (text[n] == '+') {
    int k = 0;
    if (std::sscanf(text + n, "+%6d%n", beyond, &k) != 1 || *beyond < 0) return false;
    n += k;
  }
  int k = 0;
  if (text[n] != ':' || std::sscanf(text + n, ":%9d%n", price, &k) != 1 || *price < 0) {
    return false;
  }
  *used = n + k;
  return true;
}

// The series index of a point: the bar of its date plus its bars beyond; -1 when the date is
// not a day of the file.
int IndexOf(const CPriceSeries& s, int year, int month, int day, int beyond) {
  for (int i = 0; i < s.barCount(); ++i) {
    const PriceBar& b = s.bars[i];
    if (b.year == year && b.month == month && b.day == day) return i + beyond;
  }
  return -1;
}

const char* KindName(int kind) {
  switch (kind) {
    case kLineResistance:
      return "resistance";
    case kLineSupport:
      return "support";
    default:
      return nullptr;
  }
}

// A point as the line file stores it: "Y/M/D" of its day and "+N" bars beyond the last one.
std::string PointText(int16_t year, int8_t month, int8_t day, int32_t beyond, int32_t price) {
  std::string text = StringPrintf("%d/%d/%d", year, month, day);
  if (beyond != 0) text += StringPrintf("+%d", beyond);
  return text + StringPrintf(":%d", price);
}

void PrintLines(const CPriceSeries& s, bool json) {
  // The records as written, read back: what the file holds is what is shown.
  CPriceSeries reread;
  reread.bars = s.bars;
  reread.SetLinePath(s.linePath);
  reread.LoadLines();
  std::vector<uint8_t> bytes;
  ReadWholeFile(s.linePath, &bytes);
  if (json) std::printf("{\"linePath\": %s, \"lines\": [", JsonQuote(s.linePath).c_str());
  const size_t count = bytes.size() / kTrendLineFileRecordSize;
  for (size_t i = 0; i < count; ++i) {
    const TrendLineFileRecord r =
        DecodeTrendLineFileRecord(bytes.data() + i * kTrendLineFileRecordSize);
    const bool unresolved = i < reread.lines.size() && reread.lines[i].unresolved;
    if (json) {
      std::printf(
          "%s\n  {\"year1\": %d, \"month1\": %d, \"day1\": %d, \"beyond1\": %d, \"price1\": %d, "
          "\"year2\": %d, \"month2\": %d, \"day2\": %d, \"beyond2\": %d, \"price2\": %d, "
          "\"kind\": %d, \"unresolved\": %s}",
          i ? "," : "", r.year1, r.month1, r.day1, r.beyond1, r.price1, r.year2, r.month2, r.day2,
          r.beyond2, r.price2, r.kind, unresolved ? "true" : "false");
      continue;
    }
    const char* name = KindName(r.kind);
    std::printf("%zu %s-%s %s%s\n", i,
                PointText(r.year1, r.month1, r.day1, r.beyond1, r.price1).c_str(),
                PointText(r.year2, r.month2, r.day2, r.beyond2, r.price2).c_str(),
                name ? name : StringPrintf("kind %d", r.kind).c_str(),
                unresolved ? " [not among the bars]" : "");
  }
  if (json) std::printf("\n]}\n");
}

}  // namespace

bool ParseLineToAdd(const std::string& text, LineToAdd* add) {
  LineToAdd s;
  int used = 0, used2 = 0;
  const char* p = text.c_str();
  if (!ParsePoint(p, &s.year1, &s.month1, &s.day1, &s.beyond1, &s.price1, &used)) return false;
  if (p[used] != '-') return false;
  p += used + 1;
  if (!ParsePoint(p, &s.year2, &s.month2, &s.day2, &s.beyond2, &s.price2, &used2)) return false;
  const std::string kind = p + used2;
  if (kind == ":support") {
    s.kind = kLineSupport;
  } else if (kind == ":resistance") {
    s.kind = kLineResistance;
  } else if (!kind.empty()) {
    return false;
  }
  *add = s;
  return true;
}

int RunTrendLines(const CliArgs& args, int code) {
  SettingsRecord settings;
  if (!LoadSettings(args, &settings)) return kExitFailure;
  std::vector<LineToAdd> adds;
  for (const std::string& text : args.Values("--add")) {
    LineToAdd add;
    if (!ParseLineToAdd(text, &add)) {
      PrintError("--add needs Y/M/D:PRICE-Y/M/D:PRICE[:support|resistance]: " + text);
      return kExitUsage;
    }
    adds.push_back(add);
  }
  std::set<int> deletes;
  for (const std::string& text : args.Values("--delete")) {
    int n = 0;
    if (!ParseWholeNumber(text, 0, 999999, &n)) {
      PrintError("--delete needs a line number as listed (0 the first): " + text);
      return kExitUsage;
    }
    deletes.insert(n);
  }

  const CStockDictionary dictionary(settings.dataRootDir, settings.workDir);
  CFolderPreparer folders(settings.dataRootDir, settings.dataSourceMode);
  StockFiles files;
  if (!ResolveStockFiles(dictionary, code, folders.PrepareLineFolder(), &files)) {
    PrintError(StringPrintf("no price file of %04d below %s", code, settings.dataRootDir));
    return kExitFailure;
  }
  CPriceSeries series;
  LoadStock(files, &series);
  if (adds.empty() && deletes.empty()) {
    PrintLines(series, args.Has("--json"));
    return kExitOk;
  }

  // The editor's way: the painter holds the lines in window indexes, marks deleted ones, adds
  // new ones with their kind decided over the window, and writes the rest back.
  // Every day is in the window, so a line's kind is decided over all the days it spans, as
  // the editor decides it over the days it shows.
  settings.dailyAllPeriod = 1;
  CChartPainter painter(settings);
  painter.Attach(series, kChartDaily);
  const int held = static_cast<int>(painter.trendLines().size());
  for (int n : deletes) {
    if (n >= held) {
      PrintError(StringPrintf("%04d has %d lines: there is no line %d", code, held, n));
      return kExitFailure;
    }
    painter.MarkTrendLineDeleted(n);
  }
  const int hidden = painter.hiddenCount();
  for (const LineToAdd& add : adds) {
    const int i1 = IndexOf(series, add.year1, add.month1, add.day1, add.beyond1);
    const int i2 = IndexOf(series, add.year2, add.month2, add.day2, add.beyond2);
    if (i1 < 0 || i2 < 0) {
      PrintError(StringPrintf("%04d has no bar on %d/%d/%d", code, i1 < 0 ? add.year1 : add.year2,
                              i1 < 0 ? add.month1 : add.month2, i1 < 0 ? add.day1 : add.day2));
      return kExitFailure;
    }
    const int line = painter.AddTrendLine(i1 - hidden, add.price1, i2 - hidden, add.price2);
    if (add.kind != 0) painter.SetTrendLineKind(line, add.kind);
  }
  painter.StoreTrendLines(series);
  std::string error;
  if (!series.SaveLines(&error)) {
    PrintError(error);
    return kExitFailure;
  }
  PrintLines(series, args.Has("--json"));
  return kExitOk;
}

}  // namespace korvale::cli
