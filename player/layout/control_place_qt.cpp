#include "player/layout/control_place_qt.h"

namespace kirivane {

void PlaceWidget(QWidget* widget, const ControlPlace& place) {
  if (!place.Visible) {
    widget->hide();
    return;
  }
  const int width = place.Width >= 0 ? place.Width : widget->width();
  const int height = place.Height >= 0 ? place.Height : widget->height();
  widget->setGeometry(place.X, place.Y, width, height);
  widget->show();
}

}  // namespace kirivane
