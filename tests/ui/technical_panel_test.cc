// The technical panel as a user drives it: choosing rules, editing parameters, new, save and
// delete, on a data root holding the sample rules.
#include "ui/technical_panel.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstring>
#include <filesystem>
#include <set>

#include "sample/sample_rules.h"
#include "screening/condition_catalogue.h"
#include "screening/rule_file.h"
#include "screening/rule_list.h"
#include "store/cp932.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"
#include "ui/condition_list.h"
#include "ui/condition_param_dialog.h"
#include "ui_test_fixtures.h"

namespace korvale {
namespace {

namespace fs = std::filesystem;

class TechnicalPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureQApplication();
    settings_ = testing::DefaultSettings();
    std::snprintf(settings_.dataRootDir, sizeof settings_.dataRootDir, "%s", root_.path().c_str());
    std::string error;
    ASSERT_TRUE(WriteSampleRules(root_.path(), settings_, &error)) << error;
    rules_.LoadRules();
    ASSERT_EQ(rules_.count, kSampleRuleCount);
    panel_ = std::make_unique<CTechnicalPanel>(&rules_, nullptr, CTechnicalPanel::Place::kEditor);
  }

  int RuleNamed(const char* utf8) { return rules_.FindByName(Utf8ToCp932(utf8)); }
  QString Line(int type, int column) { return panel_->conditionList()->LineText(type, column); }
  static void Type(QLineEdit* edit, const char* text) { testing::TypeInto(edit, text); }

  testing::TempDir root_;
  SettingsRecord settings_;
  CRuleList rules_{&settings_};
  std::unique_ptr<CTechnicalPanel> panel_;
};

TEST_F(TechnicalPanelTest, ARuleChosenInTheComboBecomesTheWorkingCopyAndUnsavedEditsAreDropped) {
  EXPECT_EQ(panel_->ruleCombo()->count(), kSampleRuleCount);
  const int rsi = RuleNamed("RSI売られすぎ反発");
  ASSERT_GE(rsi, 0);
  const int other = rsi == 0 ? 1 : 0;
  panel_->ruleCombo()->setCurrentIndex(rsi);
  EXPECT_STREQ(panel_->workingCopy().name, rules_.sets[rsi].name);
  EXPECT_EQ(panel_->workingCopy().rsi1Value, 35);
  EXPECT_TRUE(panel_->conditionList()->IsChecked(15));
  EXPECT_FALSE(panel_->conditionList()->IsChecked(0));
  EXPECT_EQ(Line(15, 1), QString("(%1日線) 35.00%以下").arg(settings_.rsiPeriod1));

  // Edit the RSI threshold and switch a condition on, without saving.
  panel_->conditionList()->SelectType(15);
  CConditionParamDialog* dialog = panel_->paramDialog(15);
  EXPECT_FALSE(dialog->isHidden());
  EXPECT_EQ(dialog->valueEdit()->text(), "35");
  Type(dialog->valueEdit(), "20");
  panel_->conditionList()->topLevelItem(0)->setCheckState(0, Qt::Checked);
  EXPECT_EQ(panel_->workingCopy().rsi1Value, 20);
  EXPECT_EQ(panel_->workingCopy().enabled[0], 1);

  // Another rule and back: the edits are gone, from the copy, the list and the dialog.
  panel_->ruleCombo()->setCurrentIndex(other);
  EXPECT_STREQ(panel_->workingCopy().name, rules_.sets[other].name);
  panel_->ruleCombo()->setCurrentIndex(rsi);
  EXPECT_EQ(panel_->workingCopy().rsi1Value, 35);
  EXPECT_EQ(panel_->workingCopy().enabled[0], 0);
  EXPECT_EQ(rules_.sets[rsi].rsi1Value, 35);
  EXPECT_EQ(Line(15, 1), QString("(%1日線) 35.00%以下").arg(settings_.rsiPeriod1));
  EXPECT_FALSE(panel_->conditionList()->IsChecked(0));
  EXPECT_EQ(dialog->valueEdit()->text(), "35");
}

