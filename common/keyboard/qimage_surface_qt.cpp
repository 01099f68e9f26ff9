#include "common/keyboard/qimage_surface_qt.h"

#include <QFontMetrics>
#include <QPainter>

#include "common/keyboard/kenban_art.h"
#include "common/keyboard/kenban_cells.h"

namespace kirivane {
namespace {

QColor ColourOf(std::uint32_t rgb) {
  return QColor::fromRgb(0xFF000000u | rgb);
}

QPainter::CompositionMode ModeOf(RasterOp op) {
  switch (op) {
    case RasterOp::And:
      return QPainter::RasterOp_SourceAndDestination;
    case RasterOp::Xor:
      return QPainter::RasterOp_SourceXorDestination;
    case RasterOp::Copy:
      break;
  }
  return QPainter::CompositionMode_Source;
}

QFont LabelFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(10);
  font.setBold(true);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace

QImage MakePicKenbanImage() {
  const PixelSheet sheet = MakePicKenban();
  QImage image(sheet.width, sheet.height, QImage::Format_RGB32);
  for (int y = 0; y < sheet.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < sheet.width; ++x) line[x] = 0xFF000000u | sheet.At(x, y);
  }
  return image;
}

QImage MakeMskKenbanImage() {
  const PixelSheet sheet = MakeMskKenban();
  QImage image(sheet.width, sheet.height, QImage::Format_Mono);
  image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  for (int y = 0; y < sheet.height; ++y) {
    for (int x = 0; x < sheet.width; ++x) image.setPixel(x, y, sheet.At(x, y) == 0 ? 0 : 1);
  }
  return image;
}

QImageSurface::QImageSurface()
    : image_(kWidth, kHeight, QImage::Format_RGB32),
      sprite_(MakePicKenbanImage()),
      mask_bits_(MakeMskKenbanImage()),
      mask_(mask_bits_.convertToFormat(QImage::Format_RGB32)),
      font_(LabelFont()) {
  image_.fill(ColourOf(kSurfaceBackground));
}

void QImageSurface::CopyCell(Sheet sheet, const Cell& cell, int dest_x, int dest_y, RasterOp op) {
  QPainter painter(&image_);
  painter.setCompositionMode(ModeOf(op));
  painter.drawImage(QPoint(dest_x, dest_y), sheet == Sheet::Mask ? mask_ : sprite_,
                    QRect(cell.x, cell.y, cell.width, cell.height));
}

void QImageSurface::PrintText(int x, int top, std::string_view text) {
  if (text.empty()) return;
  QPainter painter(&image_);
  painter.setFont(font_);
  painter.setPen(ColourOf(kSurfaceTextColour));
  painter.drawText(QRect(x, top, kWidth * 2, kHeight),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                   QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

int QImageSurface::TextWidth(std::string_view text) {
  return QFontMetrics(font_).horizontalAdvance(
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QImageSurface::FillCircle(int centre_x, int centre_y, int radius, std::uint32_t rgb) {
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(ColourOf(rgb));
  painter.setBrush(ColourOf(rgb));
  painter.drawEllipse(QPoint(centre_x, centre_y), radius, radius);
}

void QImageSurface::Clear() {
  image_.fill(ColourOf(kSurfaceBackground));
}

void QImageSurface::Refresh() {
  if (on_refresh_) on_refresh_();
}

}  // namespace kirivane
