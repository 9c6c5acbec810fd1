// The pages of the daily, weekly and monthly charts.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <string>

#include "store/settings_field_rules.h"
#include "ui/settings_form.h"
#include "ui/settings_page_rows.h"
#include "ui/settings_pages.h"

namespace korvale {

namespace {

// What the three chart pages share, in their left column: the span, the bar style, volume and
// the two moving-average pairs. `p` is the fields' prefix ("daily", "weekly", "monthly").
void AddChartBasics(QVBoxLayout* column, CSettingsForm* form, QWidget* page, const std::string& p,
                    const std::string& spanField, const QString& spanLabel, const QString& unit) {
  column->addLayout(EditRow(form, page, {{spanLabel, spanField, unit}}));
  if (p == "daily") {
    // Only the daily chart has the whole-period and automatic span choices.
    column->addWidget(form->Check("dailyAllPeriod", "全期間", page));
    column->addWidget(form->Check("dailyAutoPeriod", "自動期間設定", page));
    column->addWidget(form->Check("dailyWeeklyBeforeSpan", "表示期間以前は週足表示", page));
  }
  column->addWidget(ChoiceBox(form, page, p + "BarStyle", "チャート表示", BarStyleLabels()));
  column->addWidget(form->Check(p + "ShowVolume", "出来高表示", page));

  auto* ma = new QGroupBox(page);
  auto* maColumn = new QVBoxLayout(ma);
  maColumn->addWidget(form->Check(p + "ShowMa", "移動平均線", ma));
  maColumn->addLayout(
      EditRow(form, ma, {{"短期平均期間", p + "MaShort", ""}, {"長期平均期間", p + "MaLong", ""}}));
  column->addWidget(ma);

  auto* volumeMa = new QGroupBox(page);
  auto* volumeColumn = new QVBoxLayout(volumeMa);
  volumeColumn->addWidget(form->Check(p + "ShowVolumeMa", "出来高移動平均", volumeMa));
  volumeColumn->addLayout(EditRow(
      form, volumeMa,
      {{"短期平均期間", p + "VolumeMaShort", ""}, {"長期平均期間", p + "VolumeMaLong", ""}}));
  column->addWidget(volumeMa);
}

// A group box of indicator rows, one check box and its periods per row.
QGridLayout* IndicatorGrid(QWidget* page, QHBoxLayout* columns, const QString& caption) {
  auto* box = new QGroupBox(caption, page);
  auto* grid = new QGridLayout(box);
  grid->setColumnStretch(1, 1);
  columns->addWidget(box, 1);
  return grid;
}

}  // namespace

QWidget* MakeDailySettingsPage(CSettingsForm* form) {
  auto* page = new QWidget;
  auto* columns = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;
  AddChartBasics(left, form, page, "daily", "dailySpanDays", "日足表示期間", "日 (0: 自動)");
  left->addWidget(WindowSizeBox(form, page, "dailyWindowWidth", "dailyWindowHeight"));
  left->addStretch(1);
  columns->addLayout(left);

  QGridLayout* grid = IndicatorGrid(page, columns, "テクニカル指標");
  AddCheckRow(grid, form, page, "dailyShowDeviation", "移動平均線かい離率");
  AddCheckRow(grid, form, page, "dailyShowOscillator", "オシレーター(短期線/長期線)");
  AddCheckRow(grid, form, page, "dailyShowPsychological", "サイコロジカルライン");
  AddCheckRow(grid, form, page, "dailyShowRci", "RCIチャート",
              {{"算出期間１", "rciPeriod1", ""}, {"算出期間２", "rciPeriod2", ""}});
  AddCheckRow(grid, form, page, "dailyShowVolumeRatio", "ボリュームレシオ",
              {{"算出期間", "volumeRatioPeriod", ""}});
  AddCheckRow(grid, form, page, "dailyShowPriceVolumeHistogram", "株価-出来高ヒストグラム",
              {{"期間", "histogramPeriod", "日"}});
  AddCheckRow(grid, form, page, "dailyShowRsi", "RSIチャート",
              {{"算出期間１", "rsiPeriod1", ""}, {"算出期間２", "rsiPeriod2", ""}});
  AddCheckRow(grid, form, page, "dailyShowStochastics", "ストキャスティック",
              {{"算出期間", "stochasticsPeriod", ""}, {"合算期間", "stochasticsSumPeriod", ""}});
  AddCheckRow(grid, form, page, "dailyShowMacd", "MACD",
              {{"期間１", "macdPeriod1", ""},
               {"期間2", "macdPeriod2", ""},
               {"Signal算出期間", "macdSignalPeriod", ""}});
  AddCheckRow(grid, form, page, "dailyShowObv", "OBV");
  AddCheckRow(grid, form, page, "dailyShowDmi", "DMI", {{"期間", "dmiPeriod", ""}});
  AddCheckRow(grid, form, page, "dailyShowCci", "CCI", {{"期間", "cciPeriod", ""}});
  AddCheckRow(grid, form, page, "dailyShowBollinger", "ボリンジャーバンド",
              {{"期間", "bollingerPeriod", ""}});
  AddCheckRow(grid, form, page, "dailyShowParabolic", "パラボリック");
  AddCheckRow(grid, form, page, "dailyIndexAnalysis", "インデックス分析",
              {{"期間", "dailyIndexPeriod", "日"}});
  grid->setRowStretch(grid->rowCount(), 1);
  return page;
}

QWidget* MakeWeeklySettingsPage(CSettingsForm* form) {
  auto* page = new QWidget;
  auto* columns = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;
  AddChartBasics(left, form, page, "weekly", "weeklySpanWeeks", "週足表示期間", "週");
  left->addStretch(1);
  columns->addLayout(left);

  QGridLayout* grid = IndicatorGrid(page, columns, "テクニカル指標");
  AddCheckRow(grid, form, page, "weeklyShowDeviation", "移動平均線かい離率");
  AddCheckRow(grid, form, page, "weeklyShowOscillator", "オシレーター(短期線/長期線)");
  AddCheckRow(
      grid, form, page, "weeklyShowMomentum", "週足モーメンタム",
      {{"週移動平均", "weeklyMomentumMa", ""}, {"週モーメンタム", "weeklyMomentumPeriod", ""}});
  AddCheckRow(grid, form, page, "weeklyShowMargin", "信用残表示");
  AddCheckRow(grid, form, page, "weeklyShowStochastics", "ストキャスティック",
              {{"算出期間", "weeklyStochasticsPeriod", ""},
               {"合算期間", "weeklyStochasticsSumPeriod", ""}});
  AddCheckRow(grid, form, page, "weeklyIndexAnalysis", "インデックス分析",
              {{"算出期間", "weeklyIndexPeriod", "週"}});
  grid->setRowStretch(grid->rowCount(), 1);
  return page;
}

QWidget* MakeMonthlySettingsPage(CSettingsForm* form) {
  auto* page = new QWidget;
  auto* columns = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;
  AddChartBasics(left, form, page, "monthly", "monthlySpanMonths", "月足表示期間", "月");
  left->addStretch(1);
  columns->addLayout(left);
  columns->addStretch(1);
  return page;
}

}  // namespace korvale
