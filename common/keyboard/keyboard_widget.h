#pragma once

#include <QWidget>

#include "common/keyboard/keyboard_mouse.h"
#include "common/keyboard/qimage_surface_qt.h"

namespace kirivane {

// The picture box `Keyboard`: shows the keyboard surface and hands its mouse events to a
// handler (mouse play in the player). Its size is the layout's business: 440 x 120 for the
// large keyboard, 600 x 25 for the 128-key bar; it shows the top-left part of the surface. The
// surface belongs to whoever draws on it and outlives the widget.
class Keyboard : public QWidget {
  Q_OBJECT

 public:
  explicit Keyboard(QImageSurface& surface, QWidget* parent = nullptr);
  ~Keyboard() override;

  QImageSurface& KeyboardSurface() { return surface_; }
  void SetMouseHandler(KeyboardMouseHandler* handler) { handler_ = handler; }
  QSize sizeHint() const override;

  static int ButtonCode(Qt::MouseButtons buttons);
  static int ShiftCode(Qt::KeyboardModifiers modifiers);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QImageSurface& surface_;
  KeyboardMouseHandler* handler_ = nullptr;
};

}  // namespace kirivane
