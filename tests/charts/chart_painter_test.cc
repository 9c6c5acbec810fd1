// The painter's palette, themes and primitives.
#include "charts/chart_painter.h"

#include <gtest/gtest.h>

#include "charts/recording_canvas.h"
#include "support/chart_fixtures.h"
#include "support/screening_fixtures.h"

namespace korvale {
namespace {

using testing::DefaultSettings;

SettingsRecord WithTheme(int theme) {
  SettingsRecord s = DefaultSettings();
  s.colourTheme = theme;
  return s;
}

TEST(ChartPaletteTest, ThemesFillTheSlotsAsTabled) {
  EXPECT_EQ(CChartPainter(WithTheme(0)).colour(0), 0xE0E0E0u);
  EXPECT_EQ(CChartPainter(WithTheme(0)).colour(4), 0xFFFFFFu);  // rising body white
  EXPECT_EQ(CChartPainter(WithTheme(1)).colour(3), 0xCC0000u);  // Hanamori: red rising outline
  EXPECT_EQ(CChartPainter(WithTheme(1)).colour(7), 0x00AA12u);
  EXPECT_EQ(CChartPainter(WithTheme(2)).colour(0), 0x000000u);  // Tsukishiro: black
  EXPECT_EQ(CChartPainter(WithTheme(2)).colour(1), 0xFFFFFFu);
  EXPECT_EQ(CChartPainter(WithTheme(3)).colour(11), 0xFFFFFFu);
  EXPECT_EQ(CChartPainter(WithTheme(4)).colour(0), 0xFFFFCCu);  // 古書
  EXPECT_EQ(CChartPainter(WithTheme(4)).colour(8), 0x998400u);
  EXPECT_EQ(CChartPainter(WithTheme(5)).colour(0), 0x3761AFu);  // Mindows-YP
  EXPECT_EQ(CChartPainter(WithTheme(5)).colour(42), 0x00359Eu);
  EXPECT_EQ(CChartPainter(WithTheme(0)).colour(67), 0x203B92u);
  // Outside 0-5: the standard colours.
  for (int theme : {-1, 6, 99}) {
    const CChartPainter p(WithTheme(theme));
    for (int slot = 0; slot < kPaletteSize; ++slot) {
      EXPECT_EQ(p.colour(slot), CChartPainter(WithTheme(0)).colour(slot)) << theme << " " << slot;
    }
  }
  EXPECT_STREQ(ThemeName(1), "Hanamori");
  EXPECT_STREQ(ThemeName(3), "白黒");
}

TEST(ChartPaletteTest, TwoPixelPensOnlyOnTheirSlots) {
  const CChartPainter p(DefaultSettings());
  for (int slot = 0; slot < kPaletteSize; ++slot) {
    const bool wide = slot == 50 || slot == 60 || slot == 61 || slot == 64 || slot == 65;
    EXPECT_EQ(p.pen(slot).width, wide ? 2 : 1) << slot;
    EXPECT_EQ(p.pen(slot).colour, p.colour(slot));
  }
}

TEST(ChartPaletteTest, PainterKeepsTheThemeItWasMadeWith) {
  SettingsRecord s = WithTheme(4);
  CChartPainter p(s);
  s.colourTheme = 2;
  EXPECT_EQ(p.colour(0), 0xFFFFCCu);
  p.ReplaceSettings(s);  // a fresh settings copy after the dialog keeps the palette too
  EXPECT_EQ(p.colour(0), 0xFFFFCCu);
  EXPECT_EQ(p.settings().colourTheme, 2);
  EXPECT_EQ(CChartPainter(s).colour(0), 0x000000u);  // a new painter takes the new theme
}

TEST(ChartPaletteTest, SelectingColoursSetsPenBrushAndTextColours) {
  const CChartPainter p(WithTheme(1));
  RecordingCanvas c;
  p.SelectColour(c, 61);
  EXPECT_EQ(c.CurrentPen(), (Pen{0xFF00CC, 2}));
  EXPECT_EQ(c.CurrentBrush(), (Brush{0xFF00CC}));
  p.SelectTextColours(c, 1, 0);
  c.TextOut(0, 0, "t");
  EXPECT_EQ(c.FindText("t")->textColour, 0x000000u);
  EXPECT_EQ(c.FindText("t")->textBackground, 0xFFFFFFu);
  p.FillBackground(c, 36, 300, 200);
  const auto fills = c.OpsOf(CanvasOp::kFill);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ((std::vector<int>{fills[0].x1, fills[0].y1, fills[0].x2, fills[0].y2}),
            (std::vector<int>{0, -2, 300, 202}));
  EXPECT_EQ(fills[0].brush.colour, 0xFFFFFFu);  // Hanamori reverse-watch background
}

// A candle at bar 2 in a pane of 4 pixels per bar and one pixel per yen, 100 yen high.
struct CandleCase {
  std::vector<CanvasOp> ops;
};
CandleCase DrawCandle(const CChartPainter& p, double open, double high, double low, double close,
                      bool secondSet = false) {
  RecordingCanvas c;
  CChartMapper m;
  m.Init(&c, 9, 0, 0, 40, 100, 10, 100);
  p.Candle(c, m, 2, open, high, low, close, secondSet);
  return {c.ops()};
}

TEST(CandleTest, RisingBodyIsFilledOutlinedAndWickedInItsSlots) {
  const CChartPainter p(WithTheme(1));
  const auto ops = DrawCandle(p, 10, 30, 5, 20).ops;
  ASSERT_EQ(ops.size(), 7u);  // fill, four outline sides, two wicks
  EXPECT_EQ(ops[0].kind, CanvasOp::kFill);
  EXPECT_EQ(ops[0].brush.colour, p.colour(4));
  EXPECT_EQ((std::vector<int>{ops[0].x1, ops[0].y1, ops[0].x2, ops[0].y2}),
            (std::vector<int>{8, 80, 12, 90}));
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(ops[i].pen.colour, p.colour(3));
  EXPECT_EQ(ops[5].pen.colour, p.colour(2));
  // Wicks at the bar's middle: from the body top up to the high, from the bottom to the low.
  EXPECT_EQ((std::vector<int>{ops[5].x1, ops[5].y1, ops[5].x2, ops[5].y2}),
            (std::vector<int>{10, 80, 10, 70}));
  EXPECT_EQ((std::vector<int>{ops[6].x1, ops[6].y1, ops[6].x2, ops[6].y2}),
            (std::vector<int>{10, 90, 10, 95}));
}

TEST(CandleTest, FallingUsesItsOwnSlotsAndEqualOpenAndCloseIsRising) {
  const CChartPainter p(WithTheme(1));
  auto ops = DrawCandle(p, 20, 30, 5, 10).ops;
  EXPECT_EQ(ops[0].brush.colour, p.colour(7));
  EXPECT_EQ(ops[1].pen.colour, p.colour(6));
  EXPECT_EQ(ops[6].pen.colour, p.colour(5));
  EXPECT_EQ(ops[0].y1, 80);  // the body still spans open to close
  EXPECT_EQ(ops[0].y2, 90);
  ops = DrawCandle(p, 15, 30, 5, 15).ops;
  EXPECT_EQ(ops[0].brush.colour, p.colour(4));
  EXPECT_EQ(ops[0].y1, ops[0].y2);  // a body of no height
  EXPECT_EQ(ops[1].pen.colour, p.colour(3));
  ops = DrawCandle(p, 10, 30, 5, 20, true).ops;
  EXPECT_EQ(ops[0].brush.colour, p.colour(46));
  EXPECT_EQ(ops[1].pen.colour, p.colour(45));
  EXPECT_EQ(ops[6].pen.colour, p.colour(44));
  ops = DrawCandle(p, 20, 30, 5, 10, true).ops;
  EXPECT_EQ(ops[0].brush.colour, p.colour(49));
  EXPECT_EQ(ops[1].pen.colour, p.colour(48));
  EXPECT_EQ(ops[6].pen.colour, p.colour(47));
}

}  // namespace
}  // namespace korvale
