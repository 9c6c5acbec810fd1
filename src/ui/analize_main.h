// The form view of the screening window: a tab control with the page "テクニカル" (the technical
// panel) and the page "ランキング／レコード" (the ranking panel). Choosing a page resizes the
// window to fit that page.
#ifndef KORVALE_UI_ANALIZE_MAIN_H_
#define KORVALE_UI_ANALIZE_MAIN_H_

#include <QWidget>

class QTabWidget;

namespace korvale {

class CKorvaleDoc;
class CRankingPanel;
class CRuleList;
class CTechnicalPanel;

class CAnalizeMain : public QWidget {
  Q_OBJECT

 public:
  // Heights by page: the view, its tab control and the page's panel. The window is 40 pixels
  // taller than its view (title bar and borders) and keeps its width.
  static constexpr int kTechnicalViewHeight = 396;
  static constexpr int kTechnicalTabHeight = 384;
  static constexpr int kTechnicalPanelHeight = 350;
  static constexpr int kRankingViewHeight = 180;
  static constexpr int kRankingTabHeight = 168;
  static constexpr int kRankingPanelHeight = 134;
  static constexpr int kViewWidth = 476;
  static constexpr int kTabWidth = 468;
  static constexpr int kPanelWidth = 460;
  static constexpr int kTechnicalPage = 0;
  static constexpr int kRankingPage = 1;

  // `doc` is the main document (records, dictionary, stock list); `rules` the application's.
  CAnalizeMain(CKorvaleDoc* doc, CRuleList* rules, QWidget* parent = nullptr);

  QTabWidget* tabs() const { return tabs_; }
  CTechnicalPanel* technicalPanel() const { return technical_; }
  CRankingPanel* rankingPanel() const { return ranking_; }

 signals:
  // Either page filled the document's stock list; `title` is what the thumbnail window shows.
  void Listed(const QString& title);

 private:
  void showPage(int page);

  QTabWidget* tabs_;
  CTechnicalPanel* technical_;
  CRankingPanel* ranking_;
};

}  // namespace korvale

#endif  // KORVALE_UI_ANALIZE_MAIN_H_
