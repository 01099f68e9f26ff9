#include "editor/clavimap_art_widget.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace kirivane {

namespace {

constexpr int kFrameMargin = 8;  // between the keyboard and its frame

}  // namespace

ClavimapBackground::ClavimapBackground(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ClavimapBackground"));
}

void ClavimapBackground::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QLinearGradient gradient(0, 0, 0, height());
  gradient.setColorAt(0, QColor(238, 244, 253));
  gradient.setColorAt(1, QColor(210, 222, 242));
  p.fillRect(rect(), gradient);
  if (framed_ == nullptr) return;
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF frame = QRectF(framed_->geometry())
                           .adjusted(-kFrameMargin, -kFrameMargin, kFrameMargin, kFrameMargin);
  p.setPen(QPen(QColor(96, 160, 232), 2));
  p.setBrush(QColor(222, 236, 252));
  p.drawRoundedRect(frame, 10, 10);
}

ThanksPicture::ThanksPicture(QWidget* parent) : QLabel(parent) {
  setObjectName(QStringLiteral("Image2"));
  setPixmap(KeyCapPicture(52));
  setFixedSize(56, 56);
  setAlignment(Qt::AlignCenter);
  setCursor(Qt::PointingHandCursor);
}

void ThanksPicture::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Q_EMIT DoubleClicked();
}

QPixmap KeyCapPicture(int size) {
  QPixmap picture(size, size);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  // The cap: a shadowed base and a lighter top.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 170, 205));
  p.drawRoundedRect(QRectF(s * 0.06, s * 0.10, s * 0.88, s * 0.84), s * 0.16, s * 0.16);
  QLinearGradient top(0, s * 0.08, 0, s * 0.78);
  top.setColorAt(0, QColor(255, 255, 255));
  top.setColorAt(1, QColor(226, 234, 248));
  p.setBrush(top);
  p.setPen(QPen(QColor(120, 146, 190), s / 40));
  p.drawRoundedRect(QRectF(s * 0.12, s * 0.06, s * 0.76, s * 0.72), s * 0.13, s * 0.13);
  // An eighth note in the key colour of the playback look.
  const QColor note(232, 92, 128);
  p.setPen(Qt::NoPen);
  p.setBrush(note);
  p.save();
  p.translate(s * 0.42, s * 0.58);
  p.rotate(-20);
  p.drawEllipse(QRectF(-s * 0.11, -s * 0.075, s * 0.22, s * 0.15));
  p.restore();
  p.setPen(QPen(note, s / 22, Qt::SolidLine, Qt::RoundCap));
  const QPointF stem_foot(s * 0.51, s * 0.56);
  const QPointF stem_head(s * 0.51, s * 0.20);
  p.drawLine(stem_foot, stem_head);
  QPainterPath flag(stem_head);
  flag.cubicTo(s * 0.56, s * 0.30, s * 0.70, s * 0.30, s * 0.64, s * 0.46);
  p.setBrush(Qt::NoBrush);
  p.drawPath(flag);
  return picture;
}

}  // namespace kirivane
