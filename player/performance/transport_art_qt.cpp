#include "player/performance/transport_art_qt.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace kirivane {

namespace {

enum class Look { kDisabled, kNormal, kPressed, kLit };

// A transparent picture of the size, drawn by draw(painter, area) with antialiasing.
template <typename Draw>
QPixmap Painted(QSize size, Draw draw) {
  if (size.isEmpty()) return QPixmap();
  QPixmap picture(size);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p, QRectF(0, 0, size.width(), size.height()));
  return picture;
}

// A rounded face with a soft vertical gradient; pressed faces sit one pixel lower.
void DrawFace(QPainter& p, QRectF area, QColor base, Look look) {
  QColor face = base;
  if (look == Look::kDisabled) face = QColor(176, 182, 192);
  if (look == Look::kPressed) face = base.darker(125);
  if (look == Look::kLit) face = base.lighter(115);
  QLinearGradient gradient(area.topLeft(), area.bottomLeft());
  gradient.setColorAt(0, face.lighter(look == Look::kPressed ? 105 : 150));
  gradient.setColorAt(1, face);
  p.setPen(QPen(face.darker(160), 1));
  p.setBrush(gradient);
  const QRectF body = area.adjusted(0.5, look == Look::kPressed ? 1.5 : 0.5, -0.5, -0.5);
  const qreal radius = std::min(body.width(), body.height()) / 4;
  p.drawRoundedRect(body, radius, radius);
  if (look == Look::kLit) {  // a glow along the lower edge: this one runs now
    p.setPen(QPen(QColor(255, 255, 255, 170), 2));
    p.drawLine(body.bottomLeft() + QPointF(radius, -2), body.bottomRight() + QPointF(-radius, -2));
  }
}

QColor SymbolColour(Look look) {
  return look == Look::kDisabled ? QColor(236, 238, 242) : QColor(Qt::white);
}

void DrawPlaySymbol(QPainter& p, QRectF area, Look look) {
  const qreal h = area.height() * 0.42;
  const QPointF c = area.center() + QPointF(h * 0.12, look == Look::kPressed ? 1 : 0);
  QPainterPath triangle;
  triangle.moveTo(c + QPointF(-h * 0.42, -h / 2));
  triangle.lineTo(c + QPointF(h * 0.5, 0));
  triangle.lineTo(c + QPointF(-h * 0.42, h / 2));
  triangle.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(SymbolColour(look));
  p.drawPath(triangle);
}

void DrawRecordSymbol(QPainter& p, QRectF area, Look look) {
  const qreal r = area.height() * 0.26;
  const QPointF c = area.center() + QPointF(0, look == Look::kPressed ? 1 : 0);
  p.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
  p.setBrush(look == Look::kDisabled ? QColor(236, 238, 242) : QColor(255, 236, 236));
  p.drawEllipse(c, r, r);
}

void DrawStopSymbol(QPainter& p, QRectF area, Look look) {
  const qreal s = area.height() * 0.44;
  const QPointF c = area.center() + QPointF(0, look == Look::kPressed ? 1 : 0);
  p.setPen(Qt::NoPen);
  p.setBrush(SymbolColour(look));
  p.drawRoundedRect(QRectF(c.x() - s / 2, c.y() - s / 2, s, s), 1.5, 1.5);
}