TEST_F(TechnicalPanelTest, EveryEditRenewsTheLineAtOnceAndTheCheckBoxKeepsItsState) {
  panel_->NewRule();
  panel_->conditionList()->SelectType(6);  // RCI
  CConditionParamDialog* rci = panel_->paramDialog(6);
  EXPECT_EQ(rci->dayEdit()->text(), QString::number(settings_.rciPeriod1));
  EXPECT_TRUE(rci->dayEdit()->isReadOnly());
  Type(rci->valueEdit(), "-80");
  EXPECT_EQ(Line(6, 1), QString("(%1日線) -80.00%以上").arg(settings_.rciPeriod1));
  QTest::mouseClick(rci->belowButton(), Qt::LeftButton);
  EXPECT_EQ(Line(6, 1), QString("(%1日線) -80.00%以下").arg(settings_.rciPeriod1));
  Type(rci->weightEdit(), "1.5");
  EXPECT_EQ(Line(6, 2), "1.50");
  EXPECT_FALSE(panel_->conditionList()->IsChecked(6));

  panel_->conditionList()->topLevelItem(3)->setCheckState(0, Qt::Checked);
  panel_->conditionList()->SelectType(3);  // volume: only "at or above", no direction
  CConditionParamDialog* volume = panel_->paramDialog(3);
  EXPECT_TRUE(rci->isHidden());
  EXPECT_EQ(volume->aboveButton(), nullptr);
  Type(volume->valueEdit(), "1.5");
  EXPECT_EQ(Line(3, 1), "1.50倍以上");
  EXPECT_TRUE(panel_->conditionList()->IsChecked(3));

  // A half-typed number counts as 0 until it is one.
  Type(volume->valueEdit(), "-");
  EXPECT_EQ(Line(3, 1), "0.00倍以上");
  // Text that is no number cannot be typed at all.
  Type(volume->weightEdit(), "abc");
  EXPECT_EQ(volume->weightEdit()->text(), "");
  EXPECT_EQ(Line(3, 2), "0.00");

  // The edits are the working copy's, and running or saving collects them all.
  panel_->CollectControls();
  EXPECT_EQ(panel_->workingCopy().rci1Value, -80);
  EXPECT_EQ(panel_->workingCopy().rci1Direction, kAtOrBelow);
  EXPECT_EQ(panel_->workingCopy().weights[6], 1.5);
  EXPECT_EQ(panel_->workingCopy().enabled[3], 1);
  EXPECT_EQ(panel_->workingCopy().enabled[6], 0);
}

TEST_F(TechnicalPanelTest, TheModeAndADecimalThresholdAreCollected) {
  const int score = RuleNamed("高値圏スコア");
  ASSERT_GE(score, 0);
  panel_->SelectRule(score);
  EXPECT_TRUE(panel_->modeButton(1)->isChecked());
  EXPECT_EQ(panel_->thresholdEdit()->text(), "4.000000");
  Type(panel_->thresholdEdit(), "2.5");
  QTest::mouseClick(panel_->modeButton(0), Qt::LeftButton);
  panel_->CollectControls();
  EXPECT_EQ(panel_->workingCopy().mode, 0);
  EXPECT_EQ(panel_->workingCopy().scoreThreshold, 2.5);
}

// Each dialog reads and writes exactly its own type's fields: a value placed in every field of
// the type by its name comes back, and no other type's field is touched.
TEST_F(TechnicalPanelTest, AThresholdThatIsNoNumberIsReportedBeforeASave) {
  Type(panel_->thresholdEdit(), "-");
  bool answered = false;
  QString text;
  testing::AnswerNextDialog<QDialog>(
      [&](QDialog* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (box) text = box->text();
        dialog->reject();  // and a file dialog, had the save gone on, is cancelled
      },
      &answered);
  panel_->saveButton()->click();
  ASSERT_TRUE(answered);
  EXPECT_EQ(text, "評価値には数値を入力してください。");
  EXPECT_EQ(panel_->workingCopy().scoreThreshold, rules_.sets[0].scoreThreshold);
}

