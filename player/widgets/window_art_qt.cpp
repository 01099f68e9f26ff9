#include "player/widgets/window_art_qt.h"

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

// A transparent picture of the size, drawn by draw(painter, width, height) with antialiasing.
template <typename Draw>
QPixmap PaintedPicture(QSize size, Draw draw) {
  QPixmap picture(size);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p, static_cast<qreal>(size.width()), static_cast<qreal>(size.height()));
  return picture;
}

}  // namespace

QPixmap ButtonPicture(int resource, QSize size) {
  if (resource < 109 || resource > 114 || size.isEmpty()) return QPixmap();
  return PaintedPicture(size, [&](QPainter& p, qreal, qreal) {
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
  });
}

QPixmap ChordPadPicture(QSize size) {
  return PaintedPicture(size, [&](QPainter& p, qreal, qreal) {
    p.setPen(QPen(QColor(60, 80, 130), 1.5));
    p.setBrush(QColor(70, 96, 150));
    p.drawRoundedRect(QRectF(1, 1, size.width() - 2, size.height() - 2), 8, 8);
    const qreal cell_w = (size.width() - 14) / 3.0;
    const qreal cell_h = (size.height() - 14) / 3.0;
    QFont font = p.font();
    font.setPixelSize(static_cast<int>(cell_h * 0.55));
    font.setBold(true);
    p.setFont(font);
    for (int digit = 1; digit <= 9; ++digit) {
      const int row = 2 - (digit - 1) / 3;  // 7 8 9 on top, as on the keypad
      const int column = (digit - 1) % 3;
      const QRectF key(5 + column * (cell_w + 2), 5 + row * (cell_h + 2), cell_w, cell_h);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(236, 242, 252));
      p.drawRoundedRect(key, 4, 4);
      p.setPen(QColor(44, 74, 128));
      p.drawText(key, Qt::AlignCenter, QString::number(digit));
    }
  });
}

QPixmap DrumPicture(QSize size) {
  return PaintedPicture(size, [&](QPainter& p, qreal w, qreal h) {
    const QRectF top(w * 0.1, h * 0.22, w * 0.8, h * 0.24);
    p.setPen(QPen(QColor(110, 30, 30), 1.5));
    p.setBrush(QColor(200, 60, 60));
    p.drawRect(QRectF(top.left(), top.center().y(), top.width(), h * 0.42));
    p.drawEllipse(QRectF(top.left(), top.top() + h * 0.42, top.width(), top.height()));
    p.setBrush(QColor(245, 240, 225));
    p.drawEllipse(top);
    p.setPen(QPen(QColor(120, 80, 40), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(w * 0.2, h * 0.05), QPointF(w * 0.45, h * 0.3));
    p.drawLine(QPointF(w * 0.8, h * 0.05), QPointF(w * 0.55, h * 0.3));
  });
}

QPixmap CharacterPicture(int index, QSize size) {
  return PaintedPicture(size, [&](QPainter& p, qreal w, qreal h) {
    const QColor skin = index == 0 ? QColor(255, 196, 120) : QColor(150, 210, 255);
    const QRectF head(w * 0.12, h * 0.12, w * 0.76, h * 0.76);
    p.setPen(QPen(skin.darker(160), 1.5));
    p.setBrush(skin);
    if (index == 0) {
      p.drawEllipse(head);
    } else {
      p.drawRoundedRect(head, w * 0.15, w * 0.15);
    }
    p.setBrush(QColor(40, 40, 60));
    p.drawEllipse(QPointF(w * 0.38, h * 0.42), w * 0.06, h * 0.06);
    p.drawEllipse(QPointF(w * 0.62, h * 0.42), w * 0.06, h * 0.06);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(w * 0.34, h * 0.5, w * 0.32, h * 0.2), 200 * 16, 140 * 16);
  });
}

QPixmap StripPicture(QSize size, bool seasonal) {
  QPixmap picture(size);
  QPainter p(&picture);
  QLinearGradient gradient(0, 0, size.width(), 0);
  gradient.setColorAt(0, seasonal ? QColor(214, 238, 220) : QColor(214, 226, 246));
  gradient.setColorAt(1, seasonal ? QColor(236, 250, 240) : QColor(236, 242, 252));
  p.fillRect(picture.rect(), gradient);
  return picture;
}

QPixmap NoteIconPicture(QSize size) {
  return PaintedPicture(size, [&](QPainter& p, qreal w, qreal h) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(44, 74, 128));
    p.drawEllipse(QRectF(w * 0.1, h * 0.62, w * 0.42, h * 0.3));
    p.drawRect(QRectF(w * 0.44, h * 0.1, w * 0.08, h * 0.66));
    QPainterPath flag;
    flag.moveTo(w * 0.52, h * 0.1);
    flag.cubicTo(w * 0.75, h * 0.2, w * 0.9, h * 0.35, w * 0.8, h * 0.55);
    flag.cubicTo(w * 0.8, h * 0.4, w * 0.65, h * 0.32, w * 0.52, h * 0.3);
    flag.closeSubpath();
    p.drawPath(flag);
  });
}

QPixmap FacePicture() {
  return PaintedPicture(QSize(150, 136), [&](QPainter& p, qreal, qreal) {
    p.setPen(QPen(QColor(120, 80, 20), 3));
    p.setBrush(QColor(255, 214, 90));
    p.drawEllipse(QRectF(14, 6, 122, 122));
    p.setBrush(QColor(60, 40, 20));
    p.drawEllipse(QRectF(45, 45, 14, 20));
    p.drawEllipse(QRectF(91, 45, 14, 20));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(48, 78, 54, 30), 20 * 16, 140 * 16);  // a worried mouth
  });
}

QColor ColorOfRgb(int rgb) {
  return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

}  // namespace kirivane
