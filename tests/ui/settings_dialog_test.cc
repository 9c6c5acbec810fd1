// The settings dialog as a user drives it, with the offscreen platform: its pages filled from a
// record, the checks of OK, and what "設定を保存" and キャンセル leave on disk.
#include "ui/settings_dialog.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "app/settings_file.h"
#include "charts/chart_painter.h"
#include "store/cp932.h"
#include "store/settings_field_rules.h"
#include "ui/settings_form.h"
#include "ui_test_fixtures.h"

namespace korvale {
namespace {

using testing::TypeInto;

// A folder nobody may write into while the object lives, the superuser included (who ignores
// permissions but not the immutable flag). ok() is false where neither can be had.
class UnwritableFolder {
 public:
  explicit UnwritableFolder(const std::string& path) : path_(path) {
    chmod(path_.c_str(), 0500);
    if (geteuid() != 0) {
      ok_ = true;
      return;
    }
    const int fd = open(path_.c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
      flags |= FS_IMMUTABLE_FL;
      immutable_ = ok_ = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    if (fd >= 0) close(fd);
  }
  ~UnwritableFolder() {
    if (immutable_) {
      const int fd = open(path_.c_str(), O_RDONLY | O_DIRECTORY);
      int flags = 0;
      if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags &= ~FS_IMMUTABLE_FL;
        ioctl(fd, FS_IOC_SETFLAGS, &flags);
      }
      if (fd >= 0) close(fd);
    }
    chmod(path_.c_str(), 0700);
  }
  bool ok() const { return ok_; }

 private:
  std::string path_;
  bool ok_ = false;
  bool immutable_ = false;
};

class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureQApplication();
    std::string error;
    ASSERT_TRUE(LoadSettingsAtStart(root_.path(), Store(), &record_, &error)) << error;
  }
  std::string Store() const { return config_.File("korvale/RootDir"); }
  std::string Ini() const { return root_.File(kSettingsFileName); }

  // Opens the dialog on record_ without blocking, as exec() would show it.
  std::unique_ptr<CSettingsDialog> Open(int page = kSettingsPageDaily) {
    auto dialog = std::make_unique<CSettingsDialog>(record_, page, Store());
    dialog->show();
    QCoreApplication::processEvents();
    return dialog;
  }
  QLineEdit* Edit(const CSettingsDialog& d, const char* field) const {
    return qobject_cast<QLineEdit*>(d.form()->control(field));
  }
  // Presses a button that may raise a message box, answering the box; returns its text ("" when
  // none came). The watch ends with the press, so it cannot answer a later test's box.
  QString PressAndAnswer(QPushButton* button) {
    QString text;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&text] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        text = box->text();
        box->accept();
      }
    });
    watch.start();
    button->click();
    QCoreApplication::processEvents();
    return text;
  }

  testing::TempDir root_;
  testing::TempDir config_;
  SettingsRecord record_;
};

// Each field of the table gets a value of its own, none a default.
void SetDistinctValues(SettingsRecord* r) {
  const char* texts[] = {"/データ/root", "http://peer.example/Korvale.cgi?cmd=ALLST",
                         "http://dist.example/fetchlist.csv", "http://quote.example/"};
  int i = 0, t = 0;
  for (const SettingsFieldRule& rule : SettingsFieldRules()) {
    std::string value;
    if (rule.control == SettingsControl::kText) {
      value = texts[t++];
    } else if (rule.zeroAllowed) {
      value = std::to_string(kWindowSizeMin + 7 * i);
    } else {
      value = std::to_string(rule.minimum + (i * 7 + 1) % (rule.maximum - rule.minimum + 1));
    }
    ASSERT_EQ(SetCheckedSettingsValue(r, rule, value), SettingsValueCheck::kAccepted)
        << rule.field->name;
    ++i;
  }
  r->savedDataSourceMode = 0;  // another mode would switch index analysis off at the next load
  r->useIndexAnalysis = 1;
  ApplyDialogWindowSizes(r);
}

