// The technical panel: where a screening rule is chosen, edited, saved, created, deleted and run.
// It edits a working copy of one rule of the rule list; edits reach the list and the rule file
// only through "保存". The same panel is the page "テクニカル" of the screening window (with the
// button "銘柄抽出") and the whole of the rule editor window (with "適用" in its place).
#ifndef KORVALE_UI_TECHNICAL_PANEL_H_
#define KORVALE_UI_TECHNICAL_PANEL_H_

#include <QWidget>
#include <array>

#include "screening/condition_set.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korvale {

class CConditionList;
class CConditionParamDialog;
class CKorvaleDoc;
class CRuleList;

class CTechnicalPanel : public QWidget {
  Q_OBJECT

 public:
  enum class Place { kScreening, kEditor };

  // Works on `rules` (the application's, which outlives the panel). `doc` is the main document
  // whose analysis records a run reads and whose stock list it fills; null in the rule editor,
  // where nothing runs. Starts with the first rule of the list as the working copy.
  CTechnicalPanel(CRuleList* rules, CKorvaleDoc* doc, Place place, QWidget* parent = nullptr);

  const ConditionSet& workingCopy() const { return working_; }
  int ruleIndex() const { return ruleIndex_; }

  // Makes rule `index` of the list the working copy and loads the controls, as choosing it in
  // the rule combo box does; unsaved edits of the working copy are dropped.
  void SelectRule(int index);
  // Refills the rule combo box from the list and reselects the current index (on focus).
  void RefillRuleCombo();
  // The controls into the working copy: mode, threshold, the check boxes and every dialog.
  // False when the threshold field holds no number (empty, or only a sign): the copy then
  // keeps its previous threshold.
  bool CollectControls();
  // The working copy into the controls.
  void LoadControls();

  // The buttons' work. The run lists the stocks whose records the rule accepts in the main
  // window's stock list; it does nothing without a main document.
  void NewRule();
  void DeleteRule();
  void SaveRule();
  void RunRule();

  // The controls, for the windows around the panel and the tests.
  QComboBox* ruleCombo() const { return ruleCombo_; }
  CConditionList* conditionList() const { return list_; }
  CConditionParamDialog* paramDialog(int type) const { return dialogs_[type]; }
  QLineEdit* thresholdEdit() const { return thresholdEdit_; }
  QRadioButton* modeButton(int mode) const { return mode == 0 ? allButton_ : sumButton_; }
  QPushButton* newButton() const { return newButton_; }
  QPushButton* deleteButton() const { return deleteButton_; }
  QPushButton* saveButton() const { return saveButton_; }
  // "銘柄抽出" in the screening window, "適用" in the editor.
  QPushButton* runButton() const { return runButton_; }

 signals:
  // A run filled the document's stock list; `title` is what the thumbnail window shows.
  void Listed(const QString& title);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createRuleRow();
  void createConditionGroup();
  void createSettingGroup();
  void createModeRow(Place place);
  // CollectControls before a run or save; a threshold that is no number is reported.
  bool collectForUse();
  void showDialogOf(int type);
  void renewLine(int type);
  void showError(const QString& message);

  CRuleList* rules_;
  CKorvaleDoc* doc_;
  ConditionSet working_;
  int ruleIndex_ = 0;
  int mode_ = 0;
  double scoreThreshold_ = 0;  // the panel's copy of the working copy's score threshold

  QComboBox* ruleCombo_ = nullptr;
  QPushButton* newButton_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QGroupBox* conditionGroup_ = nullptr;
  CConditionList* list_ = nullptr;
  QGroupBox* settingGroup_ = nullptr;
  std::array<CConditionParamDialog*, kConditionTypeCount> dialogs_ = {};
  CConditionParamDialog* shown_ = nullptr;
  QRadioButton* allButton_ = nullptr;  // 論理積, mode 0
  QRadioButton* sumButton_ = nullptr;  // 線形和, mode 1
  QLineEdit* thresholdEdit_ = nullptr;
  QPushButton* runButton_ = nullptr;
};

}  // namespace korvale

#endif  // KORVALE_UI_TECHNICAL_PANEL_H_
