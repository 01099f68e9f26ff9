#include "player/layout/screen_metrics_qt.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

namespace kirivane {

ScreenMetrics ReadScreenMetrics(const QScreen* screen) {
  ScreenMetrics metrics;
  if (const QStyle* style = QApplication::style()) {
    metrics.CaptionHeight = style->pixelMetric(QStyle::PM_TitleBarHeight);
    metrics.SmallCaptionHeight = metrics.CaptionHeight * 3 / 4;
    metrics.FrameWidth = metrics.FrameHeight = style->pixelMetric(QStyle::PM_DefaultFrameWidth);
  }
  if (screen) {
    metrics.ScreenWidth = screen->geometry().width();
    metrics.ScreenHeight = screen->geometry().height();
    metrics.FullScreenWidth = screen->availableGeometry().width();
    metrics.FullScreenHeight = screen->availableGeometry().height();
    for (const QScreen* each : screen->virtualSiblings()) {
      const QRect area = each->availableGeometry();
      const ScreenArea entry{area.x(), area.y(), area.width(), area.height()};
      if (each == screen) {
        metrics.Areas.insert(metrics.Areas.begin(), entry);
      } else {
        metrics.Areas.push_back(entry);
      }
    }
  }
  return metrics;
}

}  // namespace kirivane
