// The validation report's dialogs and window, and the signal chart window, as a user drives them
// on a copy of the sample database.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QPointer>
#include <QTest>
#include <filesystem>

#include "app/korvale_doc.h"
#include "store/cp932.h"
#include "ui/analize_rule_report_view.h"
#include "ui/analize_rule_report_wnd.h"
#include "ui/korvale_app.h"
#include "ui/main_commands.h"
#include "ui/main_frame.h"
#include "ui/signal_chart_cntl.h"
#include "ui/signal_chart_frame.h"
#include "ui/signal_chart_view.h"
#include "ui/validation_batch_dialog.h"
#include "ui/validation_command.h"
#include "ui/validation_param_dialog.h"
#include "ui_test_fixtures.h"

namespace korvale {
namespace {

class HistoryWindowsTest : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    root_ = testing::CopySampleRoot(dir_);
    ASSERT_FALSE(root_.empty());
    StartProgram(root_, nullptr, QSize(900, 600));
  }

  // Runs the back-test with `params` to its end and returns its report window.
  CAnalizeRuleReportWnd* RunReport(const ValidationParams& params) {
    CAnalizeRuleReportWnd* opened = nullptr;
    CValidationCommand* command = frame_->validationCommand();
    QObject::connect(command, &CValidationCommand::ReportOpened,
                     [&opened](CAnalizeRuleReportWnd* w) { opened = w; });
    command->Start(params);
    for (int i = 0; i < 2000 && command->batchDialog(); ++i) QTest::qWait(5);
    return opened;
  }
};

TEST_F(HistoryWindowsTest, TheParameterDialogRefusesValuesOutsideTheirRanges) {
  struct Case {
    QLineEdit* (CValidationParamDialog::*field)() const;
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {&CValidationParamDialog::fromYearField, "1979", "1980 から 2100 までの整数を入力してください。"},
      {&CValidationParamDialog::toMonthField, "13", "1 から 12 までの整数を入力してください。"},
      {&CValidationParamDialog::daysField, "301", "0 から 300 までの整数を入力してください。"},
      {&CValidationParamDialog::riseField, "101", "0 から 100 までの整数を入力してください。"},
      {&CValidationParamDialog::tradedField, "x", "整数を入力してください。"},
  };
  for (const Case& c : cases) {
    CValidationParamDialog dialog(2025, 6, frame_);
    testing::TypeInto((dialog.*c.field)(), c.text);
    bool answered;
    testing::AnswerNextDialog<QMessageBox>([](QMessageBox* box) { box->accept(); }, &answered);
    dialog.accept();
    EXPECT_TRUE(answered) << c.text;
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << c.text << ": the dialog stays open";
    EXPECT_EQ(dialog.lastRefusal(), QString::fromUtf8(c.message));
  }
  // The edges are accepted, and give the parameters.
  CValidationParamDialog dialog(2025, 6, frame_);
  testing::TypeInto(dialog.daysField(), "300");
  testing::TypeInto(dialog.fallField(), "0");
  testing::TypeInto(dialog.fromYearField(), "2100");
  dialog.withinButton()->setChecked(true);
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const ValidationParams p = dialog.params();
  EXPECT_EQ(p.horizonDays, 300);
  EXPECT_EQ(p.fallPercent, 0);
  EXPECT_EQ(p.fromYear, 2100);
  EXPECT_EQ(p.afterMode, 0);
  EXPECT_EQ(p.wholePeriod, 0);  // typing a date chose "指定期間"
}

TEST_F(HistoryWindowsTest, CancelMakesNoReport) {
  bool opened = false;
  CValidationCommand* command = frame_->validationCommand();
  QObject::connect(command, &CValidationCommand::ReportOpened, [&opened] { opened = true; });
  command->Start(DefaultValidationParams(2025, 1));
  QPointer<CValidationBatchDialog> batch = command->batchDialog();
  ASSERT_NE(batch, nullptr);
  EXPECT_EQ(batch->windowTitle(), "抽出条件評価中");
  // Cancel between two ticks, once the batch is under way.
  while (batch && batch->job().done() == 0) QTest::qWait(1);
  ASSERT_TRUE(batch) << "the batch ended before it could be cancelled";
  EXPECT_LT(batch->job().done(), batch->job().total());
  QTest::mouseClick(batch->cancelButton(), Qt::LeftButton);
  for (int i = 0; i < 50; ++i) QTest::qWait(5);
  EXPECT_FALSE(opened);
  EXPECT_EQ(command->batchDialog(), nullptr);
  EXPECT_TRUE(frame_->findChildren<CAnalizeRuleReportWnd*>().isEmpty());
}

