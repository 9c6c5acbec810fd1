// The thumbnail cell: caption colours by the day's change, the grid's geometry and the cache
// that keeps what is in view.
#include "charts/thumbnail_chart.h"

#include <gtest/gtest.h>

#include <memory>

#include "charts/recording_canvas.h"
#include "charts/thumbnail_cache.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::DefaultSettings;
using testing::FlatBar;
using testing::SeriesOf;

TEST(ThumbnailChartTest, CaptionColourBandsTurnAtTheirEdges) {
  const struct {
    double ratio;
    Rgb colour;
  } cases[] = {
      {-0.2, 0xB4B4E0},   {-0.0501, 0xB4B4E0}, {-0.05, 0xCCCCE0},  {-0.0101, 0xCCCCE0},
      {-0.01, 0xE0E0E0},  {0, 0xE0E0E0},       {0.0099, 0xE0E0E0}, {0.01, 0xE0CCCC},
      {0.0499, 0xE0CCCC}, {0.05, 0xE0B4B4},    {3, 0xE0B4B4},
  };
  for (const auto& c : cases) EXPECT_EQ(ThumbnailCaptionColour(c.ratio), c.colour) << c.ratio;
}

TEST(ThumbnailChartTest, TheDaysChangeComesFromTheLastTwoCloses) {
  auto ratio = [](std::vector<int32_t> closes) {
    std::vector<PriceBar> bars;
    for (size_t i = 0; i < closes.size(); ++i) {
      bars.push_back(FlatBar(2006, 1, 2 + static_cast<int>(i), closes[i]));
    }
    return ThumbnailChangeRatio(SeriesOf(bars));
  };
  // A rise of exactly 1 % and a fall of exactly 5 % fall into the bands they open.
  EXPECT_EQ(ThumbnailCaptionColour(ratio({90, 100, 101})), 0xE0CCCCu);
  EXPECT_EQ(ThumbnailCaptionColour(ratio({90, 100, 95})), 0xCCCCE0u);
  EXPECT_EQ(ratio({100, 200}), 0);    // two bars are not enough
  EXPECT_EQ(ratio({100, 0, 50}), 0);  // no division by a zero close
}

TEST(ThumbnailChartTest, TheGridHoldsTheListRowByRow) {
  SettingsRecord s = DefaultSettings();
  s.thumbnailColumns = 4;
  CTableGrid grid = ThumbnailGrid(s);
  grid.SetCount(10);
  EXPECT_EQ(grid.totalRows(), 3);
  EXPECT_EQ(grid.EntryAt(1 * 128 + 5, 2 * 64 + 5), 9);  // the last row holds two
  EXPECT_EQ(grid.EntryAt(2 * 128 + 5, 2 * 64 + 5), -1);
  EXPECT_EQ(grid.EntryAt(4 * 128 + 1, 5), -1);
  EXPECT_EQ(grid.scrollWidth(), 4 * 128 + 1);
  EXPECT_EQ(grid.scrollHeight(), 3 * 64);
  int first = 0, end = 0;
  grid.VisibleRows(70, 64, &first, &end);  // two rows cut by the viewport
  EXPECT_EQ(first, 1);
  EXPECT_EQ(end, 3);
  // A resized client: wider cells, as many rows shown as fit.
  grid.FitClient(1600, 1000);
  EXPECT_EQ(grid.cellWidth(), 400);
  EXPECT_EQ(grid.rowsShown(), 15);
  // Settings out of range are brought into it.
  s.thumbnailColumns = 0;
  s.thumbnailWidth = 5;
  s.thumbnailHeight = 100000;
  s.thumbnailRows = -3;
  const CTableGrid odd = ThumbnailGrid(s);
  EXPECT_EQ(odd.columns(), 1);
  EXPECT_EQ(odd.cellWidth(), 32);
  EXPECT_EQ(odd.cellHeight(), 320);
  EXPECT_EQ(odd.rowsShown(), 1);
}

TEST(ThumbnailChartTest, CellShowsCaptionChartAndOutline) {
  ThumbnailStock stock;
  stock.code = 1301;
  stock.name = "ABC";
  stock.loaded = true;
  for (int d = 2; d < 30; ++d) {
    stock.series.bars.push_back(testing::Bar(2006, 1, d, 100 + d, 110 + d, 95 + d, 105 + d, 1000));
  }
  stock.ratio = ThumbnailChangeRatio(stock.series);
  CChartPainter painter(ThumbnailPainterSettings(DefaultSettings()));
  RecordingCanvas canvas;
  DrawThumbnailCell(painter, canvas, stock, CellRect{128, 64, 128, 64}, 0x000000);
  const CanvasOp* caption = canvas.FindText("1301 ABC");
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->x1, 130);
  EXPECT_EQ(caption->y1, 66);
  EXPECT_EQ(caption->textBackground, 0xE0E0E0u);  // 134 after 133: below 1 %
  EXPECT_EQ(canvas.font().pixelHeight, 12);
  // The chart: one candle body per bar below the caption, nothing above it.
  int bodies = 0;
  for (const CanvasOp& op : canvas.OpsOf(CanvasOp::kFill)) {
    EXPECT_GE(op.y1, 64);
    if (op.y1 >= 78 && op.brush.colour == painter.colour(kSlotRisingBody)) ++bodies;
  }
  EXPECT_GE(bodies, 28);
  // Without prices: the caption in the neutral colour over an empty chart.
  stock.loaded = false;
  stock.ratio = 0.2;
  canvas.Clear();
  DrawThumbnailCell(painter, canvas, stock, CellRect{0, 0, 128, 64}, 0x000000);
  EXPECT_EQ(canvas.FindText("1301 ABC")->textBackground, kThumbnailNeutralColour);
  EXPECT_TRUE(canvas.OpsOf(CanvasOp::kLine).size() == 1);  // the line under the caption
  // The selected outline: two pixels wide, one pixel in.
  canvas.Clear();
  DrawThumbnailOutline(canvas, CellRect{0, 0, 128, 64}, true, 0x000000);
  const auto edges = canvas.OpsOf(CanvasOp::kLine);
  ASSERT_EQ(edges.size(), 4u);
  EXPECT_EQ(edges[0].pen.width, 2);
  EXPECT_EQ(edges[0].x1, 1);
  EXPECT_EQ(edges[0].x2, 127);
}

TEST(ThumbnailCacheTest, TrimmingKeepsWhatWasUsedLast) {
  CThumbnailCache<int> cache;
  for (int p = 0; p < 9; ++p) cache.Insert(p, std::make_unique<int>(p));
  cache.Find(0);  // used again: the newest
  cache.Trim(2);  // more than 4 pages of 2: down to 3 pages
  EXPECT_EQ(cache.size(), 6u);
  EXPECT_NE(cache.Find(0), nullptr);
  EXPECT_NE(cache.Find(8), nullptr);
  EXPECT_EQ(cache.Find(1), nullptr);
  cache.Trim(2);  // within bounds: nothing goes
  EXPECT_EQ(cache.size(), 6u);
}

}  // namespace
}  // namespace korvale
