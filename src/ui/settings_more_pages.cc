// The pages of the auxiliary charts and tables, the Ichimoku chart and the rest, and the page
// table of the dialog.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWidget>
#include <string>

#include "charts/colour_themes.h"
#include "store/settings_field_rules.h"
#include "ui/settings_form.h"
#include "ui/settings_page_rows.h"
#include "ui/settings_pages.h"

namespace korvale {

namespace {

// The remote server's all-stocks queries the dialog offers; the user may type another.
const char* const kServerPresets[] = {
    "http://localhost/Korvale/KVISA.DLL?ALLST",
    "http://localhost/Korvale.cgi?cmd=ALLST",
    "http://localhost/korvale/TEST.HTML",
};

// One Ichimoku group ("日足", "週足", "月足"): the six periods and shifts of `kind` ("Daily",
// ...), each unit starting with `unit` ("日", "週", "月").
QGroupBox* IchimokuGroup(CSettingsForm* form, QWidget* page, const QString& caption,
                         const std::string& kind, const QString& unit) {
  auto* box = new QGroupBox(caption, page);
  auto* grid = new QGridLayout(box);
  const std::string f = "ichimoku" + kind;
  const QString lead = unit + "先行";
  auto row = [&](int r, const QString& label, std::initializer_list<LabelledEdit> edits) {
    grid->addWidget(new QLabel(label, box), r, 0);
    grid->addLayout(EditRow(form, box, edits), r, 1);
  };
  row(0, "基準線", {{"", f + "Base", ""}});
  row(1, "転換線", {{"", f + "Conversion", ""}});
  row(2, "先行スパンB", {{"", f + "LeadShiftB", lead}});
  row(3, "先行スパンA", {{"", f + "SpanPeriod", unit}, {"", f + "LeadShiftA", lead}});
  row(4, "遅行スパン", {{"", f + "Lagging", unit + "遅行"}});
  return box;
}

}  // namespace

QWidget* MakeAuxiliarySettingsPage(CSettingsForm* form) {
  auto* page = new QWidget;
  auto* columns = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(right, 1);

  auto* newPrice = new QGroupBox("新値足チャート", page);
  auto* newPriceColumn = new QVBoxLayout(newPrice);
  newPriceColumn->addLayout(EditRow(form, newPrice,
                                    {{"転換本数", "newPriceReversalLines", "本 (1～10)"},
                                     {"表示期間", "newPriceSpanDays", "日"}}));
  newPriceColumn->addWidget(form->Check("newPriceAllPeriod", "全期間", newPrice));
  left->addWidget(newPrice);

  auto* kagi = new QGroupBox("カギ足チャート", page);
  auto* kagiGrid = new QGridLayout(kagi);
  const QList<QRadioButton*> modes = form->Choice("kagiReversalMode", {"転換値", "転換比率"}, kagi);
  kagiGrid->addWidget(modes[0], 0, 0);
  kagiGrid->addLayout(EditRow(form, kagi, {{"", "kagiReversalYen", "円"}}), 0, 1);
  kagiGrid->addWidget(modes[1], 1, 0);
  kagiGrid->addLayout(EditRow(form, kagi, {{"", "kagiReversalPercent", "% (0～100)"}}), 1, 1);
  kagiGrid->addLayout(EditRow(form, kagi, {{"表示期間", "kagiSpanDays", "日"}}), 2, 0, 1, 2);
  kagiGrid->addWidget(form->Check("kagiAllPeriod", "全期間", kagi), 3, 0, 1, 2);
  left->addWidget(kagi);

  auto* watch = new QGroupBox("逆ウォッチ曲線", page);
  auto* watchColumn = new QVBoxLayout(watch);
  watchColumn->addLayout(
      EditRow(form, watch,
              {{"日線", "reverseWatchMaDays", "日"}, {"表示期間", "reverseWatchSpanDays", "日"}}));
  watchColumn->addWidget(form->Check("reverseWatchAllPeriod", "全期間", watch));
  left->addWidget(watch);
  left->addStretch(1);

  auto* tables = new QGroupBox("株価表", page);
  auto* tableColumn = new QVBoxLayout(tables);
  tableColumn->addLayout(EditRow(form, tables, {{"日足表 表示期間", "dailyTableDays", "日"}}));
  tableColumn->addLayout(EditRow(form, tables, {{"週足表 表示期間", "weeklyTableWeeks", "週"}}));
  tableColumn->addLayout(EditRow(form, tables, {{"月足表 表示期間", "monthlyTableMonths", "月"}}));
  right->addWidget(tables);

  auto* thumbs = new QGroupBox("サムネイルチャート", page);
  auto* thumbColumn = new QVBoxLayout(thumbs);
  thumbColumn->addLayout(
      EditRow(form, thumbs, {{"幅", "thumbnailWidth", "×"}, {"高さ", "thumbnailHeight", ""}}));
  thumbColumn->addWidget(new QLabel("32～320 ピクセル", thumbs));
  thumbColumn->addLayout(EditRow(
      form, thumbs, {{"段組", "thumbnailRows", "段 ×"}, {"", "thumbnailColumns", "列 (1～20)"}}));
  auto* style = new QHBoxLayout;
  for (QRadioButton* b : form->Choice("thumbnailBarStyle", BarStyleLabels(), thumbs)) {
    style->addWidget(b);
  }
  style->addStretch(1);
  thumbColumn->addLayout(style);
  thumbColumn->addWidget(form->Check("thumbnailShowVolume", "出来高表示", thumbs));
  right->addWidget(thumbs);
  right->addStretch(1);
  return page;
}

QWidget* MakeIchimokuSettingsPage(CSettingsForm* form) {
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  column->addWidget(ChoiceBox(form, page, "ichimokuBarStyle", "株価線", BarStyleLabels()));
  auto* groups = new QHBoxLayout;
  groups->addWidget(IchimokuGroup(form, page, "日足", "Daily", "日"));
  groups->addWidget(IchimokuGroup(form, page, "週足", "Weekly", "週"));
  groups->addWidget(IchimokuGroup(form, page, "月足", "Monthly", "月"));
  column->addLayout(groups);
  auto* size = new QHBoxLayout;
  size->addWidget(WindowSizeBox(form, page, "ichimokuWindowWidth", "ichimokuWindowHeight"));
  size->addStretch(1);
  column->addLayout(size);
  column->addStretch(1);
  return page;
}

QWidget* MakeOtherSettingsPage(CSettingsForm* form) {
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);

