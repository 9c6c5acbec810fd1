// The Ichimoku and auxiliary chart windows, opened and driven through the main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>

#include "app/korvale_doc.h"
#include "charts/chart_kind.h"
#include "charts/chart_painter.h"
#include "store/settings_field_rules.h"
#include "ui/extra_chart_cntl_view.h"
#include "ui/extra_chart_frame.h"
#include "ui/imok_chart_frm.h"
#include "ui/imoku_chart_view.h"
#include "ui/korvale_app.h"
#include "ui/korvale_view.h"
#include "ui/main_commands.h"
#include "ui/main_frame.h"
#include "ui/settings_dialog.h"
#include "ui/settings_form.h"
#include "ui_test_fixtures.h"

namespace korvale {
namespace {

class ChartWindowsTest : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    root_ = testing::CopySampleRoot(dir_);
    ASSERT_FALSE(root_.empty());
    StartProgram(root_);
    ASSERT_TRUE(app_->startError().isEmpty());
  }
};

TEST_F(ChartWindowsTest, IchimokuWindowFollowsTheStockAndKeepsItsOwnPeriod) {
  Pick(2);
  QAction* command = frame_->action(kCmdIchimoku);
  ASSERT_NE(command, nullptr);
  command->trigger();
  CIMokChartFrm* window = frame_->ichimokuWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(command->isChecked());
  EXPECT_EQ(window->windowTitle(), "一目均衡表");
  EXPECT_EQ(window->statusPane(1)->text(), "日足");
  // It reads out the newest bar of the main window's stock, through the document's painter.
  const CPriceSeries& series = frame_->document()->series();
  const PriceBar& last = series.bars.back();
  EXPECT_TRUE(window->statusPane(0)->text().startsWith(
      QString("%1/%2/%3 ").arg(last.year).arg(last.month).arg(last.day)));

  // Another stock in the main window: the Ichimoku window shows it.
  Pick(5);
  const PriceBar& other = frame_->document()->series().bars.back();
  EXPECT_EQ(window->view()->HitAt(-1, -1).close, other.close);
  EXPECT_EQ(window->statusPane(0)->text(), frame_->statusPane(0)->text());

  // Its own tool bar switches its period; the main chart's period stays.
  window->action(kChartWeekly)->trigger();
  EXPECT_EQ(frame_->document()->ichimokuKind(), kChartWeekly);
  EXPECT_EQ(frame_->document()->chartPeriod(), kChartDaily);
  EXPECT_EQ(window->statusPane(1)->text(), "週足");
  EXPECT_EQ(window->view()->HitAt(-1, -1).close, frame_->document()->series().weeks.back().close);

  // Closed and opened again, it shows the period it had.
  command->trigger();
  DeleteClosedWindows();
  EXPECT_EQ(frame_->ichimokuWindow(), nullptr);
  EXPECT_FALSE(command->isChecked());
  command->trigger();
  ASSERT_NE(frame_->ichimokuWindow(), nullptr);
  EXPECT_EQ(frame_->ichimokuWindow()->statusPane(1)->text(), "週足");
  EXPECT_TRUE(frame_->ichimokuWindow()->action(kChartWeekly)->isChecked());
}

TEST_F(ChartWindowsTest, IchimokuSettingsOpenAtTheirPageAndReachThePainter) {
  Pick(2);
  frame_->action(kCmdIchimoku)->trigger();
  CIMokChartFrm* window = frame_->ichimokuWindow();
  ASSERT_NE(window, nullptr);
  int page = -1;
  bool answered = false;
  testing::AnswerNextDialog<CSettingsDialog>(
      [&page](CSettingsDialog* d) {
        page = d->tabs()->currentIndex();
        testing::TypeInto(qobject_cast<QLineEdit*>(d->form()->control("ichimokuDailyBase")),
                          "30");
        d->okButton()->click();
      },
      &answered);
  window->action(CIMokChartFrm::kSettingsCommand)->trigger();
  ASSERT_TRUE(answered);
  EXPECT_EQ(page, kSettingsPageIchimoku);
  EXPECT_EQ(app_->settings().ichimokuDailyBase, 30);
  EXPECT_EQ(frame_->document()->painter()->settings().ichimokuDailyBase, 30);

  // Its size is kept when it closes and taken by the next one.
  window->resize(700, 480);
  window->close();
  DeleteClosedWindows();
  EXPECT_EQ(app_->settings().ichimokuWindowWidth, 700);
  EXPECT_EQ(app_->settings().ichimokuWindowHeight, 480);
  frame_->action(kCmdIchimoku)->trigger();
  ASSERT_NE(frame_->ichimokuWindow(), nullptr);
  EXPECT_EQ(frame_->ichimokuWindow()->size(), QSize(700, 480));
}

TEST_F(ChartWindowsTest, AuxiliaryWindowsToggleAndTheirSliderSetsThePaintersCopy) {
  Pick(3);
  for (int kind : {kCmdKagi, kCmdNewPrice, kCmdReverseWatch}) {
    QAction* command = frame_->action(kind);
    ASSERT_NE(command, nullptr);
    command->trigger();
    CExtraChartFrame* window = frame_->extraChartWindow(kind);
    ASSERT_NE(window, nullptr) << kind;
    EXPECT_TRUE(command->isChecked());
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8(FindChartKind(kind)->caption));
    EXPECT_EQ(window->size(), QSize(320, 334));
  }
  // The kagi slider in percent (the default mode): its top end goes to the painter's copy and
  // shows as the number; the application's settings keep their value.
  CExtraChartCntlView* kagi = frame_->extraChartWindow(kCmdKagi)->controls();
  EXPECT_EQ(kagi->slider()->maximum(), 100);
  EXPECT_EQ(kagi->number()->text(), "10");
  kagi->slider()->setValue(100);
  EXPECT_EQ(kagi->number()->text(), "100");
  EXPECT_EQ(frame_->document()->painter()->settings().kagiReversalPercent, 100);
  EXPECT_EQ(app_->settings().kagiReversalPercent, 10);
  // Another stock: a fresh painter, and the slider reads the settings again.
  Pick(4);
  EXPECT_EQ(kagi->number()->text(), "10");
  EXPECT_EQ(frame_->document()->painter()->settings().kagiReversalPercent, 10);

  // Each command closes its window again and reopens it.
  QAction* newPrice = frame_->action(kCmdNewPrice);
  newPrice->trigger();
  DeleteClosedWindows();
  EXPECT_EQ(frame_->extraChartWindow(kCmdNewPrice), nullptr);
  EXPECT_FALSE(newPrice->isChecked());
  EXPECT_TRUE(frame_->action(kCmdKagi)->isChecked());
  newPrice->trigger();
  EXPECT_NE(frame_->extraChartWindow(kCmdNewPrice), nullptr);
}

}  // namespace
}  // namespace korvale
