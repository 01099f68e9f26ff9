// The keyboard drawn on the real 32-bit image: exact AND/XOR copies, the key pictures of every
// look, the playback-versus-keys rule, the 128-key bar's home-C mark, and the picture box's
// mouse events. Also writes pictures of both keyboards into the build folder to look at.
#include <QDir>
#include <QSignalSpy>
#include <QtTest>

#include "common/keyboard/kb_paint.h"
#include "common/keyboard/kenban_cells.h"
#include "common/keyboard/keyboard_widget.h"
#include "common/keyboard/qimage_surface_qt.h"

namespace kirivane {
namespace {

QRgb Rgb(std::uint32_t rgb) {
  return 0xFF000000u | rgb;
}

// Pixel of the surface with the alpha byte forced, so 32-bit formats compare on colour only.
QRgb At(const QImageSurface& surface, int x, int y) {
  return 0xFF000000u | (surface.Image().pixel(x, y) & 0xFFFFFFu);
}

QRgb SpriteAt(const QImageSurface& surface, const Cell& cell, int x, int y) {
  return 0xFF000000u | (surface.SpriteSheet().pixel(cell.x + x, cell.y + y) & 0xFFFFFFu);
}

struct MouseRecord : KeyboardMouseHandler {
  void Keyboard_MouseDown(int button, int shift, float x, float y) override {
    events << QStringLiteral("down %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y);
  }
  void Keyboard_MouseMove(int buttons, int, float x, float y) override {
    events << QStringLiteral("move %1 %2 %3").arg(buttons).arg(x).arg(y);
  }
  void Keyboard_MouseUp(int button, int, float x, float y) override {
    events << QStringLiteral("up %1 %2 %3").arg(button).arg(x).arg(y);
  }
  void Keyboard_DblClick() override { events << QStringLiteral("dblclick"); }
  QStringList events;
};

constexpr int kWhiteBodyY = 90;  // a row of the white keys below every shade and label
constexpr int kBlackBodyY = 30;

}  // namespace

class KeyboardSurfaceTest : public QObject {
  Q_OBJECT

 private slots:
  void andAndXorCopiesAreExactBitwiseOperations();
  void sheetsHaveTheirSizesAndBodyColours();
  void idleKeyboardShowsEveryKeyReleased();
  void pressedWhiteKeyKeepsItsBlackNeighboursBlack();
  void pressedBlackKeyShowsItsColour();
  void typedKeyStaysBlueThroughPlaybackAndClearsOnItsRelease();
  void mousePressReleasedByPlaybackIsCleared();
  void labelsArePrintedInTheTextColour();
  void barShowsHomeCMarkAndPressedColours();
  void messageReplacesTheKeyboard();
  void pictureBoxForwardsMouseEvents();
  void writesPicturesOfTheKeyboards();
};

void KeyboardSurfaceTest::andAndXorCopiesAreExactBitwiseOperations() {
  QImageSurface surface;
  // Fill a patch of the surface with a pattern, then AND a mask cell and XOR a sprite cell.
  QImage& image = const_cast<QImage&>(surface.Image());
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 20; ++x) image.setPixel(x, y, qRgb((x * 37) & 255, (y * 11) & 255, 77));
  const QImage before = surface.Image().copy(0, 0, 20, 120);
  const QImage mask = surface.MaskSheet().convertToFormat(QImage::Format_RGB32);
  surface.CopyCell(Sheet::Mask, kLargeWhiteMasks[1], 0, 0, RasterOp::And);
  surface.CopyCell(Sheet::Sprite, kLargeWhiteCells[1][2], 0, 0, RasterOp::Xor);
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 20; ++x) {
      const QRgb expected = ((before.pixel(x, y) & mask.pixel(20 + x, y)) ^
                             surface.SpriteSheet().pixel(120 + 20 + x, y)) &
                            0xFFFFFFu;
      QCOMPARE(At(surface, x, y) & 0xFFFFFFu, expected);
    }
  }
}

