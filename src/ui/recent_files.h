// The file menu's list of the most recently opened price and list files, kept between runs.
#ifndef KORVALE_UI_RECENT_FILES_H_
#define KORVALE_UI_RECENT_FILES_H_

#include <QObject>
#include <QStringList>
#include <functional>

class QAction;
class QMenu;
class QSettings;

namespace korvale {

class CRecentFiles : public QObject {
  Q_OBJECT

 public:
  // The list is read from and written to `store` (key "recentFiles"), which outlives this
  // object. `open` opens a chosen entry and says whether it could.
  CRecentFiles(QSettings* store, std::function<bool(const QString&)> open,
               QObject* parent = nullptr);

  // Puts the entries into `menu` before `before` (null: at the end), with a separator after
  // them when there are any; they are renewed whenever the list changes. Entry i carries
  // firstId + i as its data.
  void AttachTo(QMenu* menu, QAction* before, int firstId);
  // A file was opened: it goes to the top, the oldest beyond four drops out.
  void Add(const QString& path);
  const QStringList& files() const { return files_; }

  static constexpr int kMaxFiles = 4;

 private:
  void renewMenu();
  void openEntry(int index);

  QSettings* store_;
  std::function<bool(const QString&)> open_;
  QStringList files_;
  QMenu* menu_ = nullptr;
  QAction* before_ = nullptr;
  int firstId_ = 0;
  QAction* separator_ = nullptr;
  QList<QAction*> entries_;
};

}  // namespace korvale

#endif  // KORVALE_UI_RECENT_FILES_H_