TEST_F(SettingsDialogTest, EachPageShowsTheRecordAndSavesItBackByteForByte) {
  SetDistinctValues(&record_);
  std::string error;
  ASSERT_TRUE(SaveSettings(record_, Store(), &error)) << error;
  const std::vector<uint8_t> before = testing::ReadBytes(Ini());
  ASSERT_TRUE(LoadSettingsAtStart(root_.path(), Store(), &record_, &error)) << error;

  auto dialog = Open();
  for (int page = 0; page < kSettingsPageCount; ++page) {
    std::vector<std::string> expected;
    for (const SettingsFieldRule* rule : SettingsPageFields(page)) {
      expected.push_back(rule->field->name);
    }
    EXPECT_EQ(dialog->form()->BoundFields(page), expected) << page;  // each field on its page
  }
  for (const SettingsFieldRule& rule : SettingsFieldRules()) {
    SCOPED_TRACE(rule.field->name);
    QWidget* control = dialog->form()->control(rule.field->name);
    const QString value =
        QString::fromStdString(Cp932ToUtf8(SettingsFieldText(record_, *rule.field)));
    if (auto* edit = qobject_cast<QLineEdit*>(control)) EXPECT_EQ(edit->text(), value);
    if (auto* box = qobject_cast<QCheckBox*>(control)) EXPECT_EQ(box->isChecked(), value == "1");
    if (auto* list = qobject_cast<QComboBox*>(control)) {
      EXPECT_EQ(list->isEditable() ? list->currentText() : QString::number(list->currentIndex()),
                value);
    }
  }
  EXPECT_EQ(PressAndAnswer(dialog->saveButton()), "");
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_TRUE(dialog->saved());
  EXPECT_EQ(testing::ReadBytes(Ini()), before);
}

// A value is refused with the range message, on its page, the focus left on it; the dialog
// stays open. Text that is not a number is refused the same way, never read as 0.
TEST_F(SettingsDialogTest, OkRefusesValuesOutsideTheFieldsAndKeepsTheFocusThere) {
  struct Case {
    const char* field;
    const char* text;
    bool accepted;
  } cases[] = {
      {"thumbnailWidth", "31", false},       {"thumbnailWidth", "32", true},
      {"thumbnailWidth", "", false},         {"thumbnailWidth", "3x", false},
      {"thumbnailWidth", "-40", false},      {"thumbnailWidth", "１２８", true},
      {"dailyWindowWidth", "0", true},       {"dailyWindowWidth", "319", false},
      {"kagiReversalPercent", "101", false}, {"ichimokuWeeklyLagging", "0", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field) + "=" + c.text);
    auto dialog = Open(kSettingsPageOther);
    QLineEdit* edit = Edit(*dialog, c.field);
    // Keys are typed where the test library can; full-width digits come as an input method
    // would deliver them.
    if (QString(c.text).toLatin1() == c.text) {
      TypeInto(edit, c.text);
    } else {
      edit->setText(c.text);
    }
    const QString message = PressAndAnswer(dialog->okButton());
    const SettingsFieldRule& rule = *FindSettingsFieldRule(c.field);
    if (c.accepted) {
      EXPECT_EQ(message, "");
      EXPECT_EQ(dialog->result(), QDialog::Accepted);
      EXPECT_EQ(SettingsFieldText(dialog->record(), *rule.field),
                QString(c.text).normalized(QString::NormalizationForm_KC).toStdString());
      continue;
    }
    EXPECT_EQ(message.toStdString(), SettingsRefusalMessage(rule, SettingsValueCheck::kOutOfRange));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->tabs()->currentIndex(), rule.page);
    EXPECT_EQ(dialog->focusWidget(), edit);
    EXPECT_EQ(edit->text(), c.text);  // kept for the user to correct
    EXPECT_EQ(SettingsFieldText(dialog->record(), *rule.field),
              SettingsFieldText(record_, *rule.field));
  }
  // Texts are refused past their field's width, counted in Shift-JIS bytes.
  auto dialog = Open(kSettingsPageOther);
  auto* server = qobject_cast<QComboBox*>(dialog->form()->control("savedServerUrl"));
  server->setEditText("http://h/" + QString(60, QChar(0x8868)));  // 9 + 120 bytes
  EXPECT_NE(PressAndAnswer(dialog->okButton()).indexOf("127 バイト"), -1);
  EXPECT_EQ(dialog->focusWidget(), server);
  server->setEditText("http://h/" + QString(59, QChar(0x8868)));
  PressAndAnswer(dialog->okButton());
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(SettingsDialogTest, OpensAtTheRequestedPageWithTheFocusOnItsFirstField) {
  auto ichimoku = Open(kSettingsPageIchimoku);
  EXPECT_EQ(ichimoku->tabs()->tabText(ichimoku->tabs()->currentIndex()), "一目均衡表");
  auto auxiliary = Open(kSettingsPageAuxiliary);
  EXPECT_EQ(auxiliary->tabs()->tabText(auxiliary->tabs()->currentIndex()), "補助チャート");
  EXPECT_EQ(auxiliary->focusWidget(), Edit(*auxiliary, "newPriceReversalLines"));
  auxiliary->tabs()->setCurrentIndex(kSettingsPageWeekly);
  EXPECT_EQ(auxiliary->focusWidget(), Edit(*auxiliary, "weeklySpanWeeks"));
  EXPECT_EQ(CSettingsDialog::PageOfChart(kChartMonthly), kSettingsPageMonthly);
  EXPECT_EQ(CSettingsDialog::PageOfChart(kChartDaily), kSettingsPageDaily);
}

