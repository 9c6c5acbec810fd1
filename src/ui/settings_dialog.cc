#include "ui/settings_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/settings_file.h"
#include "app/user_messages.h"
#include "charts/chart_painter.h"
#include "store/settings_field_rules.h"
#include "ui/korvale_app.h"
#include "ui/settings_form.h"
#include "ui/settings_pages.h"

namespace korvale {

namespace {

constexpr const char* kDialogTitle = "初期設定";

}  // namespace

CSettingsDialog::CSettingsDialog(const SettingsRecord& settings, int page,
                                 std::string rootStorePath, QWidget* parent)
    : QDialog(parent), record_(settings), rootStorePath_(std::move(rootStorePath)) {
  setObjectName("settingsDialog");
  setWindowTitle(kDialogTitle);
  form_ = new CSettingsForm(this);
  tabs_ = new QTabWidget(this);
  // Every page is made once, now; the tab widget shows one at a time.
  for (int p = 0; p < kSettingsPageCount; ++p) {
    tabs_->addTab(MakeSettingsPage(p, form_), SettingsPageLabel(p));
  }
  form_->Fill(record_);

  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  cancel_ = buttons->addButton("キャンセル", QDialogButtonBox::RejectRole);
  save_ = buttons->addButton("設定を保存", QDialogButtonBox::ActionRole);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &CSettingsDialog::acceptValues);
  connect(save_, &QPushButton::clicked, this, &CSettingsDialog::saveValues);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons);

  showPage(page >= 0 && page < kSettingsPageCount ? page : kSettingsPageDaily);
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (QWidget* first = form_->FirstEdit(index)) first->setFocus(Qt::TabFocusReason);
  });
}

void CSettingsDialog::showPage(int page) {
  tabs_->setCurrentIndex(page);
  if (QWidget* first = form_->FirstEdit(page)) first->setFocus(Qt::TabFocusReason);
}

bool CSettingsDialog::collect(SettingsRecord* out) {
  *out = record_;
  const auto refusal = form_->Read(out);
  if (!refusal) {
    ApplyDialogWindowSizes(out);
    return true;
  }
  tabs_->setCurrentIndex(refusal->rule->page);
  QMessageBox::warning(
      this, kDialogTitle,
      QString::fromStdString(SettingsRefusalMessage(*refusal->rule, refusal->why)));
  // The field keeps its text, selected, so the user can type over it.
  refusal->control->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(refusal->control)) edit->selectAll();
  if (auto* list = qobject_cast<QComboBox*>(refusal->control); list && list->lineEdit()) {
    list->lineEdit()->selectAll();
  }
  return false;
}

void CSettingsDialog::acceptValues() {
  SettingsRecord values;
  if (!collect(&values)) return;
  record_ = values;
  accept();
}

void CSettingsDialog::saveValues() {
  SettingsRecord values;
  if (!collect(&values)) return;
  // Nothing is applied unless the file was written: after a failure the dialog stays open with
  // the user's values, to try again, apply them with OK, or cancel.
  std::string error;
  if (!SaveSettings(values, rootStorePath_, &error)) {
    QMessageBox::warning(
        this, kErrorCaption,
        QString::fromUtf8(kDiskAccessErrorMessage) + "\n" + QString::fromStdString(error));
    return;
  }
  record_ = values;
  saved_ = true;
  accept();
}

bool CSettingsDialog::Edit(CKorvaleApp* app, int page, QWidget* parent) {
  CSettingsDialog dialog(app->settings(), page, app->rootStorePath(), parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  app->settings() = dialog.record();
  return true;
}

int CSettingsDialog::PageOfChart(int chartPeriod) {
  if (chartPeriod == kChartWeekly) return kSettingsPageWeekly;
  if (chartPeriod == kChartMonthly) return kSettingsPageMonthly;
  return kSettingsPageDaily;
}

}  // namespace korvale
