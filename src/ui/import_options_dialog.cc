#include "ui/import_options_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "app/user_messages.h"
#include "ui/dialog_buttons.h"

namespace korvale {

CImportOptionsDlg::CImportOptionsDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8(kImportOptionsCaption));
  auto* layout = new QVBoxLayout(this);
  addUnregistered_ = new QCheckBox(QString::fromUtf8(kAddUnregisteredLabel), this);
  completeUpdate_ = new QCheckBox(QString::fromUtf8(kCompleteUpdateLabel), this);
  layout->addWidget(addUnregistered_);
  layout->addWidget(completeUpdate_);
  AddOkCancelButtons(this, layout);
}

ImportOptions CImportOptionsDlg::options() const {
  ImportOptions o;
  o.addUnregistered = addUnregistered_->isChecked() ? 1 : 0;
  o.completeUpdate = completeUpdate_->isChecked() ? 1 : 0;
  return o;
}

}  // namespace korvale
