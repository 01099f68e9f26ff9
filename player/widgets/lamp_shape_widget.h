#pragma once

#include <QColor>
#include <QWidget>

namespace kirivane {

// The shape about the keyboard that doubles as the damper lamp: a rectangle, rounded in the
// full window, with a border colour and a fill colour.
class LampShape : public QWidget {
  Q_OBJECT

 public:
  explicit LampShape(QWidget* parent = nullptr);
  void SetColors(const QColor& border, const QColor& fill);
  void SetRounded(bool rounded);
  QColor Border() const { return border_; }
  QColor Fill() const { return fill_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor border_;
  QColor fill_;
  bool rounded_ = true;
};

}  // namespace kirivane
