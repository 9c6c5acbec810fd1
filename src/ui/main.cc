// korvale: the desktop program.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "app/settings_file.h"
#include "ui/korvale_app.h"
#include "ui/main_frame.h"

int main(int argc, char** argv) {
  QApplication qtApp(argc, argv);
  QApplication::setApplicationName("Korvale");
  korvale::CKorvaleApp app(QDir::currentPath(),
                           QString::fromStdString(korvale::DefaultRootDirStorePath()));
  if (!app.startError().isEmpty()) {
    QMessageBox::critical(nullptr, "Error", app.startError());
    return 1;
  }
  QString problem, caption;
  korvale::CMainFrame* frame = app.CreateFirstWindow(&problem, &caption);
  // A .kdt or .LST file named on the command line is opened as the current stock or list.
  const QStringList args = QApplication::arguments();
  for (int i = 1; i < args.size(); ++i) frame->OpenDocumentFile(args[i]);
  frame->show();
  // KORVALE_SCREENSHOT=FILE.png: save the screen once the window has settled, then quit (for
  // the documentation and for checking a build on a headless display).
  const QString screenshot = qEnvironmentVariable("KORVALE_SCREENSHOT");
  if (!screenshot.isEmpty()) {
    QTimer::singleShot(1500, [frame, screenshot] {
      QScreen* screen = QGuiApplication::primaryScreen();
      (screen ? screen->grabWindow(0) : frame->grab()).save(screenshot);
      QApplication::exit(0);
    });
  }
  if (!problem.isEmpty()) QMessageBox::warning(frame, caption, problem);
  return qtApp.exec();
}
