// The kagi, new-price and reverse-watch charts: their construction worked out by hand on small
// series of closes, and what their drawing puts on the canvas.
#include <gtest/gtest.h>

#include "charts/auxiliary_chart.h"
#include "charts/kagi_chart.h"
#include "charts/kagi_lines.h"
#include "charts/new_price_boxes.h"
#include "charts/new_price_chart.h"
#include "charts/recording_canvas.h"
#include "charts/reverse_watch_chart.h"
#include "charts/reverse_watch_curve.h"
#include "support/chart_fixtures.h"
#include "support/screening_fixtures.h"

namespace korvale {
namespace {

using testing::FlatCloses;

// Weekdays from Monday 2006-01-09: bar 3 is 1/12, bar 5 is 1/16.
SettingsRecord KagiSettings(int mode, int yen, int percent) {
  SettingsRecord s = testing::DefaultSettings();
  s.kagiAllPeriod = 1;
  s.kagiReversalMode = static_cast<int16_t>(mode);
  s.kagiReversalYen = yen;
  s.kagiReversalPercent = percent;
  return s;
}

KagiLines Kagi(const std::vector<int32_t>& closes, const SettingsRecord& s) {
  const std::vector<PriceBar> bars = FlatCloses(closes);
  return ComputeKagiLines(bars.data(), static_cast<int>(bars.size()), s);
}

TEST(KagiLinesTest, ClosesThatNeverTurnMakeOneVerticalLine) {
  const KagiLines k = Kagi({100, 100, 100, 102, 101, 103, 105, 104, 106}, KagiSettings(0, 10, 10));
  ASSERT_TRUE(k.drawn);
  ASSERT_EQ(k.columns.size(), 1u);
  EXPECT_EQ(k.columns[0].from, 100);
  EXPECT_EQ(k.columns[0].to, 106);
  EXPECT_EQ(k.columns[0].toBar, 8);
  for (const KagiStroke& s : k.strokes) EXPECT_TRUE(s.x1 == 1 && s.x2 == 1);
  EXPECT_EQ(k.segmentCount, 2);
  EXPECT_EQ(k.xSpan, 31);
  EXPECT_FALSE(k.label.present);
}

TEST(KagiLinesTest, TurnsOnlyBeyondTheYenAmount) {
  // 120 to 110 is exactly the amount: no turn; 109 turns. The first move, 20 yen, is larger
  // than the amount: a short join leads in.
  for (const auto& closes : {std::vector<int32_t>{100, 100, 100, 120, 110, 109},
                             std::vector<int32_t>{100, 0, 100, 100, 120, 0, 110, 109}}) {
    const KagiLines k = Kagi(closes, KagiSettings(0, 10, 10));
    ASSERT_EQ(k.columns.size(), 2u);
    EXPECT_EQ(k.columns[1].x, 3);
    EXPECT_EQ(k.columns[1].from, 120);
    EXPECT_EQ(k.columns[1].to, 109);
    EXPECT_FALSE(k.columns[1].rising);
    EXPECT_EQ(k.strokes,
              (std::vector<KagiStroke>{
                  {1, 100, 2, 100}, {2, 100, 2, 120}, {2, 120, 3, 120}, {3, 120, 3, 109}}));
    EXPECT_TRUE(k.label.present);
    EXPECT_EQ(k.label.x, 2);
    EXPECT_EQ(k.label.price, 121);  // 1 above a line that turned down
    EXPECT_EQ(k.label.beforeStroke, 3u);
  }
  EXPECT_EQ(Kagi({100, 100, 100, 120, 110, 109}, KagiSettings(0, 10, 10)).label.text, "120(1/12)");
  EXPECT_EQ(Kagi({100, 0, 100, 100, 120, 0, 110, 109}, KagiSettings(0, 10, 10)).label.text,
            "120(1/13)");
}

TEST(KagiLinesTest, PercentAmountComesFromEachBarsClose) {
  // 10 %: 1850 needs to fall below 2000 - 185 and does not; 1810 needs below 2000 - 181 and
  // does (an amount taken from the extreme, 200, would not turn there).
  const KagiLines k = Kagi({1000, 1000, 1000, 2000, 1850, 1810}, KagiSettings(1, 100, 10));
  ASSERT_EQ(k.columns.size(), 2u);
  EXPECT_EQ(k.columns[0].to, 2000);
  EXPECT_EQ(k.columns[1].to, 1810);
  EXPECT_EQ(k.columns[1].toBar, 5);
  EXPECT_EQ(k.columns[0].x, 2);  // the 1000-yen first move exceeds the yen amount in this mode too
}

TEST(KagiLinesTest, FewerThanFourPricedBarsDrawNothing) {
  EXPECT_FALSE(Kagi({100, 0, 120, 130}, KagiSettings(0, 10, 10)).drawn);
  EXPECT_TRUE(Kagi({100, 110, 120, 130}, KagiSettings(0, 10, 10)).drawn);
}

NewPriceBoxes NewPrice(const std::vector<int32_t>& closes, int lines) {
  SettingsRecord s = testing::DefaultSettings();
  s.newPriceAllPeriod = 1;
  s.newPriceReversalLines = static_cast<int16_t>(lines);
  const std::vector<PriceBar> bars = FlatCloses(closes);
  return ComputeNewPriceBoxes(bars.data(), static_cast<int>(bars.size()), s);
}

struct Box {
  int x;
  int32_t from, to;
  bool rising;
  int bar;
};

void ExpectBoxes(const NewPriceBoxes& b, const std::vector<Box>& expected) {
  ASSERT_EQ(b.boxes.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(b.boxes[i].x, expected[i].x);
    EXPECT_EQ(b.boxes[i].from, expected[i].from);
    EXPECT_EQ(b.boxes[i].to, expected[i].to);
    EXPECT_EQ(b.boxes[i].rising, expected[i].rising);
    EXPECT_EQ(b.boxes[i].bar, expected[i].bar);
  }
}

TEST(NewPriceBoxesTest, AReversalMustBreakTheLastNBoxes) {
  const std::vector<int32_t> closes = {100, 100, 110, 120, 130, 140, 150, 135, 119};
  // Three lines: 135 stays inside the last three boxes (120-150); 119 breaks them all.
  const NewPriceBoxes three = NewPrice(closes, 3);
  ExpectBoxes(three, {{1, 110, 120, true, 3},
                      {3, 120, 130, true, 4},
                      {4, 130, 140, true, 5},
                      {5, 140, 150, true, 6},
                      {6, 150, 119, false, 8}});
  ASSERT_EQ(three.labels.size(), 1u);
  EXPECT_EQ(three.labels[0].text, "150(1/17)");  // the last reversal carries its date
  EXPECT_EQ(three.labels[0].x, 3);
  EXPECT_EQ(three.labels[0].price, 151);
  EXPECT_TRUE(three.marksLastClose);  // the reversal came on the last bar
  EXPECT_EQ(three.markPrice, 119);
  // One line: 135 already breaks the newest box.
  ExpectBoxes(NewPrice(closes, 1), {{1, 110, 120, true, 3},
                                    {3, 120, 130, true, 4},
                                    {4, 130, 140, true, 5},
                                    {5, 140, 150, true, 6},
                                    {6, 150, 135, false, 7},
                                    {7, 135, 119, false, 8}});
  // Lines below 1 count as 3, above 10 as 10.
  const NewPriceBoxes zero = NewPrice(closes, 0);
  EXPECT_EQ(zero.lines, 3);
  ExpectBoxes(zero, {{1, 110, 120, true, 3},
                     {3, 120, 130, true, 4},
                     {4, 130, 140, true, 5},
                     {5, 140, 150, true, 6},
                     {6, 150, 119, false, 8}});
  EXPECT_EQ(NewPriceLines(11), 10);
  EXPECT_EQ(NewPrice(closes, 3).xSpan, 80);
}

TEST(NewPriceBoxesTest, FewerThanNPlusOneBarsDrawTheBackgroundOnly) {
  EXPECT_FALSE(NewPrice({100, 110, 120}, 3).drawn);
  EXPECT_TRUE(NewPrice({100, 110, 120, 130}, 3).drawn);
  EXPECT_FALSE(NewPrice({100, 110, 120, 130, 140}, 5).drawn);
  EXPECT_TRUE(NewPrice({100, 110, 120, 130, 140, 150}, 5).drawn);
}

TEST(ReverseWatchCurveTest, AveragesInBarOrderLeavingOutZeros) {
  SettingsRecord s = testing::DefaultSettings();
  s.reverseWatchMaDays = 2;
  s.reverseWatchAllPeriod = 1;
  const std::vector<PriceBar> bars =
      FlatCloses({10, 20, 30, 40, 50, 60}, {100, 200, 0, 0, 500, 600});
  const ReverseWatchCurve c = ComputeReverseWatchCurve(bars.data(), 6, s);
  EXPECT_EQ(c.firstBar, 1);  // p - 1
  // Two-bar averages; bar 3's volume average is 0 and left out.
  EXPECT_EQ(c.points, (std::vector<ReverseWatchPoint>{
                          {1, 150, 15}, {2, 100, 25}, {4, 250, 45}, {5, 550, 55}}));
  EXPECT_EQ(c.volumeLow, 100);
  EXPECT_EQ(c.volumeHigh, 550);
  EXPECT_EQ(c.priceLow, 15);
  EXPECT_EQ(c.priceHigh, 55);
  s.reverseWatchAllPeriod = 0;
  s.reverseWatchSpanDays = 2;
  EXPECT_EQ(ComputeReverseWatchCurve(bars.data(), 6, s).firstBar, 1);  // 6 - (2 + 2 + 1)
  s.reverseWatchSpanDays = 1;
  EXPECT_EQ(ComputeReverseWatchCurve(bars.data(), 6, s).firstBar, 2);
}

// Draws a kind at 310 x 220 over the closes.
RecordingCanvas DrawKind(const ChartKind& kind, CChartPainter& painter, CPriceSeries& series) {
  kind.Attach(painter, series);
  kind.SetClientSize(painter, 310, 220);
  RecordingCanvas canvas;
  kind.Draw(painter, canvas);
  return canvas;
}

TEST(AuxiliaryChartDrawingTest, EachChartDrawsItsConstructionInItsSlots) {
  CPriceSeries series = testing::SeriesOf(FlatCloses({100, 100, 100, 102, 101, 103, 105, 104, 106},
                                                     {10, 20, 30, 40, 50, 60, 70, 80, 90}));
  SettingsRecord s = KagiSettings(0, 10, 10);
  s.newPriceAllPeriod = s.reverseWatchAllPeriod = 1;
  s.reverseWatchMaDays = 2;
  CChartPainter painter(s);

  const RecordingCanvas kagi = DrawKind(KagiChartKind(), painter, series);
  EXPECT_EQ(kagi.ops().front().brush.colour, painter.colour(kSlotKagiBackground));
  EXPECT_EQ(KagiChartKind().Width(painter), 310);
  // One vertical line in the first of 31 columns of 10 pixels.
  const std::vector<CanvasOp> line = testing::LinesOfColour(kagi, painter.colour(kSlotFastCurve));
  ASSERT_FALSE(line.empty());
  for (const CanvasOp& op : line) EXPECT_TRUE(op.x1 == 10 && op.x2 == 10);
  EXPECT_NE(kagi.FindText("100円"), nullptr);  // GridRound(100 + 6 / 3)

  const RecordingCanvas newPrice = DrawKind(NewPriceChartKind(), painter, series);
  EXPECT_EQ(newPrice.ops().front().brush.colour, painter.colour(kSlotNewPriceBackground));
  int risingFills = 0;
  for (const CanvasOp& op : newPrice.OpsOf(CanvasOp::kFill)) {
    risingFills += op.brush.colour == painter.colour(kSlotRisingBody);
  }
  EXPECT_GE(risingFills, 2);

  const RecordingCanvas watch = DrawKind(ReverseWatchChartKind(), painter, series);
  EXPECT_EQ(watch.ops().front().brush.colour, painter.colour(kSlotReverseWatchBackground));
  EXPECT_EQ(watch.OpsOf(CanvasOp::kEllipse).size(), 2u);
  EXPECT_NE(watch.FindText(" 1/10"), nullptr);  // the first point: bar 1
  EXPECT_NE(watch.FindText(" 1/19"), nullptr);  // the last: bar 8
  EXPECT_NE(watch.FindText("出来高"), nullptr);

  // The slider changes the painter's copy only.
  SetAuxiliaryParameter(painter, kChartNewPrice, 10);
  EXPECT_EQ(painter.settings().newPriceReversalLines, 10);
  EXPECT_EQ(s.newPriceReversalLines, 3);
  EXPECT_EQ(AuxiliaryParameterOf(painter.settings(), kChartKagi).high, 500);  // yen mode
}

}  // namespace
}  // namespace korvale
