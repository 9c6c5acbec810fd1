// The trend-line editor as a user drives it with the mouse, on a copy of the sample database:
// drawing, picking, moving an end, switching the kind, deleting, and the line file's bytes
// after each.
#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QTest>
#include <filesystem>

#include "app/korvale_doc.h"
#include "store/file_io.h"
#include "store/price_records.h"
#include "ui/free_line_edit_frame.h"
#include "ui/free_line_edit_view.h"
#include "ui/korvale_app.h"
#include "ui/main_commands.h"
#include "ui/main_frame.h"
#include "ui_test_fixtures.h"

namespace korvale {
namespace {

namespace fs = std::filesystem;

// A line as the file should hold it: its points by series index (beyond the last bar counted
// past it) and price, and its kind.
struct Expected {
  int index1, price1, index2, price2, kind;
};

class LineEditorTest : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    root_ = testing::CopySampleRoot(dir_);
    ASSERT_FALSE(root_.empty());
    StartProgram(root_);
    Pick(2);
    frame_->action(kCmdLineEditor)->trigger();
    editor_ = frame_->lineEditor();
    ASSERT_NE(editor_, nullptr);
    editor_->resize(900, 500);
    QCoreApplication::processEvents();
    view()->repaint();  // the editor's mapping comes from its first drawing
  }
  CKorvaleDoc* doc() { return frame_->document(); }
  CChartPainter* painter() { return doc()->painter(); }
  CFreeLineEditView* view() { return editor_->view(); }
  std::string LinePath() { return doc()->series().linePath; }

