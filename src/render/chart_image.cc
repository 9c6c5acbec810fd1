#include "render/chart_image.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>

#include "render/qpainter_canvas.h"
#include "store/file_io.h"

// Fontconfig keeps its configuration cache for the life of the process and never frees it; in
// sanitizer builds that would be reported as a leak of every program that draws text.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }

namespace korvale {

namespace {

QtMessageHandler g_previousHandler = nullptr;

// Qt notes at start-up that XDG_RUNTIME_DIR is unset; a batch render has no use for that
// folder, so the note is dropped. Everything else goes on as before.
void QuietStartupHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtWarningMsg && text.contains(QStringLiteral("XDG_RUNTIME_DIR"))) return;
  if (g_previousHandler) {
    g_previousHandler(type, context, text);
  } else {
    fprintf(stderr, "%s\n", qPrintable(text));
  }
}

}  // namespace

void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "korvale";
  static char* argv[] = {name, nullptr};
  g_previousHandler = qInstallMessageHandler(QuietStartupHandler);
  // Lives for the rest of the process, like the application object of the desktop program.
  static QGuiApplication* application = new QGuiApplication(argc, argv);
  (void)application;
}

QImage RenderChartImage(CChartPainter& painter, const ChartKind& kind, int clientWidth,
                        int clientHeight) {
  QImage image(std::max(clientWidth, 1), std::max(clientHeight, 1), QImage::Format_RGB32);
  image.fill(Qt::white);
  kind.SetClientSize(painter, clientWidth, clientHeight);
  QPainterCanvas canvas(&image);
  canvas.SetOrigin(std::max(0, kind.Width(painter) - clientWidth), 0);
  kind.Draw(painter, canvas);
  return image;
}

bool WritePng(const QImage& image, const std::string& path, std::string* error) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) {
    if (error) *error = "cannot encode the image as PNG";
    return false;
  }
  return WriteFileAtomically(path, bytes.constData(), static_cast<size_t>(bytes.size()), error);
}

}  // namespace korvale
