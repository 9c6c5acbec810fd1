// Pages of the thumbnail grid drawn from a sample database: what each cell shows, stocks that
// cannot be shown, and the cache that reads each stock once while it is in view.
#include "render/thumbnail_page.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "render/chart_image.h"
#include "sample/sample_database.h"
#include "store/settings_record.h"
#include "store/stock_files.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

namespace fs = std::filesystem;

class ThumbnailPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    SampleOptions options;
    options.stocks = 40;
    options.years = 1;
    SampleSummary summary;
    std::string error;
    ASSERT_TRUE(MakeSampleDatabase(dir_.File("root"), options, &summary, &error)) << error;
    // One stock whose price file holds nothing readable.
    dictionary_ = std::make_unique<CStockDictionary>(dir_.File("root"), dir_.File("root"));
    StockFiles files;
    ASSERT_TRUE(ResolveItemFiles(*dictionary_, kEmptyItem, "", &files));
    fs::resize_file(files.pricePath, 0);
    settings_ = testing::DefaultSettings();
    settings_.colourTheme = 1;  // white chart background, black frames
  }

  static constexpr int kEmptyItem = 5;
  testing::TempDir dir_;
  std::unique_ptr<CStockDictionary> dictionary_;
  SettingsRecord settings_;
};

// The colour of a pixel as 0xRRGGBB.
Rgb At(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

TEST_F(ThumbnailPageTest, CellsShowCaptionsChartsAndTheSelection) {
  CThumbnailRenderer renderer(settings_, *dictionary_);
  renderer.SetEntries({0, kEmptyItem, -1, 7, 9999});
  CTableGrid grid = ThumbnailGrid(settings_);  // 4 columns of 128 x 64
  grid.SetCount(5);
  QImage page(grid.fittedWidth() + 1, 2 * 64 + 1, QImage::Format_RGB32);
  renderer.DrawPage(&page, grid, 0, 0, 3);
  // Stock 0: its caption colour by its change, then its chart on the theme's background.
  ThumbnailStock first;
  ASSERT_TRUE(LoadThumbnailStock(*dictionary_, 0, &first));
  EXPECT_EQ(At(page, 100, 1), ThumbnailCaptionColour(first.ratio));  // above the text
  EXPECT_EQ(At(page, 0, 30), 0x000000u);                             // the outline
  // A stock without prices: the neutral caption over an empty chart.
  EXPECT_EQ(At(page, 128 + 100, 1), kThumbnailNeutralColour);
  for (int y = 16; y < 63; y += 5) EXPECT_EQ(At(page, 128 + 64, y), 0xFFFFFFu) << y;
  // An entry without a stock and cells past the end stay empty: no caption, no outline.
  EXPECT_EQ(At(page, 2 * 128 + 64, 5), 0xFFFFFFu);
  EXPECT_EQ(At(page, 64, 64 + 30), 0xFFFFFFu);
  // The selected cell (entry 3) in the two-pixel pen one pixel in.
  EXPECT_EQ(At(page, 3 * 128 + 1, 30), 0x000000u);
  EXPECT_EQ(At(page, 3 * 128 + 2, 30), 0x000000u);
  EXPECT_EQ(renderer.loadCount(), 3);
}

TEST_F(ThumbnailPageTest, ALongListReadsOnlyTheStocksInViewAndKeepsTheCacheBounded) {
  CThumbnailRenderer renderer(settings_, *dictionary_);
  std::vector<int> entries(10000);
  for (size_t i = 0; i < entries.size(); ++i) entries[i] = static_cast<int>(i % 40);
  renderer.SetEntries(entries);
  CTableGrid grid = ThumbnailGrid(settings_);
  grid.SetCount(10000);
  grid.FitClient(512, 256);  // four rows of four
  QImage page(512, 256, QImage::Format_RGB32);
  // The last page: 2,500 rows down.
  const int bottom = grid.scrollHeight() - 256;
  renderer.DrawPage(&page, grid, 0, bottom, -1);
  EXPECT_EQ(renderer.loadCount(), 16);
  // Painted again (a click, a repaint): nothing is read again.
  renderer.DrawPage(&page, grid, 0, bottom, 9999);
  EXPECT_EQ(renderer.loadCount(), 16);
  // Scrolling through the whole list row by row keeps a few pages' worth.
  for (int y = 0; y <= bottom; y += 64 * 40) {
    renderer.DrawPage(&page, grid, 0, y, -1);
    EXPECT_LE(renderer.cachedCount(), 4u * (4 + 2) * 4);
  }
  // A new list empties the cache.
  renderer.SetEntries({1, 2});
  EXPECT_EQ(renderer.cachedCount(), 0u);
}

}  // namespace
}  // namespace korvale
