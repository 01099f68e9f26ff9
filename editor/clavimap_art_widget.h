#pragma once

#include <QLabel>
#include <QWidget>

namespace kirivane {

// The window's background: a soft gradient, with a rounded frame around the keyboard picture
// box (the frame's widget is given; the frame follows it).
class ClavimapBackground : public QWidget {
  Q_OBJECT

 public:
  explicit ClavimapBackground(QWidget* parent = nullptr);
  void SetFramed(QWidget* framed) { framed_ = framed; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QWidget* framed_ = nullptr;
};

// `Image2`: a small picture, a key cap with a note on it, that answers a double click.
class ThanksPicture : public QLabel {
  Q_OBJECT

 public:
  explicit ThanksPicture(QWidget* parent = nullptr);

 Q_SIGNALS:
  void DoubleClicked();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// The picture of `Image2`, size x size pixels.
QPixmap KeyCapPicture(int size);

}  // namespace kirivane
