// An auxiliary chart window (カギ足, 新値足 or 逆ウォッチ曲線): the chart of the main document's
// stock above, the slider setting its parameter below.
#ifndef KORVALE_UI_EXTRA_CHART_FRAME_H_
#define KORVALE_UI_EXTRA_CHART_FRAME_H_

#include <QWidget>

class QSplitter;

namespace korvale {

class CExtraChartCntlView;
class CExtraChartView;
class CKorvaleDoc;
struct SettingsRecord;

class CExtraChartFrame : public QWidget {
  Q_OBJECT

 public:
  // A window of kind `kindId` (kChartKagi, kChartNewPrice, kChartReverseWatch) on `doc` with the
  // application's `settings`, both outliving it; 320 x 334 pixels, the chart 236 high over the
  // controls. It deletes itself on close.
  CExtraChartFrame(CKorvaleDoc* doc, const SettingsRecord& settings, int kindId,
                   QWidget* parent = nullptr);

  int kindId() const { return kindId_; }
  CExtraChartView* view() const { return view_; }
  CExtraChartCntlView* controls() const { return controls_; }

  // After the document opened another stock or its painter took new settings: the slider reads
  // the application's settings again and the chart redraws.
  void Refresh();

 private:
  int kindId_;
  QSplitter* splitter_ = nullptr;
  CExtraChartView* view_ = nullptr;
  CExtraChartCntlView* controls_ = nullptr;
};

}  // namespace korvale

#endif  // KORVALE_UI_EXTRA_CHART_FRAME_H_
