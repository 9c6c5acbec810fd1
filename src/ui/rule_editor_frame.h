// The rule editor window ("銘柄抽出条件編集"): a child window of the main window holding the
// rule editor view. The main window's command 32872 opens and closes it.
#ifndef KORVALE_UI_RULE_EDITOR_FRAME_H_
#define KORVALE_UI_RULE_EDITOR_FRAME_H_

#include <QMainWindow>

namespace korvale {

class CRuleEditor;
class CRuleList;

class CRuleEditorFrame : public QMainWindow {
  Q_OBJECT

 public:
  // A window of its own (a child of `parent`, closed with it) on `rules`, which outlive it.
  CRuleEditorFrame(CRuleList* rules, QWidget* parent);

  CRuleEditor* editor() const { return editor_; }

 private:
  void createMenus();

  CRuleEditor* editor_;
};

}  // namespace korvale

#endif  // KORVALE_UI_RULE_EDITOR_FRAME_H_