TEST_F(TechnicalPanelTest, EachParameterDialogEditsItsOwnTypesFields) {
  // The types whose dialog shows a read-only period, by the dialog table.
  const std::set<int> withDays = {4, 5, 6, 7, 10, 13, 15, 16, 20, 21, 23, 25, 28, 32, 33};
  for (int type = 0; type < kConditionTypeCount; ++type) {
    SCOPED_TRACE(type);
    ConditionSet source;
    InitConditionSet(&source, settings_);
    source.weights[type] = 0.75 + type;
    std::string days;
    for (const ParamField& f : ConditionParamFields()) {
      if (f.type != type) continue;
      const std::string name = f.name;
      double value = 10.25 + type;
      if (name.ends_with("Days") || name.ends_with("Months")) {
        value = 40 + type;
        days = std::to_string(40 + type);
      } else if (name.ends_with("Direction")) {
        value = kAtOrBelow;
      } else if (name.ends_with("Choice") || name.ends_with("Zone")) {
        value = ConditionChoiceCount(type) - 1;
      } else if (f.valueType == ParamType::kInt32) {
        value = 100 + type;
      }
      ASSERT_TRUE(SetConditionParam(&source, f, value));
    }
    CConditionParamDialog dialog(type);
    dialog.Load(source);
    EXPECT_EQ(dialog.dayEdit() != nullptr, withDays.count(type) == 1);
    if (dialog.dayEdit()) {
      EXPECT_EQ(dialog.dayEdit()->text().toStdString(), days);
    }

    ConditionSet back;
    InitConditionSet(&back, settings_);
    const ConditionSet fresh = back;
    dialog.Store(&back);
    EXPECT_EQ(back.weights[type], source.weights[type]);
    for (const ParamField& f : ConditionParamFields()) {
      const std::string name = f.name;
      const bool shownOnly = name.ends_with("Days") || name.ends_with("Months");
      const double expected =
          f.type == type && !shownOnly ? GetConditionParam(source, f) : GetConditionParam(fresh, f);
      EXPECT_EQ(GetConditionParam(back, f), expected) << f.name;
    }
  }
}

TEST_F(TechnicalPanelTest, NewSaveAndDeleteThroughThePanel) {
  panel_->newButton()->click();
  ASSERT_EQ(rules_.count, kSampleRuleCount + 1);
  EXPECT_EQ(panel_->ruleCombo()->count(), kSampleRuleCount + 1);
  EXPECT_EQ(panel_->ruleCombo()->currentText(), "新規抽出条件-0");
  EXPECT_EQ(panel_->ruleIndex(), kSampleRuleCount);
  EXPECT_EQ(panel_->workingCopy().enabled[0], 0);

  panel_->conditionList()->topLevelItem(0)->setCheckState(0, Qt::Checked);
  panel_->conditionList()->SelectType(0);
  Type(panel_->paramDialog(0)->valueEdit(), "500");

  // Save under a name of our own: the file holds the edits and the rule is renamed.
  const std::string path = root_.File("Rules/私の条件.ERL");
  bool answered = false;
  QString proposed;
  testing::AnswerNextDialog<QFileDialog>(
      [&](QFileDialog* dialog) {
        proposed = dialog->selectedFiles().value(0);
        dialog->selectFile(QString::fromStdString(path));
        static_cast<QDialog*>(dialog)->accept();  // the file dialog's own accept
      },
      &answered);
  panel_->saveButton()->click();
  ASSERT_TRUE(answered);
  EXPECT_TRUE(proposed.endsWith("Rules/新規抽出条件-0.ERL")) << proposed.toStdString();
  ASSERT_TRUE(fs::exists(path));
  const int saved = rules_.FindByName(Utf8ToCp932("私の条件"));
  EXPECT_EQ(saved, kSampleRuleCount);
  EXPECT_EQ(panel_->ruleCombo()->itemText(saved), "私の条件");
  CRuleList reread(&settings_);
  reread.LoadRules();
  const int again = reread.FindByName(Utf8ToCp932("私の条件"));
  ASSERT_GE(again, 0);
  EXPECT_EQ(reread.sets[again].enabled[0], 1);
  EXPECT_EQ(reread.sets[again].minPrice, 500);

  // Delete asks first; Cancel keeps everything.
  QString caption, text;
  testing::AnswerNextDialog<QMessageBox>(
      [&](QMessageBox* box) {
        caption = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::Cancel)->click();
      },
      &answered);
  panel_->deleteButton()->click();
  ASSERT_TRUE(answered);
  EXPECT_EQ(caption, "Rule削除");
  EXPECT_EQ(text, "Rule 私の条件 を削除します。");
  EXPECT_TRUE(fs::exists(path));
  EXPECT_EQ(rules_.count, kSampleRuleCount + 1);

  testing::AnswerNextDialog<QMessageBox>(
      [](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); }, &answered);
  panel_->deleteButton()->click();
  ASSERT_TRUE(answered);
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(rules_.count, kSampleRuleCount);
  EXPECT_EQ(panel_->ruleCombo()->count(), kSampleRuleCount);
  // The last rule went, so the new last one is selected and is the working copy.
  EXPECT_EQ(panel_->ruleIndex(), kSampleRuleCount - 1);
  EXPECT_STREQ(panel_->workingCopy().name, rules_.sets[kSampleRuleCount - 1].name);
}

