#include "charts/chart_kind.h"

#include <array>

#include "charts/ichimoku_chart.h"
#include "charts/kagi_chart.h"
#include "charts/new_price_chart.h"
#include "charts/reverse_watch_chart.h"
#include "charts/signal_chart.h"

namespace korvale {

namespace {

// The candlestick charts share the document's painter: one attach lays out all three windows.
class PeriodChart : public ChartKind {
 public:
  explicit PeriodChart(int id) : id_(id) {}
  void Attach(CChartPainter& painter, CPriceSeries& series) const override {
    painter.Attach(series, id_);
  }
  std::string Readout(const ChartHit& hit) const override {
    return ReadoutText(hit, id_ == kChartMonthly);
  }

 private:
  int id_;
};

class DailyChart : public PeriodChart {
 public:
  DailyChart() : PeriodChart(kChartDaily) {}
  int Width(const CChartPainter& p) const override { return p.dailyWidth(); }
  void Draw(CChartPainter& p, Canvas& canvas) const override { p.DrawDailyChart(canvas); }
  ChartHit HitTest(const CChartPainter& p, int px, int py) const override {
    return p.HitTestDaily(px, py);
  }
};

class WeeklyChart : public PeriodChart {
 public:
  WeeklyChart() : PeriodChart(kChartWeekly) {}
  int Width(const CChartPainter& p) const override { return p.weeklyWidth(); }
  void Draw(CChartPainter& p, Canvas& canvas) const override { p.DrawWeeklyChart(canvas); }
  ChartHit HitTest(const CChartPainter& p, int px, int py) const override {
    return p.HitTestWeekly(px, py);
  }
};

class MonthlyChart : public PeriodChart {
 public:
  MonthlyChart() : PeriodChart(kChartMonthly) {}
  int Width(const CChartPainter& p) const override { return p.monthlyWidth(); }
  void Draw(CChartPainter& p, Canvas& canvas) const override { p.DrawMonthlyChart(canvas); }
  ChartHit HitTest(const CChartPainter& p, int px, int py) const override {
    return p.HitTestMonthly(px, py);
  }
};

// The trend-line editor's chart, on the document's daily painter.
class TrendLineEditorChart : public ChartKind {
 public:
  void Attach(CChartPainter& p, CPriceSeries& series) const override {
    p.Attach(series, kChartDaily);
  }
  int Width(const CChartPainter& p) const override { return p.editorWidth(); }
  void Draw(CChartPainter& p, Canvas& canvas) const override { p.DrawTrendLineEditor(canvas); }
  ChartHit HitTest(const CChartPainter& p, int px, int py) const override {
    return p.HitTestTrendLineEditor(px, py);
  }
  std::string Readout(const ChartHit& hit) const override { return ReadoutText(hit, false); }
  // The editor's window has a height of its own; the main chart's stays as it is.
  void SetClientSize(CChartPainter& p, int width, int height) const override {
    p.SetClientSize(kChartTrendLineEditor, width, height);
  }
};

const DailyChart kDaily;
const WeeklyChart kWeekly;
const MonthlyChart kMonthly;
const TrendLineEditorChart kTrendLineEditor;

}  // namespace

std::span<const ChartKindEntry> ChartKinds() {
  // Made on first use: the window kinds live in files of their own.
  static const std::array kKinds = {
      ChartKindEntry{kChartDaily, "daily", "日足", ChartKindGroup::kPeriod, kDaily},
      ChartKindEntry{kChartWeekly, "weekly", "週足", ChartKindGroup::kPeriod, kWeekly},
      ChartKindEntry{kChartMonthly, "monthly", "月足", ChartKindGroup::kPeriod, kMonthly},
      ChartKindEntry{IchimokuKindId(kChartDaily), "ichimoku", "日足", ChartKindGroup::kIchimoku,
                     IchimokuChartKind(kChartDaily)},
      ChartKindEntry{IchimokuKindId(kChartWeekly), "ichimoku-weekly", "週足",
                     ChartKindGroup::kIchimoku, IchimokuChartKind(kChartWeekly)},
      ChartKindEntry{IchimokuKindId(kChartMonthly), "ichimoku-monthly", "月足",
                     ChartKindGroup::kIchimoku, IchimokuChartKind(kChartMonthly)},
      ChartKindEntry{kChartKagi, "kagi", "カギ足", ChartKindGroup::kAuxiliary, KagiChartKind()},
      ChartKindEntry{kChartNewPrice, "newprice", "新値足", ChartKindGroup::kAuxiliary,
                     NewPriceChartKind()},
      ChartKindEntry{kChartReverseWatch, "reverse", "逆ウォッチ曲線", ChartKindGroup::kAuxiliary,
                     ReverseWatchChartKind()},
      // Its status bar names the daily bars it shows.
      ChartKindEntry{kChartTrendLineEditor, "lineeditor", "日足", ChartKindGroup::kLineEditor,
                     kTrendLineEditor},
      ChartKindEntry{kChartSignal, "signal", "抽出条件可視化チャート", ChartKindGroup::kSignal,
                     SignalChartKind()},
  };
  return kKinds;
}

const ChartKindEntry* FindChartKind(int id) {
  for (const ChartKindEntry& e : ChartKinds()) {
    if (e.id == id) return &e;
  }
  return nullptr;
}

const ChartKindEntry* FindChartKindByOption(std::string_view option) {
  for (const ChartKindEntry& e : ChartKinds()) {
    if (option == e.option) return &e;
  }
  return nullptr;
}

const ChartKindEntry& ChartKindOrDaily(int id) {
  const ChartKindEntry* e = FindChartKind(id);
  return e ? *e : ChartKinds()[0];
}

std::string ChartKindOptions() {
  std::string names;
  for (const ChartKindEntry& e : ChartKinds()) {
    if (!names.empty()) names += ", ";
    names += e.option;
  }
  return names;
}

}  // namespace korvale
