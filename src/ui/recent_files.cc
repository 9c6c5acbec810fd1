#include "ui/recent_files.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace korvale {

namespace {
constexpr const char* kKey = "recentFiles";
}  // namespace

CRecentFiles::CRecentFiles(QSettings* store, std::function<bool(const QString&)> open,
                           QObject* parent)
    : QObject(parent), store_(store), open_(std::move(open)) {
  files_ = store_->value(kKey).toStringList();
  while (files_.size() > kMaxFiles) files_.removeLast();
}

void CRecentFiles::AttachTo(QMenu* menu, QAction* before, int firstId) {
  menu_ = menu;
  before_ = before;
  firstId_ = firstId;
  separator_ = new QAction(menu_);
  separator_->setSeparator(true);
  renewMenu();
}

void CRecentFiles::Add(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  files_.removeAll(absolute);
  files_.prepend(absolute);
  while (files_.size() > kMaxFiles) files_.removeLast();
  store_->setValue(kKey, files_);
  renewMenu();
}

void CRecentFiles::renewMenu() {
  if (!menu_) return;
  // Later, not now: the entry being triggered may be among them.
  for (QAction* entry : entries_) {
    menu_->removeAction(entry);
    entry->deleteLater();
  }
  entries_.clear();
  for (int i = 0; i < files_.size(); ++i) {
    // "&1 name" as the desktop's programs number them; the full path in the tip.
    auto* action = new QAction(
        QString("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files_[i])), menu_);
    action->setStatusTip(files_[i]);
    action->setData(firstId_ + i);
    connect(action, &QAction::triggered, this, [this, i] { openEntry(i); });
    menu_->insertAction(before_, action);
    entries_.push_back(action);
  }
  // The separator stands between the entries and what follows them, only while there are any.
  menu_->removeAction(separator_);
  if (!files_.isEmpty()) menu_->insertAction(before_, separator_);
}

void CRecentFiles::openEntry(int index) {
  if (index < 0 || index >= files_.size()) return;
  const QString path = files_[index];
  if (open_(path)) {
    Add(path);
    return;
  }
  // A file that is gone or cannot be opened leaves the list (the opener told the user).
  files_.removeAt(index);
  store_->setValue(kKey, files_);
  renewMenu();
}

}  // namespace korvale
