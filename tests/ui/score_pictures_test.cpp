// The built-in pictures as the player loads them from its resources. Every score picture is
// measured (staff lines, notehead, ledger lines, sharp, ottava mark) and held against where a
// musician writes the note, worked out here from the note's name; the drawing script's table
// of the notes must agree with both.
#include <QFile>
#include <QImage>
#include <QtTest>

#include <string>
#include <vector>

// The resources live in a static library: the program asks for them by name.
static void LoadPictureResources() {
  Q_INIT_RESOURCE(pictures);
}

namespace kirivane {
namespace {

// Where a note belongs: the treble staff from middle C up, else the bass staff; at most three
// ledger lines, beyond them an octave or two nearer the staff (8va/15ma up, 8vb/15mb down).
struct Written {
  bool treble = false;
  int position = 0;  // steps above the staff's lowest line: even on a line, odd in a space
  int ottava = 0;    // octaves the note is written nearer the staff, + above, - below
  bool sharp = false;
  int ledgers = 0;
};

int LedgerLines(int position) {
  if (position > 8) return (position - 8) / 2;
  return position < 0 ? -position / 2 : 0;
}

Written WhereWritten(int note) {
  static const char* const kNames[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                         "F#", "G",  "G#", "A",  "A#", "B"};
  const std::string name = kNames[note % 12];
  const int letter = static_cast<int>(std::string("CDEFGAB").find(name[0]));
  const int octave = note / 12 - 1;  // middle C (60) is C4
  Written w;
  w.treble = note >= 60;
  const int lowest_line = w.treble ? 4 * 7 + 2 : 2 * 7 + 4;  // E4, G2
  w.position = octave * 7 + letter - lowest_line;
  int octaves = 0;
  while (octaves < 2 && LedgerLines(w.position) > 3) {
    ++octaves;
    w.position += w.treble ? -7 : 7;
  }
  w.ottava = w.treble ? octaves : -octaves;
  w.sharp = name.size() == 2;
  w.ledgers = LedgerLines(w.position);
  return w;
}

// Measurements of one score picture.
class ScorePicture {
 public:
  explicit ScorePicture(const QImage& image)
      : image_(image.convertToFormat(QImage::Format_ARGB32)) {}

  int Darkness(int x, int y) const { return 255 - qGray(image_.pixel(x, y)); }
  // The note's own colour (blue) against the black ink of the staff.
  int Accent(int x, int y) const {
    const QRgb p = image_.pixel(x, y);
    return qAlpha(p) == 255 ? std::max(0, qBlue(p) - qRed(p) - 40) : 0;
  }
  bool Ink(int x, int y) const { return Darkness(x, y) > 90 && Accent(x, y) == 0; }

  // Centres of the rows where a line crosses the whole staff, top to bottom.
  std::vector<double> StaffLines() const {
    std::vector<double> lines;
    double weight = 0, sum = 0;
    for (int y = kTop; y < kBottom; ++y) {
      int dark = 0, total = 0;
      for (int x = 70; x <= 190; ++x) {
        dark += Darkness(x, y) > 90 ? 1 : 0;
        total += Darkness(x, y);
      }
      if (dark >= 115) {
        weight += total;
        sum += total * static_cast<double>(y);
      } else if (weight > 0) {
        lines.push_back(sum / weight);
        weight = sum = 0;
      }
    }
    return lines;
  }
  // Weighted centre of the note's colour right of kHeadLeft (the notehead); count of pixels.
  QPointF Head(int* pixels) const { return Centre(kHeadLeft, 195, pixels); }
  int SharpPixels() const {
    int pixels = 0;
    Centre(90, kHeadLeft, &pixels);
    return pixels;
  }
  // Separate ink crossings of a column between two heights.
  int RunsInColumn(int x, int from, int to) const {
    int runs = 0;
    bool inside = false;
    for (int y = std::min(from, to); y <= std::max(from, to); ++y) {
      const bool ink = Ink(x, y);
      runs += ink && !inside ? 1 : 0;
      inside = ink;
    }
    return runs;
  }
  bool InkIn(int left, int right, int top, int bottom) const {
    for (int y = std::max(top, kTop); y <= std::min(bottom, kBottom); ++y) {
      for (int x = left; x <= right; ++x) {
        if (Ink(x, y)) return true;
      }
    }
    return false;
  }

  static constexpr int kTop = 12;  // inside the card's border
  static constexpr int kBottom = 552;
  static constexpr int kHeadLeft = 118;

 private:
  QPointF Centre(int left, int right, int* pixels) const {
    double weight = 0, sx = 0, sy = 0;
    *pixels = 0;
    for (int y = kTop; y < kBottom; ++y) {
      for (int x = left; x < right; ++x) {
        const int a = Accent(x, y);
        if (a == 0) continue;
        ++*pixels;
        weight += a;
        sx += a * x;
        sy += a * y;
      }
    }
    return weight > 0 ? QPointF(sx / weight, sy / weight) : QPointF(-1, -1);
  }

