// A settings file with any number in any field: loading brings every period and size into its
// range, and even the numbers as they stand in the file draw every chart kind and compute the
// analysis record without overflow or an out-of-range read (the sanitizer build aborts on
// either).
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "app/settings_file.h"
#include "charts/chart_kind.h"
#include "charts/recording_canvas.h"
#include "screening/compute_analysis_record.h"
#include "store/settings_sanity.h"
#include "support/chart_fixtures.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

// The extremes of the field's type, -1 and 0.
std::vector<int64_t> ValuesFor(const SettingsField& f) {
  switch (f.type) {
    case SettingsFieldType::kInt16:
      return {SHRT_MIN, -1, 0, SHRT_MAX};
    case SettingsFieldType::kInt32:
      return {INT_MIN, -1, 0, INT_MAX};
    default:
      return {};
  }
}

// Each kind attaches, draws and reads out as its window does.
void DrawAndCompute(const SettingsRecord& s, const CPriceSeries& stock, const CPriceSeries& index) {
  CPriceSeries series = stock;
  for (const ChartKindEntry& entry : ChartKinds()) {
    CChartPainter painter(s);
    painter.SetIndexSeries(&index);
    entry.kind.Attach(painter, series);
    entry.kind.SetClientSize(painter, 600, 400);
    RecordingCanvas canvas;
    entry.kind.Draw(painter, canvas);
    entry.kind.Readout(entry.kind.HitTest(painter, -1, -1));
  }
  AnalysisRecord rec;
  ComputeAnalysisRecord(series, 7, s, &index, &rec);
}

TEST(SettingsExtremesTest, EveryNumberAtItsExtremesLoadsDrawsAndComputesSafely) {
  testing::TempDir root, config;
  SettingsRecord base = testing::QuietChartSettings(60);
  testing::TurnEveryPaneOn(&base);
  const CPriceSeries stock = testing::SeriesOf(testing::WalkBars(160, 3000, 3));
  CPriceSeries index = testing::SeriesOf(testing::WalkBars(160, 15000, 4));
  index.BuildWeekly(0, nullptr);
  for (const SettingsField& f : SettingsFields()) {
    for (const int64_t value : ValuesFor(f)) {
      SCOPED_TRACE(std::string(f.name) + "=" + std::to_string(value));
      SettingsRecord raw = base;
      ASSERT_TRUE(SetSettingsFieldText(&raw, f, std::to_string(value)));
      uint8_t image[kSettingsRecordSize];
      EncodeSettingsRecord(raw, image);
      testing::WriteBytes(root.File(kSettingsFileName),
                          std::vector<uint8_t>(image, image + sizeof image));
      SettingsRecord loaded;
      std::vector<SettingsMend> mends;
      std::string error;
      ASSERT_TRUE(LoadSettingsAtStart(root.path(), config.File("RootDir"), &loaded, &error,
                                      &mends));
      // The file's number, or its range's nearest value with one warning naming the field.
      const int64_t now = SettingsFieldNumber(loaded, f);
      if (const SettingsRange* range = FindSettingsRange(f.name)) {
        EXPECT_TRUE((now >= range->minimum && now <= range->maximum) ||
                    (range->zeroAllowed && now == 0));
      }
      if (now != value) {
        ASSERT_EQ(mends.size(), 1u);
        EXPECT_NE(mends[0].warning.find(std::string(f.name) + " " + std::to_string(value)),
                  std::string::npos);
        DrawAndCompute(loaded, stock, index);
      }
      DrawAndCompute(raw, stock, index);
    }
  }
}

}  // namespace
}  // namespace korvale