void KeyboardSurfaceTest::sheetsHaveTheirSizesAndBodyColours() {
  QImageSurface surface;
  QCOMPARE(surface.SpriteSheet().size(), QSize(kPicKenbanWidth, 120));
  QCOMPARE(surface.MaskSheet().size(), QSize(84, 120));
  QCOMPARE(surface.MaskSheet().depth(), 1);
  QCOMPARE(SpriteAt(surface, kLargeWhiteCells[0][1], 10, kWhiteBodyY), qRgb(231, 234, 248));
  QCOMPARE(SpriteAt(surface, kLargeWhiteCells[2][2], 10, kWhiteBodyY), qRgb(254, 228, 234));
  QCOMPARE(SpriteAt(surface, kLargeBlackCells[1], 8, kBlackBodyY), qRgb(204, 210, 231));
  QCOMPARE(SpriteAt(surface, kLargeBlackCells[2], 8, kBlackBodyY), qRgb(254, 219, 224));
  QCOMPARE(SpriteAt(surface, kSmallBlackCells[1], 2, 6), qRgb(164, 179, 204));
  QCOMPARE(SpriteAt(surface, kSmallBlackCells[2], 2, 6), qRgb(203, 169, 179));
  QCOMPARE(SpriteAt(surface, kSmallWhiteCells[0][1], 3, 18), qRgb(203, 220, 252));
  QCOMPARE(SpriteAt(surface, kSmallWhiteCells[1][2], 3, 18), qRgb(250, 209, 220));
  // Released black keys are near black with a lighter outline.
  const QRgb body = SpriteAt(surface, kLargeBlackCells[0], 8, kBlackBodyY);
  const QRgb outline = SpriteAt(surface, kLargeBlackCells[0], 0, kBlackBodyY);
  QVERIFY(qGray(body) < 40);
  QVERIFY(qGray(outline) > qGray(body) + 40);
  // A white key darkens toward its front edge.
  QVERIFY(qGray(SpriteAt(surface, kLargeWhiteCells[0][0], 10, 119)) <
          qGray(SpriteAt(surface, kLargeWhiteCells[0][0], 10, 105)));
}

void KeyboardSurfaceTest::idleKeyboardShowsEveryKeyReleased() {
  QImageSurface surface;
  KBPaint paint(surface);
  paint.RedrawKeyboard(KeyboardMode{});
  for (int index = 0; index < kKeys37; ++index) {
    const int x = KeyX37(index);
    if (IsBlackKey(KeyType37(index))) {
      QCOMPARE(At(surface, x + 8, kBlackBodyY), Rgb(kLargeBlackBody[0]));
    } else {
      QCOMPARE(At(surface, x + 10, kWhiteBodyY), Rgb(kLargeWhiteBody[0]));
    }
  }
}

void KeyboardSurfaceTest::pressedWhiteKeyKeepsItsBlackNeighboursBlack() {
  QImageSurface surface;
  KBPaint paint(surface);
  const KeyboardMode mode;
  paint.RedrawKeyboard(mode);
  const QImage idle = surface.Image().copy();
  paint.DrawKeyDown(7, kKeySourceKeys, mode);  // D, black keys on both sides (6 and 8)
  QCOMPARE(At(surface, 80 + 10, kWhiteBodyY), qRgb(231, 234, 248));
  QCOMPARE(At(surface, 80 + 9, 70), qRgb(231, 234, 248));  // below the black keys
  for (int x = 72; x < 72 + 15; ++x)
    for (int y = 0; y < 64; ++y) QCOMPARE(surface.Image().pixel(x, y), idle.pixel(x, y));
  for (int x = 92; x < 92 + 15; ++x)
    for (int y = 0; y < 64; ++y) QCOMPARE(surface.Image().pixel(x, y), idle.pixel(x, y));
  // Nothing outside the key's own 20 columns changed.
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 440; ++x) {
      if (x >= 80 && x < 100) continue;
      QCOMPARE(surface.Image().pixel(x, y), idle.pixel(x, y));
    }
  }
  paint.DrawKeyUp(7, kKeySourceKeys, mode);
  QCOMPARE(surface.Image(), idle);
  QCOMPARE(qAlpha(surface.Image().pixel(90, kWhiteBodyY)), 255);
}

void KeyboardSurfaceTest::pressedBlackKeyShowsItsColour() {
  QImageSurface surface;
  KBPaint paint(surface);
  const KeyboardMode mode;
  paint.RedrawKeyboard(mode);
  paint.DrawKeyDown(6, kKeySourceMouse, mode);
  QCOMPARE(At(surface, 72 + 8, kBlackBodyY), qRgb(204, 210, 231));
  paint.DrawKeyDown(8, kKeySourcePlayback, mode);
  QCOMPARE(At(surface, 92 + 8, kBlackBodyY), qRgb(254, 219, 224));
  QCOMPARE(At(surface, 80 + 10, kWhiteBodyY), Rgb(kLargeWhiteBody[0]));
}

