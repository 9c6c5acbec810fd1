#include "ui/import_options_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "app/user_messages.h"

namespace korvale {

CImportOptionsDlg::CImportOptionsDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8(kImportOptionsCaption));
  auto* layout = new QVBoxLayout(this);
  addUnregistered_ = new QCheckBox(QString::fromUtf8(kAddUnregisteredLabel), this);
  completeUpdate_ = new QCheckBox(QString::fromUtf8(kCompleteUpdateLabel), this);
  layout->addWidget(addUnregistered_);
  layout->addWidget(completeUpdate_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

ImportOptions CImportOptionsDlg::options() const {
  ImportOptions o;
  o.addUnregistered = addUnregistered_->isChecked() ? 1 : 0;
  o.completeUpdate = completeUpdate_->isChecked() ? 1 : 0;
  return o;
}

}  // namespace korvale
