#include "common/keyboard/keyboard_widget.h"

#include <QMouseEvent>
#include <QPainter>

namespace kirivane {

Keyboard::Keyboard(QImageSurface& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
  setObjectName(QStringLiteral("Keyboard"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);  // MouseMove keeps the last position even with no button held
  resize(sizeHint());
  surface_.SetRefreshHandler([this] { update(); });
}

Keyboard::~Keyboard() {
  surface_.SetRefreshHandler(nullptr);
}

QSize Keyboard::sizeHint() const {
  return QSize(440, 120);
}

int Keyboard::ButtonCode(Qt::MouseButtons buttons) {
  int code = 0;
  if (buttons & Qt::LeftButton) code |= kMouseLeft;
  if (buttons & Qt::RightButton) code |= kMouseRight;
  if (buttons & Qt::MiddleButton) code |= kMouseMiddle;
  return code;
}

int Keyboard::ShiftCode(Qt::KeyboardModifiers modifiers) {
  int code = 0;
  if (modifiers & Qt::ShiftModifier) code |= kShiftKey;
  if (modifiers & Qt::ControlModifier) code |= kCtrlKey;
  if (modifiers & Qt::AltModifier) code |= kAltKey;
  return code;
}

void Keyboard::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect().topLeft(), surface_.Image(), event->rect());
}

void Keyboard::mousePressEvent(QMouseEvent* event) {
  if (!handler_) return;
  const QPointF at = event->position();
  handler_->Keyboard_MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                               static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void Keyboard::mouseMoveEvent(QMouseEvent* event) {
  if (!handler_) return;
  const QPointF at = event->position();
  handler_->Keyboard_MouseMove(ButtonCode(event->buttons()), ShiftCode(event->modifiers()),
                               static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void Keyboard::mouseReleaseEvent(QMouseEvent* event) {
  if (!handler_) return;
  const QPointF at = event->position();
  handler_->Keyboard_MouseUp(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                             static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void Keyboard::mouseDoubleClickEvent(QMouseEvent* event) {
  // Only the left button's double click repeats the press; others act as a plain press.
  if (event->button() != Qt::LeftButton) {
    mousePressEvent(event);
    return;
  }
  if (handler_) handler_->Keyboard_DblClick();
}

}  // namespace kirivane