  QImage image_;
};

}  // namespace

class ScorePicturesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { LoadPictureResources(); }

  void EveryNoteSitsOnItsLineOrSpace() {
    QFile table(QStringLiteral(KIRIVANE_SOURCE_DIR "/data/pictures/score/score_notes.csv"));
    QVERIFY(table.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList rows = QString::fromUtf8(table.readAll()).split('\n', Qt::SkipEmptyParts);
    rows.removeFirst();  // the header
    QCOMPARE(rows.size(), 128);

    const ScorePicture empty(QImage(":/image/s000.png"));
    QCOMPARE(empty.StaffLines().size(), std::size_t{10});
    int accent = 0;
    empty.Head(&accent);
    QCOMPARE(accent, 0);

    for (int index = 1; index <= 128; ++index) {
      const int note = index % 128;  // picture 128 shows note 0
      const QString where = QStringLiteral("s%1 (note %2)").arg(index, 3, 10, QChar('0')).arg(note);
      const QImage image(QStringLiteral(":/image/s%1.png").arg(index, 3, 10, QChar('0')));
      QVERIFY2(image.size() == QSize(210, 565), qPrintable(where));
      const ScorePicture picture(image);
      const Written w = WhereWritten(note);

      const std::vector<double> lines = picture.StaffLines();
      QVERIFY2(lines.size() == 10, qPrintable(where + " staff lines"));
      const double step = (lines[4] - lines[0] + lines[9] - lines[5]) / 16.0;
      const double lowest = w.treble ? lines[4] : lines[9];
      const double top = w.treble ? lines[0] : lines[5];
      int head_pixels = 0;
      const QPointF head = picture.Head(&head_pixels);
      QVERIFY2(head_pixels > 40, qPrintable(where + " notehead"));
      const double expected_y = lowest - w.position * step;
      QVERIFY2(
          std::abs(head.y() - expected_y) < 1.0,
          qPrintable(
              where +
              QStringLiteral(" notehead at y %1, its place is %2").arg(head.y()).arg(expected_y)));

      const int column = qRound(head.x() + 12);
      const int staff_edge = qRound(w.position > 8 ? top - 3 : lowest + 3);
      const int ledgers = w.position > 8 || w.position < 0
                              ? picture.RunsInColumn(column, staff_edge, qRound(head.y()))
                              : 0;
      QVERIFY2(ledgers == w.ledgers,
               qPrintable(where + QStringLiteral(" %1 ledger lines").arg(ledgers)));
      QVERIFY2((picture.SharpPixels() > 20) == w.sharp, qPrintable(where + " sharp"));

      // The ottava mark: ink above the note and the treble staff, or below the note and the
      // bass staff, exactly when the note is written nearer the staff.
      const int half_head = qRound(step * 1.1);
      const int left = qRound(head.x()) - 15, right = qRound(head.x()) + 45;
      const bool mark =
          w.treble
              ? picture.InkIn(left, right, 0, qRound(std::min(head.y(), top)) - half_head)
              : picture.InkIn(left, right, qRound(std::max(head.y(), lowest)) + half_head, 565);
      QVERIFY2(mark == (w.ottava != 0), qPrintable(where + " ottava mark"));

      const QStringList row = rows[index - 1].split(',');
      QVERIFY2(row.size() == 7, qPrintable(where + " table row"));
      QCOMPARE(row[0].toInt(), index);
      QCOMPARE(row[1].toInt(), note);
      QCOMPARE(row[2], QString(w.treble ? "treble" : "bass"));
      QCOMPARE(row[3].toInt(), w.ottava);
      QCOMPARE(row[4].toInt(), w.position);
      QCOMPARE(row[5], QString(w.sharp ? "sharp" : "-"));
      QVERIFY2(std::abs(row[6].toDouble() - head.y()) < 1.0, qPrintable(where + " table y"));
    }
  }

  void TheLanternAndTheDefaultPicturesAreBuiltIn() {
    const QList<std::pair<QString, int>> widths{
        {":/lantern/lantern_cap.png", 23},  {":/lantern/lantern_volume.png", 52},
        {":/lantern/lantern_bend.png", 52}, {":/lantern/lantern_modulation.png", 52},
        {":/lantern/lantern_end.png", 21},  {":/lantern/lantern_string.png", 13},
        {":/image/n000.png", 64},           {":/image/d000.png", 64}};
    for (const auto& [path, width] : widths) {
      const QImage image(path);
      QVERIFY2(!image.isNull(), qPrintable(path));
      QCOMPARE(image.width(), width);
    }
    // A body is at least as tall as the longest lantern (value 127 + 1 rows).
    QVERIFY(QImage(":/lantern/lantern_bend.png").height() >= 128);
  }
};

}  // namespace kirivane

QTEST_MAIN(kirivane::ScorePicturesTest)
#include "score_pictures_test.moc"