TEST_F(HistoryWindowsTest, TheReportWindowShowsTheLinesAndSavesTheFile) {
  ValidationParams params = DefaultValidationParams(2025, 1);
  params.horizonDays = 10;
  CAnalizeRuleReportWnd* window = RunReport(params);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "抽出条件の検証レポート");
  EXPECT_EQ(window->size(), QSize(440, 280));
  const CAnalizeRuleReportDoc& doc = window->document();
  ASSERT_EQ(doc.lineCount(), app_->rules().count + 1);
  const QStringList lines = window->view()->lines();
  ASSERT_EQ(lines.size(), doc.lineCount());
  EXPECT_TRUE(lines[0].startsWith("全事象　　　　　　  \t"));
  EXPECT_EQ(window->view()->criterionField()->text(), "10日後に10%以上上昇または8%以上下落");
  EXPECT_EQ(window->view()->periodField()->text(), "蓄積データ全期間");
  EXPECT_EQ(window->view()->universeField()->text(), "値付き率80%以上の銘柄");
  // The columns stay straight in a proportional font: no field runs into the next column.
  const std::vector<int> columns = window->view()->ColumnPixels();
  const QFontMetrics metrics(window->view()->list()->font());
  ASSERT_EQ(columns.size(), 5u);
  for (const QString& line : lines) {
    for (int k = 0; k < 4; ++k) {
      EXPECT_LT(columns[k] + metrics.horizontalAdvance(line.section('\t', k, k)), columns[k + 1])
          << line.toStdString();
    }
  }

  // "ファイルに保存" through its dialog: the file holds the report's bytes.
  const QString path = QString::fromStdString(dir_.File("report"));
  bool answered;
  testing::AnswerNextDialog<QFileDialog>(
      [&path](QFileDialog* d) {
        EXPECT_EQ(d->defaultSuffix(), "txt");
        d->selectFile(path);
        static_cast<QDialog*>(d)->accept();
      },
      &answered);
  QTest::mouseClick(window->view()->saveButton(), Qt::LeftButton);
  ASSERT_TRUE(answered);
  const std::vector<uint8_t> bytes = testing::ReadBytes(path.toStdString() + ".txt");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), doc.FileText());
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 12), Utf8ToCp932("評価基準：10"));

  // A file that cannot be written is reported, not passed over.
  QString error;
  EXPECT_FALSE(window->SaveTo(QString::fromStdString(dir_.File("no/such/folder/x.txt")), &error));
  EXPECT_FALSE(error.isEmpty());
}

// Two weighted rules for the signal chart's scales: enabled weights 0.5 and 0.3, and 2 and -1.
void WeightedRules(CRuleList* rules, const SettingsRecord& settings) {
  const double weights[2][2] = {{0.5, 0.3}, {2, -1}};
  for (int r = 0; r < 2; ++r) {
    ConditionSet& set = rules->sets[static_cast<size_t>(r)];
    InitConditionSet(&set, settings);
    set.mode = 1;
    set.enabled[0] = set.enabled[1] = 1;
    set.minPrice = 0;
    set.maxPrice = 1000000;
    set.weights[0] = weights[r][0];
    set.weights[1] = weights[r][1];
  }
}

TEST_F(HistoryWindowsTest, TheSignalChartScalesItsRowsByTheRulesWeights) {
  WeightedRules(&app_->rules(), app_->settings());
  frame_->stockList()->setCurrentRow(2);
  QCoreApplication::processEvents();
  frame_->action(kCmdSignalChart)->trigger();
  CSignalChartFrame* chart = frame_->signalChart();
  ASSERT_NE(chart, nullptr);
  EXPECT_TRUE(frame_->action(kCmdSignalChart)->isChecked());
  EXPECT_EQ(chart->windowTitle(), "抽出条件可視化チャート");
  EXPECT_EQ(chart->statusPane(1)->text(), "日足");
  ASSERT_TRUE(QTest::qWaitForWindowExposed(chart));
  chart->view()->repaint();
  ASSERT_EQ(chart->view()->source().computations(), 1);
  const auto& rows = chart->view()->source().values();
  EXPECT_EQ(rows[0].low, 0);  // 0.5 + 0.3 does not raise the top above 1
  EXPECT_EQ(rows[0].high, 1);
  EXPECT_EQ(rows[1].low, -1);
  EXPECT_EQ(rows[1].high, 2);
  // The price is within both bounds every day: each shown bar scores the two weights' sum.
  const int count = frame_->document()->series().barCount();
  EXPECT_DOUBLE_EQ(rows[0].values[static_cast<size_t>(count - 1)], 0.8);
  EXPECT_EQ(rows[1].values[static_cast<size_t>(count - 1)], 1);

  // A repaint computes nothing; a slot choice, another stock do.
  const int computed = chart->view()->source().computations();
  chart->view()->repaint();
  EXPECT_EQ(chart->view()->source().computations(), computed);
  QComboBox* slot2 = chart->control()->combo(2);
  slot2->setFocus();
  QCoreApplication::processEvents();
  ASSERT_GE(slot2->count(), 2);
  slot2->setCurrentIndex(0);
  emit slot2->activated(0);
  EXPECT_EQ(app_->rules().chartSlots[2], 0);
  EXPECT_EQ(chart->view()->source().computations(), computed + 1);
  EXPECT_EQ(chart->view()->source().values()[2].values, rows[0].values);
  frame_->stockList()->setCurrentRow(3);
  QCoreApplication::processEvents();
  chart->view()->repaint();
  EXPECT_EQ(chart->view()->source().computations(), computed + 2);

  // The mouse reads out the bar under it into the status bar.
  const QPointF at(chart->view()->width() - 3, 40);
  QMouseEvent move(QEvent::MouseMove, at, chart->view()->mapToGlobal(at), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(chart->view(), &move);
  const CPriceSeries& now = frame_->document()->series();
  const PriceBar& last = now.bars[static_cast<size_t>(now.barCount() - 1)];
  EXPECT_TRUE(chart->statusPane(0)->text().startsWith(
      QString("%1/%2/%3 ").arg(last.year).arg(last.month).arg(last.day)))
      << chart->statusPane(0)->text().toStdString();

  frame_->action(kCmdSignalChart)->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(frame_->signalChart(), nullptr);
  EXPECT_FALSE(frame_->action(kCmdSignalChart)->isChecked());
}

}  // namespace
}  // namespace korvale