  // The viewport pixel of a chart point (window index, price).
  QPoint At(double bar, double price) {
    const CanvasPoint p = painter()->EditorToPixel(bar, price);
    return QPoint(p.x - view()->scrollX(), p.y);
  }
  void Send(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(p), view()->viewport()->mapToGlobal(QPointF(p)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(view()->viewport(), &event);
  }
  // Presses at `from`, moves a pixel (where a drag decides what it takes up), drags to `to` and
  // lets go there.
  void DragLine(QPoint from, QPoint to) {
    Send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Send(QEvent::MouseMove, from + QPoint(1, 0), Qt::NoButton, Qt::LeftButton);
    Send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    view()->repaint();
  }
  void Click(QPoint p) {
    Send(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    view()->repaint();
  }

  // Saves as switching the stock does and compares the file with the lines expected.
  void ExpectFile(const std::vector<Expected>& lines) {
    std::string error;
    ASSERT_TRUE(doc()->SaveTrendLines(&error)) << error;
    if (lines.empty()) {
      EXPECT_FALSE(fs::exists(LinePath()));
      return;
    }
    const CPriceSeries& s = doc()->series();
    std::vector<uint8_t> expected(lines.size() * kTrendLineFileRecordSize);
    for (size_t i = 0; i < lines.size(); ++i) {
      TrendLineFileRecord r;
      auto point = [&](int index, int16_t* y, int8_t* m, int8_t* d, int32_t* beyond) {
        const PriceBar& b = s.bars[std::min(index, s.barCount() - 1)];
        *y = b.year;
        *m = b.month;
        *d = b.day;
        *beyond = std::max(0, index - s.barCount() + 1);
      };
      point(lines[i].index1, &r.year1, &r.month1, &r.day1, &r.beyond1);
      point(lines[i].index2, &r.year2, &r.month2, &r.day2, &r.beyond2);
      r.price1 = lines[i].price1;
      r.price2 = lines[i].price2;
      r.kind = lines[i].kind;
      EncodeTrendLineFileRecord(r, expected.data() + i * kTrendLineFileRecordSize);
    }
    EXPECT_EQ(testing::ReadBytes(LinePath()), expected);
  }
  // The line the painter holds at `i`, as the file will hold it.
  Expected Held(int i) {
    const ChartTrendLine& t = painter()->trendLines()[i];
    const int hidden = painter()->hiddenCount();
    return {t.x1 + hidden, t.price1, t.x2 + hidden, t.price2, t.kind};
  }
  // Chart point under a viewport pixel.
  std::pair<int, int> World(QPoint p) {
    int bar = 0, price = 0;
    EXPECT_TRUE(painter()->EditorToWorld(p.x() + view()->scrollX(), p.y(), &bar, &price));
    return {bar, price};
  }

  CFreeLineEditFrame* editor_ = nullptr;
};

TEST_F(LineEditorTest, DrawingAddsALineOnlyForFortyPixelsInOneDirection) {
  ASSERT_NE(painter(), nullptr);
  EXPECT_TRUE(editor_->action(kCmdLineDraw)->isChecked());  // draw mode at first
  EXPECT_FALSE(editor_->action(kCmdLineDelete)->isEnabled());
  const int wc = painter()->windowCount();
  const PriceBar& last = doc()->series().bars.back();
  const QPoint a = At(wc - 60, last.close);
  DragLine(a, a + QPoint(39, 39));
  EXPECT_TRUE(painter()->trendLines().empty());
  ExpectFile({});

  DragLine(a, a + QPoint(40, 0));
  DragLine(a, a + QPoint(0, 40));
  ASSERT_EQ(painter()->trendLines().size(), 2u);
  // The ends are where the button went down and came up.
  const auto [bar1, price1] = World(a);
  const auto [bar2, price2] = World(a + QPoint(0, 40));
  const Expected vertical = Held(1);
  EXPECT_EQ(vertical.index1, bar1 + painter()->hiddenCount());
  EXPECT_EQ(vertical.price1, price1);
  EXPECT_EQ(vertical.index2, bar2 + painter()->hiddenCount());
  EXPECT_EQ(vertical.price2, price2);
  ExpectFile({Held(0), Held(1)});
  // A release outside the chart (beyond the forty bars of room) adds nothing.
  DragLine(a, At(wc + 45, last.close));
  EXPECT_EQ(painter()->trendLines().size(), 2u);
}

TEST_F(LineEditorTest, SelectingPicksTheNearestLineAndEditsIt) {
  const int wc = painter()->windowCount();
  const int price = doc()->series().bars.back().close;
  // Two lines six pixels apart: the second is within reach of a click on the first.
  const QPoint a = At(wc - 60, price), b = At(wc - 20, price);
  DragLine(a, b);
  DragLine(a + QPoint(0, 6), b + QPoint(0, 6));
  ASSERT_EQ(painter()->trendLines().size(), 2u);

  editor_->action(kCmdLineSelect)->trigger();
  Click(a + QPoint(60, 6));
  EXPECT_EQ(view()->model().selected(), 1);  // the nearer one, not the older
  EXPECT_TRUE(editor_->action(kCmdLineDelete)->isEnabled());
  Click(a + QPoint(60, 1));
  EXPECT_EQ(view()->model().selected(), 0);
  Click(a + QPoint(-100, 0));  // nothing there
  EXPECT_EQ(view()->model().selected(), -1);
  EXPECT_FALSE(editor_->action(kCmdLineSwitchKind)->isEnabled());

  // Moving the second end of line 0: the first stays, the moved line is new and selected.
  Click(a + QPoint(60, 1));
  const Expected before = Held(0);
  const QPoint to = b + QPoint(30, -50);
  DragLine(b, to);
  ASSERT_EQ(painter()->trendLines().size(), 3u);
  EXPECT_TRUE(painter()->trendLines()[0].deleted);
  EXPECT_EQ(view()->model().selected(), 2);
  const Expected moved = Held(2);
  EXPECT_EQ(moved.index1, before.index1);
  EXPECT_EQ(moved.price1, before.price1);
  EXPECT_EQ(moved.index2, World(to).first + painter()->hiddenCount());
  EXPECT_EQ(moved.price2, World(to).second);
  ExpectFile({Held(1), Held(2)});

  // An end dropped outside the chart leaves the line as it was.
  DragLine(At(moved.index2 - painter()->hiddenCount(), moved.price2), At(wc + 60, price));
  EXPECT_FALSE(painter()->trendLines()[2].deleted);
  EXPECT_EQ(painter()->trendLines().size(), 3u);
  ExpectFile({Held(1), Held(2)});

  // 抵抗線<->支持線 toggles the kind and toggles it back.
  const int kind = Held(2).kind;
  editor_->action(kCmdLineSwitchKind)->trigger();
  EXPECT_EQ(Held(2).kind, kind == kLineSupport ? kLineResistance : kLineSupport);
  ExpectFile({Held(1), Held(2)});
  editor_->action(kCmdLineSwitchKind)->trigger();
  EXPECT_EQ(Held(2).kind, kind);
}

TEST_F(LineEditorTest, DeletingTheLastLineLeavesNoLineWhenTheStockIsOpenedAgain) {
  const int wc = painter()->windowCount();
  const int price = doc()->series().bars.back().close;
  const QPoint a = At(wc - 50, price), b = At(wc - 10, price);
  DragLine(a, b);
  // Moved as a whole by the mouse's offset: both ends go along.
  editor_->action(kCmdLineSelect)->trigger();
  const Expected before = Held(0);
  const QPoint middle = (a + b) / 2;
  DragLine(middle, middle + QPoint(-20, 30));
  ASSERT_EQ(painter()->trendLines().size(), 2u);
  const auto [fromBar, fromPrice] = World(middle);
  const auto [toBar, toPrice] = World(middle + QPoint(-20, 30));
  const Expected moved = Held(1);
  EXPECT_EQ(moved.index1, before.index1 + toBar - fromBar);
  EXPECT_EQ(moved.price2, before.price2 + toPrice - fromPrice);
  ExpectFile({moved});

  // Switch stocks: the lines go to the file and come back with the stock.
  Pick(3);
  Pick(2);
  ASSERT_EQ(painter()->trendLines().size(), 1u);
  view()->repaint();
  Click(At(moved.index1 - painter()->hiddenCount() + 5,
           moved.price1 + (moved.price2 - moved.price1) * 5.0 / (moved.index2 - moved.index1)));
  ASSERT_EQ(view()->model().selected(), 0);
  QTest::keyClick(view(), Qt::Key_Delete);
  EXPECT_TRUE(painter()->trendLines()[0].deleted);
  const std::string path = LinePath();
  Pick(3);
  EXPECT_FALSE(fs::exists(path));
  Pick(2);
  EXPECT_TRUE(painter()->trendLines().empty());
  EXPECT_FALSE(fs::exists(LinePath()));
}

TEST_F(LineEditorTest, ALineOutsideTheDataStaysAsItWasRead) {
  // Two records: one on a day the stock never traded, one far beyond the newest day.
  const std::string path = LinePath();
  TrendLineFileRecord off, far;
  off.year1 = 1901;
  off.month1 = off.day1 = 1;
  off.year2 = 1901;
  off.month2 = 2;
  off.day2 = 1;
  off.price1 = off.price2 = 500;
  off.kind = 1;
  const PriceBar& last = doc()->series().bars.back();
  far.year1 = far.year2 = last.year;
  far.month1 = far.month2 = last.month;
  far.day1 = far.day2 = last.day;
  far.beyond1 = 1;
  far.beyond2 = 100000000;
  far.price1 = 1;
  far.price2 = 2000000000;
  far.kind = 4;
  std::vector<uint8_t> bytes(2 * kTrendLineFileRecordSize);
  EncodeTrendLineFileRecord(off, bytes.data());
  EncodeTrendLineFileRecord(far, bytes.data() + kTrendLineFileRecordSize);
  fs::create_directories(fs::path(path).parent_path());
  testing::WriteBytes(path, bytes);
  Pick(3);
  Pick(2);
  ASSERT_EQ(painter()->trendLines().size(), 2u);
  view()->repaint();  // draws without trouble
  frame_->view()->repaint();
  editor_->action(kCmdLineSelect)->trigger();
  Click(At(painter()->windowCount() - 1, last.close));
  editor_->close();  // the window writes the lines as it goes
  QCoreApplication::processEvents();
  EXPECT_EQ(frame_->lineEditor(), nullptr);
  EXPECT_FALSE(frame_->action(kCmdLineEditor)->isChecked());
  EXPECT_EQ(testing::ReadBytes(path), bytes);
}

}  // namespace
}  // namespace korvale
