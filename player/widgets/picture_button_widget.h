#pragma once

#include <QLabel>

namespace kirivane {

// A picture that acts as a button: it reports the mouse button pressed and released on it and
// the pointer entering it, and leaves the pictures to its owner.
class PictureButton : public QLabel {
  Q_OBJECT

 public:
  explicit PictureButton(QWidget* parent = nullptr);

 signals:
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void MouseMove();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace kirivane