void KeyboardSurfaceTest::typedKeyStaysBlueThroughPlaybackAndClearsOnItsRelease() {
  QImageSurface surface;
  KBPaint paint(surface);
  const KeyboardMode mode;
  paint.RedrawKeyboard(mode);
  const QRgb blue = qRgb(231, 234, 248);
  paint.DrawKeyDown(9, kKeySourceKeys, mode);  // E at x 100
  paint.DrawKeyDown(9, kKeySourcePlayback, mode);
  QCOMPARE(At(surface, 110, kWhiteBodyY), blue);
  paint.DrawKeyUp(9, kKeySourcePlayback, mode);
  QCOMPARE(At(surface, 110, kWhiteBodyY), blue);
  paint.DrawKeyUp(9, kKeySourceKeys, mode);
  QCOMPARE(At(surface, 110, kWhiteBodyY), Rgb(kLargeWhiteBody[0]));
}

void KeyboardSurfaceTest::mousePressReleasedByPlaybackIsCleared() {
  QImageSurface surface;
  KBPaint paint(surface);
  const KeyboardMode mode;
  paint.RedrawKeyboard(mode);
  paint.DrawKeyDown(10, kKeySourceMouse, mode);  // F at x 120
  QCOMPARE(At(surface, 130, kWhiteBodyY), qRgb(231, 234, 248));
  paint.DrawKeyUp(10, kKeySourcePlayback, mode);
  QCOMPARE(At(surface, 130, kWhiteBodyY), Rgb(kLargeWhiteBody[0]));
  // A key pressed by playback shows pink.
  paint.DrawKeyDown(10, kKeySourcePlayback, mode);
  QCOMPARE(At(surface, 130, kWhiteBodyY), qRgb(254, 228, 234));
}

void KeyboardSurfaceTest::labelsArePrintedInTheTextColour() {
  QImageSurface surface;
  KBPaint paint(surface);
  std::vector<std::string> labels(37);
  labels[5] = "W";
  labels[6] = "3E";
  paint.SetLabels(labels);
  paint.RedrawKeyboard(KeyboardMode{});
  auto inkIn = [&](int left, int top, int width, int height) {
    int ink = 0;
    for (int y = top; y < top + height; ++y)
      for (int x = left; x < left + width; ++x) {
        const QColor c = QColor::fromRgb(surface.Image().pixel(x, y));
        // Text colour RGB(162,201,255) is the bluest thing drawn; anti-aliased edges lean to it.
        if (c.blue() - c.red() > 40) ++ink;
      }
    return ink;
  };
  QVERIFY(inkIn(60 + 5, 98, 12, 14) > 5);  // one character on the white C
  QVERIFY(inkIn(72, 44, 15, 14) > 5);      // two characters on the black C#
  QCOMPARE(inkIn(80, 98, 20, 14), 0);      // no label, no ink
}

void KeyboardSurfaceTest::barShowsHomeCMarkAndPressedColours() {
  QImageSurface surface;
  KBPaint paint(surface);
  KeyboardMode mode;
  mode.DisplayMode = 2;
  mode.RequestedDisplayMode = 2;
  paint.RedrawKeyboard(mode);
  const int x60 = KeyX128(60);
  QCOMPARE(At(surface, x60 + 3, 19), qRgb(255, 78, 78));
  QCOMPARE(At(surface, KeyX128(48) + 3, 19), Rgb(kSmallWhiteBody[0]));
  // A typing key at large index 5 lights note 60, covering the mark; its release restores it.
  paint.DrawKeyDown(5, kKeySourceKeys, mode);
  QCOMPARE(At(surface, x60 + 3, 19), qRgb(203, 220, 252));
  paint.DrawKeyUp(5, kKeySourceKeys, mode);
  QCOMPARE(At(surface, x60 + 3, 19), qRgb(255, 78, 78));
  paint.DrawKeyDown128(61, kKeySourcePlayback, mode);
  QCOMPARE(At(surface, KeyX128(61) + 2, 6), qRgb(203, 169, 179));
  QCOMPARE(At(surface, KeyX128(62) + 3, 18), Rgb(kSmallWhiteBody[0]));
  // Octave -2 moves the mark to note 36.
  mode.OctaveShift = -2;
  paint.RedrawKeyboard(mode);
  QCOMPARE(At(surface, KeyX128(36) + 3, 19), qRgb(255, 78, 78));
  QCOMPARE(At(surface, x60 + 3, 19), Rgb(kSmallWhiteBody[0]));
}