TEST_F(TechnicalPanelTest, DeletingTheOnlyRuleLeavesAFreshRuleNumberedZero) {
  for (int i = kSampleRuleCount; i > 1; --i) ASSERT_TRUE(rules_.DeleteSet(0, nullptr));
  panel_->RefillRuleCombo();
  panel_->SelectRule(0);
  bool answered = false;
  testing::AnswerNextDialog<QMessageBox>(
      [](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); }, &answered);
  panel_->deleteButton()->click();
  ASSERT_TRUE(answered);
  ASSERT_EQ(panel_->ruleCombo()->count(), 1);
  EXPECT_EQ(panel_->ruleCombo()->currentText(), "新規抽出条件-0");
  EXPECT_STREQ(panel_->workingCopy().name, rules_.sets[0].name);
}

TEST_F(TechnicalPanelTest, TheComboShowsRulesMadeElsewhereWhenItGetsTheFocus) {
  rules_.AddNewSet();
  rules_.ResetSet(rules_.count - 1);
  EXPECT_EQ(panel_->ruleCombo()->count(), kSampleRuleCount);
  QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
  QApplication::sendEvent(panel_->ruleCombo(), &focus);
  EXPECT_EQ(panel_->ruleCombo()->count(), kSampleRuleCount + 1);
  EXPECT_EQ(panel_->ruleCombo()->currentIndex(), 0);  // the selection stays
  EXPECT_STREQ(panel_->workingCopy().name, rules_.sets[0].name);
}

TEST_F(TechnicalPanelTest, ARulePickedInThePopUpWithTheMouseBecomesTheWorkingCopy) {
  panel_->show();
  QApplication::setActiveWindow(panel_.get());
  QComboBox* combo = panel_->ruleCombo();
  const int picked = rules_.count - 1;
  ASSERT_NE(combo->currentIndex(), picked);
  QTest::mouseClick(combo, Qt::LeftButton);  // takes the focus and opens the pop-up
  QCoreApplication::processEvents();
  if (!combo->view()->isVisible()) combo->showPopup();
  QAbstractItemView* view = combo->view();
  const QRect item = view->visualRect(view->model()->index(picked, 0));
  // The pop-up ignores a release that follows its opening too closely, as a double click.
  QTest::qWait(QApplication::doubleClickInterval() + 50);
  QTest::mouseMove(view->viewport(), item.center());
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
  QCoreApplication::processEvents();
  ASSERT_FALSE(view->isVisible());
  EXPECT_EQ(combo->currentIndex(), picked);
  EXPECT_STREQ(panel_->workingCopy().name, rules_.sets[picked].name);
}

TEST_F(TechnicalPanelTest, TheEditorsButtonIsApplyAndRunsNothing) {
  EXPECT_EQ(panel_->runButton()->text(), "適用");
  panel_->runButton()->click();  // no document, no list: nothing happens, nothing breaks
  CTechnicalPanel screening(&rules_, nullptr, CTechnicalPanel::Place::kScreening);
  EXPECT_EQ(screening.runButton()->text(), "銘柄抽出");
}

}  // namespace
}  // namespace korvale
