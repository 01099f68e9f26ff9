// Cost of drawing the on-screen keyboard on the real 32-bit image: one key change (a cell
// copy or two, the label, a refresh) against a full redraw of either keyboard.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <vector>

#include "common/keyboard/kb_paint.h"
#include "common/keyboard/keyboard_widget.h"
#include "common/keyboard/qimage_surface_qt.h"

namespace kirivane {
namespace {

std::vector<std::string> Labels() {
  return {"Z", "S", "X", "D", "C", "V", "G", "B", "H", "N", "M", "K", ",",
          "L", ".", ";", "/", "Q", "2", "W", "3", "E", "R", "5", "T", "6",
          "Y", "7", "U", "I", "9", "O", "0", "P", "@", "^", "["};
}

// Each iteration presses the key and releases it, refreshing after each: two key changes.
void KeyDownUp(benchmark::State& state, int index) {
  QImageSurface surface;
  KBPaint paint(surface);
  paint.SetLabels(Labels());
  const KeyboardMode mode;
  paint.RedrawKeyboard(mode);
  for (auto _ : state) {
    paint.DrawKeyDown(index, kKeySourceKeys, mode);
    paint.Refresh();
    paint.DrawKeyUp(index, kKeySourceKeys, mode);
    paint.Refresh();
  }
  state.SetItemsProcessed(state.iterations() * 2);
}

void BM_WhiteKeyDownThenUp(benchmark::State& state) {
  KeyDownUp(state, 7);
}
void BM_BlackKeyDownThenUp(benchmark::State& state) {
  KeyDownUp(state, 6);
}

void BM_RedrawKeyboard37(benchmark::State& state) {
  QImageSurface surface;
  KBPaint paint(surface);
  paint.SetLabels(Labels());
  const KeyboardMode mode;
  for (auto _ : state) paint.RedrawKeyboard(mode);
}

void BM_RedrawKeyboard128(benchmark::State& state) {
  QImageSurface surface;
  KBPaint paint(surface);
  KeyboardMode mode;
  mode.DisplayMode = mode.RequestedDisplayMode = 2;
  for (auto _ : state) paint.RedrawKeyboard(mode);
}

// What a refresh leads to: the picture box painting its 440 x 120 image.
void BM_PictureBoxPaint(benchmark::State& state) {
  QImageSurface surface;
  Keyboard keyboard(surface);
  keyboard.resize(440, 120);
  KBPaint paint(keyboard.KeyboardSurface());
  paint.RedrawKeyboard(KeyboardMode{});
  QImage target(440, 120, QImage::Format_RGB32);
  for (auto _ : state) keyboard.render(&target);
}

// One cell copy of a large white key's size, by raster operation (0 copy, 1 AND, 2 XOR).
void BM_CellCopy(benchmark::State& state) {
  QImageSurface surface;
  const auto op = static_cast<RasterOp>(state.range(0));
  for (auto _ : state) surface.CopyCell(Sheet::Sprite, Cell{0, 0, 20, 120}, 80, 0, op);
}

void BM_KeyLabel(benchmark::State& state) {
  QImageSurface surface;
  for (auto _ : state) surface.PrintText(86, 98, "W");
}

BENCHMARK(BM_WhiteKeyDownThenUp);
BENCHMARK(BM_BlackKeyDownThenUp);
BENCHMARK(BM_RedrawKeyboard37);
BENCHMARK(BM_RedrawKeyboard128);
BENCHMARK(BM_PictureBoxPaint);
BENCHMARK(BM_CellCopy)->Arg(0)->Arg(1)->Arg(2);
BENCHMARK(BM_KeyLabel);

}  // namespace
}  // namespace kirivane

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