TEST_F(SettingsDialogTest, OtherPageListsThemesAndServersAndAsksTheIndexCodeOnlyWhenTicked) {
  auto dialog = Open(kSettingsPageOther);
  auto* themes = qobject_cast<QComboBox*>(dialog->form()->control("colourTheme"));
  QStringList names;
  for (int i = 0; i < themes->count(); ++i) names << themes->itemText(i);
  EXPECT_EQ(names, QStringList({"標準", "Hanamori", "Tsukishiro", "白黒", "古書", "Mindows-YP"}));
  auto* server = qobject_cast<QComboBox*>(dialog->form()->control("savedServerUrl"));
  ASSERT_EQ(server->count(), 3);
  EXPECT_TRUE(server->itemText(0).endsWith("/Korvale/KVISA.DLL?ALLST"));
  EXPECT_TRUE(server->itemText(1).endsWith("/Korvale.cgi?cmd=ALLST"));
  EXPECT_TRUE(server->itemText(2).endsWith("/korvale/TEST.HTML"));

  auto* use = qobject_cast<QCheckBox*>(dialog->form()->control("useIndexAnalysis"));
  QLineEdit* code = Edit(*dialog, "indexStockCode");
  EXPECT_FALSE(use->isChecked());
  EXPECT_FALSE(code->isEnabled());
  use->click();
  EXPECT_TRUE(code->isEnabled());
  TypeInto(code, "1321");
  PressAndAnswer(dialog->okButton());
  EXPECT_EQ(dialog->record().useIndexAnalysis, 1);
  EXPECT_EQ(dialog->record().indexStockCode, 1321);
}

// OK applies in memory only and キャンセル changes nothing: neither touches the file.
TEST_F(SettingsDialogTest, OkAndCancelWriteNothing) {
  std::string error;
  ASSERT_TRUE(SaveSettings(record_, Store(), &error)) << error;
  const std::vector<uint8_t> before = testing::ReadBytes(Ini());
  for (bool ok : {false, true}) {
    auto dialog = Open();
    TypeInto(Edit(*dialog, "dailyMaShort"), "50");
    TypeInto(Edit(*dialog, "dailyWindowWidth"), "1024");
    TypeInto(Edit(*dialog, "dailyWindowHeight"), "768");
    PressAndAnswer(ok ? dialog->okButton() : dialog->cancelButton());
    EXPECT_EQ(dialog->result(), ok ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_EQ(dialog->record().dailyMaShort, ok ? 50 : record_.dailyMaShort);
    // Applying the daily window size also sizes the signal chart and the trend-line editor.
    EXPECT_EQ(dialog->record().signalWindowWidth, ok ? 1024 : 0);
    EXPECT_EQ(dialog->record().lineEditorWindowHeight, ok ? 768 : 0);
    EXPECT_FALSE(dialog->saved());
    EXPECT_EQ(testing::ReadBytes(Ini()), before);
  }
}

TEST_F(SettingsDialogTest, AFailedSaveIsReportedAndLeavesTheOldFileAndTheDialogOpen) {
  std::string error;
  ASSERT_TRUE(SaveSettings(record_, Store(), &error)) << error;
  const std::vector<uint8_t> before = testing::ReadBytes(Ini());
  UnwritableFolder readOnly(root_.path());
  if (!readOnly.ok()) GTEST_SKIP() << "no way to make a folder read-only here";
  auto dialog = Open();
  TypeInto(Edit(*dialog, "dailyMaShort"), "50");
  const QString message = PressAndAnswer(dialog->saveButton());
  EXPECT_TRUE(message.startsWith("ディスクアクセスエラー")) << message.toStdString();
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->saved());
  EXPECT_EQ(dialog->record().dailyMaShort, record_.dailyMaShort);  // nothing applied
  EXPECT_EQ(testing::ReadBytes(Ini()), before);
}

}  // namespace
}  // namespace korvale
