// The form view of the rule editor window: the technical panel alone, with "適用" in place of
// "銘柄抽出", on its own working copy of the rules.
#ifndef KORVALE_UI_RULE_EDITOR_H_
#define KORVALE_UI_RULE_EDITOR_H_

#include <QWidget>

namespace korvale {

class CRuleList;
class CTechnicalPanel;

class CRuleEditor : public QWidget {
  Q_OBJECT

 public:
  // The view is 460 x 460 pixels and starts on the first rule of `rules`.
  static constexpr int kViewSize = 460;

  explicit CRuleEditor(CRuleList* rules, QWidget* parent = nullptr);

  CTechnicalPanel* panel() const { return panel_; }

 private:
  CTechnicalPanel* panel_;
};

}  // namespace korvale

#endif  // KORVALE_UI_RULE_EDITOR_H_