// A metronome: a tapering body with its pendulum to the left, the right or upright.
void DrawMetronome(QPainter& p, QRectF area, bool on, int swing) {
  const QColor body = on ? QColor(196, 120, 48) : QColor(150, 150, 158);
  const qreal w = area.width();
  const qreal h = area.height();
  QPainterPath shape;
  shape.moveTo(w * 0.38, h * 0.08);
  shape.lineTo(w * 0.62, h * 0.08);
  shape.lineTo(w * 0.88, h * 0.92);
  shape.lineTo(w * 0.12, h * 0.92);
  shape.closeSubpath();
  QLinearGradient gradient(0, 0, w, 0);
  gradient.setColorAt(0, body.lighter(140));
  gradient.setColorAt(1, body.darker(115));
  p.setPen(QPen(body.darker(170), 1));
  p.setBrush(gradient);
  p.drawPath(shape);
  p.setBrush(QColor(250, 244, 230));
  p.drawRect(QRectF(w * 0.3, h * 0.68, w * 0.4, h * 0.16));
  const QPointF pivot(w * 0.5, h * 0.76);
  const QPointF tip(w * 0.5 + swing * w * 0.24, h * 0.18);
  p.setPen(QPen(on ? QColor(40, 40, 40) : QColor(90, 90, 96), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(pivot, tip);
  p.setBrush(on ? QColor(230, 60, 60) : QColor(120, 120, 128));
  p.setPen(Qt::NoPen);
  const QPointF weight = pivot + (tip - pivot) * 0.55;
  p.drawRect(QRectF(weight.x() - w * 0.08, weight.y() - h * 0.03, w * 0.16, h * 0.06));
}

QPixmap StartPicture(int resource, QSize size) {
  const Look look = resource == 115   ? Look::kDisabled
                    : resource == 117 ? Look::kPressed
                    : resource == 118 ? Look::kLit
                                      : Look::kNormal;
  return Painted(size, [&](QPainter& p, QRectF area) {
    DrawFace(p, area, QColor(40, 150, 80), look);
    DrawPlaySymbol(p, area, look);
  });
}

QPixmap RecordPicture(int resource, QSize size) {
  const Look look = resource == 119   ? Look::kDisabled
                    : resource == 121 ? Look::kPressed
                    : resource == 122 ? Look::kLit
                                      : Look::kNormal;
  return Painted(size, [&](QPainter& p, QRectF area) {
    DrawFace(p, area, resource == 122 ? QColor(226, 30, 40) : QColor(178, 48, 56), look);
    DrawRecordSymbol(p, area, look);
  });
}

QPixmap StopPicture(int resource, QSize size) {
  const Look look = resource == 123   ? Look::kDisabled
                    : resource == 125 ? Look::kPressed
                                      : Look::kNormal;
  return Painted(size, [&](QPainter& p, QRectF area) {
    DrawFace(p, area, QColor(52, 88, 150), look);
    DrawStopSymbol(p, area, look);
  });
}

}  // namespace

QPixmap TransportPicture(int resource, QSize size) {
  if (resource >= 115 && resource <= 118) return StartPicture(resource, size);
  if (resource >= 119 && resource <= 122) return RecordPicture(resource, size);
  if (resource >= 123 && resource <= 125) return StopPicture(resource, size);
  if (resource >= 126 && resource <= 128) {
    return Painted(size, [&](QPainter& p, QRectF area) {
      DrawMetronome(p, area, resource != 126, resource == 126 ? 0 : resource == 127 ? -1 : 1);
    });
  }
  return QPixmap();
}

QPixmap LoopPicture(bool on, QSize size) {
  return Painted(size, [&](QPainter& p, QRectF area) {
    DrawFace(p, area, QColor(70, 110, 170), on ? Look::kLit : Look::kDisabled);
    const QRectF ring = area.adjusted(area.width() * 0.28, 4.5, -area.width() * 0.28, -4.5);
    p.setPen(
        QPen(on ? QColor(Qt::white) : QColor(120, 126, 136), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(ring, ring.height() / 2, ring.height() / 2);
    QPainterPath head;  // an arrow head on the top run: round and round
    const QPointF tip(ring.center().x() + 3, ring.top());
    head.moveTo(tip);
    head.lineTo(tip + QPointF(-4, -3));
    head.lineTo(tip + QPointF(-4, 3));
    head.closeSubpath();
    p.setBrush(p.pen().color());
    p.drawPath(head);
  });
}

QPixmap FileButtonPicture(bool save, int look, QSize size) {
  return Painted(size, [&](QPainter& p, QRectF area) {
    const Look face = look == 2 ? Look::kPressed : look == 1 ? Look::kLit : Look::kNormal;
    DrawFace(p, area, save ? QColor(60, 120, 190) : QColor(210, 160, 50), face);
    const qreal w = area.width();
    const qreal h = area.height();
    const qreal y = look == 2 ? 1 : 0;
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    if (save) {  // a disk: its body, the label and the shutter
      p.drawRoundedRect(QRectF(w * 0.22, h * 0.22 + y, w * 0.56, h * 0.56), 1, 1);
      p.setBrush(QColor(60, 120, 190));
      p.drawRect(QRectF(w * 0.34, h * 0.22 + y, w * 0.32, h * 0.18));
      p.drawRect(QRectF(w * 0.32, h * 0.54 + y, w * 0.36, h * 0.18));
    } else {  // a folder: its tab and body
      p.drawRect(QRectF(w * 0.2, h * 0.28 + y, w * 0.26, h * 0.1));
      p.drawRoundedRect(QRectF(w * 0.2, h * 0.36 + y, w * 0.6, h * 0.38), 1, 1);
    }
  });
}

QCursor JumpCursor(bool back) {
  const QPixmap picture = Painted(QSize(20, 16), [&](QPainter& p, QRectF) {
    QPainterPath arrow;  // two chevrons pointing the way of the jump
    for (int i = 0; i < 2; ++i) {
      const qreal x = 3 + i * 7;
      arrow.moveTo(x + 6, 2);
      arrow.lineTo(x, 8);
      arrow.lineTo(x + 6, 14);
    }
    QTransform mirror;
    if (!back) mirror = QTransform(-1, 0, 0, 1, 20, 0);
    p.setTransform(mirror);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(arrow);
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(arrow);
  });
  return QCursor(picture, back ? 2 : 17, 8);
}

}  // namespace kirivane
