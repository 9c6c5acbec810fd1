// The screening window "銘柄抽出": a frame around the screening view, opened by the analysis
// command with the main document once the analysis records are ready. Its document title tells
// which records it screens: "最新の" or the as-of date.
#ifndef KORVALE_UI_ANALIZE_FRAME_H_
#define KORVALE_UI_ANALIZE_FRAME_H_

#include <QMainWindow>
#include <QString>

namespace korvale {

class CAnalizeMain;
class CKorvaleDoc;
class CRuleList;

class CAnalizeFrame : public QMainWindow {
  Q_OBJECT

 public:
  // The window as created: 484 x 436 with its title bar and borders, the view 40 pixels lower.
  static constexpr int kFrameWidth = 484;
  static constexpr int kFrameHeight = 436;

  // A window of its own (a child of the main window `parent`, closed with it) on `doc` and
  // `rules`, which outlive it. `documentTitle` is "最新の" or "%04d/%02d/%02d".
  CAnalizeFrame(CKorvaleDoc* doc, CRuleList* rules, const QString& documentTitle, QWidget* parent);

  CAnalizeMain* view() const { return view_; }
  const QString& documentTitle() const { return documentTitle_; }

 signals:
  // A run filled the main document's stock list; `title` is what the thumbnail window shows.
  void Listed(const QString& title);

 private:
  CAnalizeMain* view_;
  QString documentTitle_;
};

}  // namespace korvale

#endif  // KORVALE_UI_ANALIZE_FRAME_H_
