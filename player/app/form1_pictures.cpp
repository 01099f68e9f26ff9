#include "player/app/form1_pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace kirivane {

namespace {

enum class Look { kNormal, kHover, kPressed };

void DrawButtonFace(QPainter& p, QRectF area, QColor base, Look look) {
  QColor face = look == Look::kHover ? base.lighter(125) : base;
  if (look == Look::kPressed) face = base.darker(130);
  QLinearGradient gradient(area.topLeft(), area.bottomLeft());
  gradient.setColorAt(0, face.lighter(look == Look::kPressed ? 100 : 140));
  gradient.setColorAt(1, face);
  p.setPen(QPen(face.darker(170), 1));
  p.setBrush(gradient);
  const QRectF body = area.adjusted(1, look == Look::kPressed ? 2 : 1, -1, -1);
  p.drawRoundedRect(body, body.height() / 3, body.height() / 3);
}

// A power symbol: an open ring and a stroke through its gap.
void DrawExitSymbol(QPainter& p, QRectF area) {
  const qreal r = std::min(area.width(), area.height()) * 0.28;
  const QPointF c = area.center();
  p.setPen(QPen(Qt::white, std::max<qreal>(2, r / 3.5), Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 120 * 16, 300 * 16);
  p.drawLine(QPointF(c.x(), c.y() - r * 1.25), QPointF(c.x(), c.y() - r * 0.1));
}

// A circular arrow: start again.
void DrawResetSymbol(QPainter& p, QRectF area) {
  const qreal r = std::min(area.width(), area.height()) * 0.28;
  const QPointF c = area.center();
  const qreal pen = std::max<qreal>(2, r / 3.5);
  p.setPen(QPen(Qt::white, pen, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 90 * 16, 280 * 16);
  QPainterPath head;
  const QPointF tip(c.x() + pen * 0.2, c.y() - r);
  head.moveTo(tip + QPointF(r * 0.55, 0));
  head.lineTo(tip + QPointF(-r * 0.1, -r * 0.45));
  head.lineTo(tip + QPointF(-r * 0.1, r * 0.45));
  head.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPath(head);
}

}  // namespace

QPixmap ButtonPicture(int resource, QSize size) {
  if (resource < 109 || resource > 114 || size.isEmpty()) return QPixmap();
  QPixmap picture(size);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  const bool exit = resource >= 112;
  const int step = (resource - 109) % 3;
  const Look look = step == 0 ? Look::kNormal : step == 1 ? Look::kHover : Look::kPressed;
  const QRectF area(0, 0, size.width(), size.height());
  DrawButtonFace(p, area, exit ? QColor(196, 52, 60) : QColor(46, 120, 196), look);
  const QRectF symbol = area.translated(0, look == Look::kPressed ? 1 : 0);
  if (exit) {
    DrawExitSymbol(p, symbol);
  } else {
    DrawResetSymbol(p, symbol);
  }
  return picture;
}

QPixmap FacePicture() {
  QPixmap picture(150, 136);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(120, 80, 20), 3));
  p.setBrush(QColor(255, 214, 90));
  p.drawEllipse(QRectF(14, 6, 122, 122));
  p.setBrush(QColor(60, 40, 20));
  p.drawEllipse(QRectF(45, 45, 14, 20));
  p.drawEllipse(QRectF(91, 45, 14, 20));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(48, 78, 54, 30), 20 * 16, 140 * 16);  // a worried mouth
  return picture;
}

QColor ColorOfRgb(int rgb) {
  return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

}  // namespace kirivane