  auto* source = new QGroupBox("データソース (セーブ後、次回起動時から有効)", page);
  auto* sourceGrid = new QGridLayout(source);
  const QList<QRadioButton*> modes =
      form->Choice("savedDataSourceMode", {"ローカル", "リモート", "Yahoo! Finance."}, source);
  auto* modeRow = new QHBoxLayout;
  for (QRadioButton* b : modes) modeRow->addWidget(b);
  modeRow->addStretch(1);
  sourceGrid->addLayout(modeRow, 0, 0, 1, 3);
  sourceGrid->addWidget(new QLabel("ローカル ルートディレクトリ", source), 1, 0);
  QLineEdit* root = form->Text("savedRootDir", source);
  sourceGrid->addWidget(root, 1, 1);
  auto* browse = new QPushButton("参照...", source);
  browse->setObjectName("browseRootDir");
  sourceGrid->addWidget(browse, 1, 2);
  QObject::connect(browse, &QPushButton::clicked, root, [root] {
    const QString dir = QFileDialog::getExistingDirectory(root, "ルートディレクトリ", root->text());
    if (!dir.isEmpty()) root->setText(QDir::toNativeSeparators(dir));
  });
  QStringList presets;
  for (const char* url : kServerPresets) presets << url;
  sourceGrid->addWidget(new QLabel("リモート ルートディレクトリ", source), 2, 0);
  sourceGrid->addWidget(form->TextWithPresets("savedServerUrl", presets, source), 2, 1, 1, 2);
  sourceGrid->setColumnStretch(1, 1);
  column->addWidget(source);

  auto* web = new QGridLayout;
  web->addWidget(new QLabel("全銘柄URL", page), 0, 0);
  web->addWidget(form->Text("allStocksUrl", page), 0, 1);
  web->addWidget(new QLabel("検索URL", page), 1, 0);
  web->addWidget(form->Text("quoteSearchUrl", page), 1, 1);
  web->setColumnStretch(1, 1);
  column->addLayout(web);

  auto* looks = new QHBoxLayout;
  looks->addWidget(new QLabel("チャートカラー", page));
  QStringList themes;
  for (int i = 0; i < kThemeCount; ++i) themes << QString::fromUtf8(ThemeName(i));
  looks->addWidget(form->List("colourTheme", themes, page));
  looks->addStretch(1);
  column->addLayout(looks);
  column->addWidget(ChoiceBox(form, page, "cursorMode", "カーソル",
                              {"ノーマル", "ワイド", "左ドラッグでワイド"}));

  auto* index = new QHBoxLayout;
  QCheckBox* useIndex = form->Check("useIndexAnalysis", "インデックス分析をする", page);
  index->addWidget(useIndex);
  index->addSpacing(16);
  index->addLayout(EditRow(form, page, {{"インデックスの証券コード", "indexStockCode", ""}}));
  column->addLayout(index);
  // The code is asked for only while index analysis is on.
  QWidget* code = form->control("indexStockCode");
  code->setEnabled(false);
  QObject::connect(useIndex, &QCheckBox::toggled, code, &QWidget::setEnabled);
  column->addStretch(1);
  return page;
}

QString SettingsPageLabel(int page) {
  static const char* const kLabels[kSettingsPageCount] = {
      "日足チャート", "週足チャート", "月足チャート", "補助チャート", "一目均衡表", "その他"};
  return page >= 0 && page < kSettingsPageCount ? QString::fromUtf8(kLabels[page]) : QString();
}

QWidget* MakeSettingsPage(int page, CSettingsForm* form) {
  switch (page) {
    case kSettingsPageWeekly:
      return MakeWeeklySettingsPage(form);
    case kSettingsPageMonthly:
      return MakeMonthlySettingsPage(form);
    case kSettingsPageAuxiliary:
      return MakeAuxiliarySettingsPage(form);
    case kSettingsPageIchimoku:
      return MakeIchimokuSettingsPage(form);
    case kSettingsPageOther:
      return MakeOtherSettingsPage(form);
    default:
      return MakeDailySettingsPage(form);
  }
}

}  // namespace korvale
