// The signal chart window "抽出条件可視化チャート": the chart pane and the control pane side by
// side, a tool bar (the rule editor, the candle and Ichimoku styles) and a status bar with the
// mouse read-out. It shows the main window's stock and is redrawn when that changes.
#ifndef KORVALE_UI_SIGNAL_CHART_FRAME_H_
#define KORVALE_UI_SIGNAL_CHART_FRAME_H_

#include <QMainWindow>

class QAction;
class QLabel;
class QSplitter;

namespace korvale {

class CKorvaleApp;
class CMainFrame;
class CSignalChartCntl;
class CSignalChartView;

class CSignalChartFrame : public QMainWindow {
  Q_OBJECT

 public:
  // Over `main`'s document and `app`'s rules and settings; deletes itself when it closes.
  CSignalChartFrame(CKorvaleApp* app, CMainFrame* main);
  ~CSignalChartFrame() override;

  // The main window's stock, span or settings changed: draw again.
  void Redraw();

  CSignalChartView* view() const { return view_; }
  CSignalChartCntl* control() const { return cntl_; }
  QAction* styleAction(int style) const { return style == 0 ? candles_ : ichimoku_; }
  QAction* ruleEditorAction() const { return ruleEditor_; }
  QLabel* statusPane(int index) const { return panes_[index]; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // Leaves the window's size in the settings, so that it opens at that size next time.
  void closeEvent(QCloseEvent* event) override;

 private:
  void chooseSlot(int slot, int index);

  CKorvaleApp* app_;
  CSignalChartView* view_;
  CSignalChartCntl* cntl_;
  QSplitter* splitter_;
  QAction* ruleEditor_;
  QAction* candles_;
  QAction* ichimoku_;
  QLabel* panes_[3] = {};
};

}  // namespace korvale

#endif  // KORVALE_UI_SIGNAL_CHART_FRAME_H_
