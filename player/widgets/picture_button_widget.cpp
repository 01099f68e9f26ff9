#include "player/widgets/picture_button_widget.h"

#include <QMouseEvent>

namespace kirivane {

PictureButton::PictureButton(QWidget* parent) : QLabel(parent) {
  setMouseTracking(true);
  setAlignment(Qt::AlignCenter);
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(event->button(), event->modifiers());
  event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
  emit MouseUp(event->button(), event->modifiers());
  event->accept();
}

void PictureButton::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove();
  event->accept();  // the form restores the hover pictures once the pointer is back on it
}

}  // namespace kirivane
