// Charts as images: the chart a client area shows, and PNG files of it.
#ifndef KORVALE_RENDER_CHART_IMAGE_H_
#define KORVALE_RENDER_CHART_IMAGE_H_

#include <QImage>
#include <string>

#include "charts/chart_kind.h"

namespace korvale {

// Fonts need a QGuiApplication. Creates one for the rest of the process when none exists,
// choosing the offscreen platform unless QT_QPA_PLATFORM says otherwise, so that rendering
// never needs a display.
void EnsureGuiApplication();

// The chart of `kind` as its view shows it in a client area of the given size: the client size
// handed to the kind (the period charts take its height as their chart height), scrolled to
// show the latest bars; white where the chart ends.
QImage RenderChartImage(CChartPainter& painter, const ChartKind& kind, int clientWidth,
                        int clientHeight);

// Writes the image as a PNG file, replacing `path` atomically. False with a reason on failure.
bool WritePng(const QImage& image, const std::string& path, std::string* error);

}  // namespace korvale

#endif  // KORVALE_RENDER_CHART_IMAGE_H_