void KeyboardSurfaceTest::messageReplacesTheKeyboard() {
  QImageSurface surface;
  KBPaint paint(surface);
  paint.RedrawKeyboard(KeyboardMode{});
  paint.ShowMessage(0, "Drawing is off", "please wait");
  int blue = 0, dark = 0;
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 440; ++x) {
      const QColor c = QColor::fromRgb(surface.Image().pixel(x, y));
      if (c.blue() - c.red() > 40) ++blue;
      if (c.value() < 100) ++dark;
    }
  QVERIFY(blue > 20);
  QCOMPARE(dark, 0);  // no key left
}

void KeyboardSurfaceTest::pictureBoxForwardsMouseEvents() {
  QImageSurface surface;
  Keyboard keyboard(surface);
  MouseRecord record;
  keyboard.SetMouseHandler(&record);
  keyboard.show();
  QVERIFY(QTest::qWaitForWindowExposed(&keyboard));
  QTest::mousePress(&keyboard, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 40));
  QTest::mouseRelease(&keyboard, Qt::LeftButton, Qt::NoModifier, QPoint(31, 41));
  QTest::mouseDClick(&keyboard, Qt::LeftButton, Qt::NoModifier, QPoint(50, 60));
  QTest::mousePress(&keyboard, Qt::RightButton, Qt::NoModifier, QPoint(5, 6));
  const QStringList expected = {QStringLiteral("down 1 1 30 40"), QStringLiteral("up 1 31 41"),
                                QStringLiteral("dblclick"), QStringLiteral("down 2 0 5 6")};
  QCOMPARE(record.events, expected);
  QTest::mouseMove(&keyboard, QPoint(70, 80));
  QTRY_VERIFY(record.events.last().startsWith(QStringLiteral("move ")));
  QVERIFY(record.events.last().endsWith(QStringLiteral(" 70 80")));
  // A refresh of the surface schedules a repaint that shows the image.
  KBPaint paint(keyboard.KeyboardSurface());
  paint.RedrawKeyboard(KeyboardMode{});
  QTRY_COMPARE(keyboard.grab().toImage().pixel(10, kWhiteBodyY) & 0xFFFFFFu, 0xFFFFFFu);
  QTRY_VERIFY(qGray(keyboard.grab().toImage().pixel(20, kBlackBodyY)) < 40);
}

void KeyboardSurfaceTest::writesPicturesOfTheKeyboards() {
  const QString folder = QStringLiteral(KIRIVANE_BIN_DIR) + QStringLiteral("/../keyboard-pictures");
  QVERIFY(QDir().mkpath(folder));
  QImageSurface surface;
  KBPaint paint(surface);
  paint.SetLabels(std::vector<std::string>{
      "Z", "S", "X", "D", "C", "V", "G", "B", "H", "N", "M", "K", ",", "L", ".", ";", "/", "Q", "2",
      "W", "3", "E", "R", "5", "T", "6", "Y", "7", "U", "I", "9", "O", "0", "P", "@", "^", "["});
  KeyboardMode mode;
  paint.RedrawKeyboard(mode);
  QVERIFY(surface.Image().copy(0, 0, 440, 120).save(folder + "/keyboard37-idle.png"));
  for (int index : {5, 9, 12}) paint.DrawKeyDown(index, kKeySourceKeys, mode);  // C major
  paint.DrawKeyDown(20, kKeySourcePlayback, mode);
  paint.DrawKeyDown(23, kKeySourcePlayback, mode);
  paint.DrawKeyDown(30, kKeySourceMouse, mode);
  QVERIFY(surface.Image().copy(0, 0, 440, 120).save(folder + "/keyboard37-pressed.png"));
  mode.DisplayMode = mode.RequestedDisplayMode = 2;
  paint.RedrawKeyboard(mode);
  for (int note : {64, 67}) paint.DrawKeyDown128(note, kKeySourceKeys, mode);
  paint.DrawKeyDown128(70, kKeySourcePlayback, mode);
  paint.DrawKeyDown128(73, kKeySourceMouse, mode);
  QVERIFY(surface.Image().copy(0, 0, 600, 25).save(folder + "/keyboard128.png"));
  QVERIFY(surface.SpriteSheet().save(folder + "/PicKenban.png"));
  QVERIFY(surface.MaskSheet().save(folder + "/MskKenban.png"));
}

}  // namespace kirivane

QTEST_MAIN(kirivane::KeyboardSurfaceTest)
#include "keyboard_surface_test.moc"
