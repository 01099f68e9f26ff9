#include "player/widgets/lamp_shape_widget.h"

#include <QPainter>

namespace kirivane {

LampShape::LampShape(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LampShape::SetColors(const QColor& border, const QColor& fill) {
  border_ = border;
  fill_ = fill;
  update();
}

void LampShape::SetRounded(bool rounded) {
  rounded_ = rounded;
  update();
}

void LampShape::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, rounded_);
  p.setPen(QPen(border_, 2));
  p.setBrush(fill_);
  const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
  if (rounded_) {
    p.drawRoundedRect(area, 10, 10);
  } else {
    p.drawRect(area);
  }
}

}  // namespace kirivane
