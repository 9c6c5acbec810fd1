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

class RuleEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureQApplication();
    root_ = testing::CopySampleRoot(dir_);
    ASSERT_FALSE(root_.empty());
    app_ = std::make_unique<CKorvaleApp>(QString::fromStdString(root_),
                                         QString::fromStdString(dir_.File("RootDir")));
    ASSERT_TRUE(app_->startError().isEmpty());
    frame_ = app_->CreateFirstWindow();
    frame_->show();
  }
  void TearDown() override { app_.reset(); }

  static void DeleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  testing::TempDir dir_;
  std::string root_;
  std::unique_ptr<CKorvaleApp> app_;
  CMainFrame* frame_ = nullptr;
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
