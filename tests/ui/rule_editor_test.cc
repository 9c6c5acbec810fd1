// The rule editor window, opened and closed through the main window's command.
#include "ui/rule_editor_frame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>

#include "screening/rule_list.h"
#include "ui/korvale_app.h"
#include "ui/main_frame.h"
#include "ui/rule_editor.h"
#include "ui/technical_panel.h"
#include "ui_test_fixtures.h"

namespace korvale {
namespace {

class RuleEditorTest : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    root_ = testing::CopySampleRoot(dir_);
    ASSERT_FALSE(root_.empty());
    StartProgram(root_, nullptr, QSize());
    ASSERT_TRUE(app_->startError().isEmpty());
  }
};

TEST_F(RuleEditorTest, TheCommandOpensAndClosesTheEditorAndTheCheckMarkFollows) {
  QAction* command = frame_->action(32872);
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->text(), "銘柄抽出条件編集...");
  EXPECT_FALSE(command->isChecked());

  command->trigger();
  CRuleEditorFrame* editor = frame_->ruleEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(command->isChecked());
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->editor()->size(), QSize(460, 460));
  CTechnicalPanel* panel = editor->editor()->panel();
  EXPECT_EQ(panel->runButton()->text(), "適用");
  EXPECT_STREQ(panel->workingCopy().name, app_->rules().sets[0].name);

  command->trigger();
  DeleteClosedWindows();
  EXPECT_EQ(frame_->ruleEditor(), nullptr);
  EXPECT_FALSE(command->isChecked());

  // Closed by its own close box.
  command->trigger();
  ASSERT_NE(frame_->ruleEditor(), nullptr);
  frame_->ruleEditor()->close();
  DeleteClosedWindows();
  EXPECT_EQ(frame_->ruleEditor(), nullptr);
  EXPECT_FALSE(command->isChecked());

  // Left open, it closes with the main window (TearDown).
  command->trigger();
  EXPECT_TRUE(command->isChecked());
}

}  // namespace
}  // namespace korvale
