#include "player/chords/chord_select_dialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/keyboard/kb_paint.h"
#include "common/keyboard/qimage_surface_qt.h"
#include "player/chords/chord_grid.h"
#include "player/performance/transport.h"
#include "player/state/lang_ids.h"
#include "player/state/language_table.h"
#include "player/widgets/captions_qt.h"

namespace kirivane {

namespace {

// The large keyboard from the C at index 5 to the E 28 semitones above it: 17 white keys.
constexpr int kPictureFirstX = 60;
constexpr int kPictureWidth = 17 * kLargeWhiteWidth;
constexpr int kMarkerSize = 6;

std::size_t At(int i) {
  return static_cast<std::size_t>(i);
}

}  // namespace

QPixmap ChordKeyboardPicture() {
  QImageSurface surface;
  KBPaint paint(surface);
  paint.RedrawKeyboard(KeyboardMode{});
  const QImage part = surface.Image().copy(kPictureFirstX, 0, kPictureWidth, kLargeWhiteHeight);
  return QPixmap::fromImage(part.scaled(kChordKeyboardWidth, kChordKeyboardHeight,
                                        Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

ChordSelectDialog::ChordSelectDialog(Player& player, const ChordList& list, int target,
                                     ChordSlotReceiver* options, QWidget* parent)
    : QDialog(parent), player_(player), model_(player.state, player.midi), options_(options) {
  setObjectName("frmChordSelect");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setModal(false);
  if (target < 0) {
    model_.OpenFromMenu();
  } else {
    model_.OpenForSlot(target);
  }
  model_.SetChordList(list);
  keyboard_ = ChordKeyboardPicture();

  auto* layout = new QVBoxLayout(this);
  auto* grid_box = new QWidget(this);
  layout->addWidget(grid_box);
  CreateGrid();
  auto* grid = new QGridLayout(grid_box);
  grid->setSpacing(2);
  grid->setContentsMargins(0, 0, 0, 0);
  for (int i = 0; i < kChordColumnHeadings; ++i) {
    const GridCell cell = ColumnHeadingCell(i);
    grid->addWidget(LblHTitle[At(i)], cell.row, cell.column, Qt::AlignCenter);
  }
  for (int i = 0; i < kChordRowHeadings; ++i) {
    const GridCell cell = RowHeadingCell(i);
    grid->addWidget(LblVTitle[At(i)], cell.row, cell.column, Qt::AlignCenter);
  }
  for (int k = 0; k < kChordListSize; ++k) {
    const GridCell cell = ChordButtonCell(k);
    grid->addWidget(CmdChord[At(k)], cell.row, cell.column);
  }
  layout->addWidget(CreateShownChord());
  SetFontsAndCaptions();
  ShowModel();
}

ChordSelectDialog::~ChordSelectDialog() = default;

void ChordSelectDialog::CreateGrid() {
  for (int i = 0; i < kChordColumnHeadings; ++i) {
    LblHTitle[At(i)] = new QLabel(this);
    LblHTitle[At(i)]->setObjectName(QString("LblHTitle_%1").arg(i));
  }
  for (int i = 0; i < kChordRowHeadings; ++i) {
    LblVTitle[At(i)] = new QLabel(this);
    LblVTitle[At(i)]->setObjectName(QString("LblVTitle_%1").arg(i));
  }
  for (int k = 0; k < kChordListSize; ++k) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString("CmdChord_%1").arg(k));
    button->setMinimumSize(64, 30);
    button->setEnabled(model_.ButtonEnabled(k));
    connect(button, &QPushButton::pressed, this, [this, k] {
      model_.ChordMouseDown(k);
      ShowModel();
    });
    connect(button, &QPushButton::released, this, [this] { model_.ChordMouseUp(); });
    connect(button, &QPushButton::clicked, this, [this, k] {
      model_.ChordClick(k);
      ShowModel();
    });
    CmdChord[At(k)] = button;
  }
}

QWidget* ChordSelectDialog::CreateShownChord() {
  auto* panel = new QWidget(this);
  auto* rows = new QVBoxLayout(panel);
  rows->setContentsMargins(0, 0, 0, 0);

  Frame1 = new QGroupBox(panel);
  Frame1->setObjectName("Frame1");
  Label1 = new QLabel(Frame1);
  Label1->setObjectName("Label1");
  Label1->installEventFilter(this);
  (new QVBoxLayout(Frame1))->addWidget(Label1);
  rows->addWidget(Frame1);

  auto* shown = new QHBoxLayout;
  Image1 = new QLabel(panel);
  Image1->setObjectName("Image1");
  Image1->setFixedSize(kChordKeyboardWidth, kChordKeyboardHeight);
  shown->addWidget(Image1);
  auto* texts = new QGridLayout;
  Label6 = new QLabel(panel);
  Label6->setObjectName("Label6");
  Lbl_Chord = new QLabel(panel);
  Lbl_Chord->setObjectName("Lbl_Chord");
  Label4 = new QLabel(panel);
  Label4->setObjectName("Label4");
  HSInversion = new QScrollBar(Qt::Horizontal, panel);
  HSInversion->setObjectName("HSInversion");
  HSInversion->setPageStep(1);
  HSInversion->setMinimumWidth(120);
  connect(HSInversion, &QScrollBar::valueChanged, this, [this](int value) {
    if (showing_) return;
    model_.InversionChange(value);
    ShowModel();
  });
  texts->addWidget(Label6, 0, 0);
  texts->addWidget(Lbl_Chord, 0, 1);
  texts->addWidget(Label4, 1, 0);
  texts->addWidget(HSInversion, 1, 1);
  shown->addLayout(texts, 1);
  Image2 = new QToolButton(panel);
  Image2->setObjectName("Image2");
  Image2->setText("?");
  connect(Image2, &QToolButton::clicked, this, &ChordSelectDialog::ToggleHelp);
  shown->addWidget(Image2, 0, Qt::AlignTop);
  rows->addLayout(shown);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  cmdOK = new QPushButton(panel);
  cmdOK->setObjectName("cmdOK");
  cmdOK->setAutoDefault(false);
  connect(cmdOK, &QPushButton::clicked, this, &ChordSelectDialog::accept);
  cmdCancel = new QPushButton(panel);
  cmdCancel->setObjectName("cmdCancel");
  cmdCancel->setAutoDefault(false);
  connect(cmdCancel, &QPushButton::clicked, this, &ChordSelectDialog::reject);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  rows->addLayout(buttons);
  return panel;
}

void ChordSelectDialog::SetFontsAndCaptions() {
  const AppState& app = player_.state.app;
  const std::string name = LangText(app, kLangControlFont);
  SetControlFont(this, LangSize(app, kLangFormFontSize), LangText(app, kLangFormFont));
  setWindowTitle(LangQ(app, kLangChordDialogCaption));
  for (int i = 0; i < kChordColumnHeadings; ++i) {
    SetControlFont(LblHTitle[At(i)], LangSize(app, kLangListFontSize), name);
    LblHTitle[At(i)]->setText(LangQ(app, ColumnHeadingEntry(i)));
  }
  for (int i = 0; i < kChordRowHeadings; ++i) {
    SetControlFont(LblVTitle[At(i)], LangSize(app, kLangListFontSize), name);
    LblVTitle[At(i)]->setText(LangQ(app, RowHeadingEntry(i)));
  }
  const ChordList& entries = model_.Entries();
  for (int k = 0; k < kChordListSize; ++k) {
    QPushButton* button = CmdChord[At(k)];
    SetControlFont(button, ChordButtonFontSize(app, k), name);
    QFont font = button->font();
    font.setBold(entries[At(k)].bold == 1);
    button->setFont(font);
    button->setText(QString::fromStdString(entries[At(k)].caption).replace("\r\n", "\n"));
  }
  for (QWidget* control : std::initializer_list<QWidget*>{Frame1, Label1, Label6, Lbl_Chord, Label4,
                                                          cmdOK, cmdCancel}) {
    SetControlFont(control, LangSize(app, kLangListFontSize), name);
  }
  Frame1->setTitle(LangQ(app, kLangChordHelpFrame));
  Label1->setText(LangQ(app, kLangChordHelpText).replace("\r\n", "\n"));
  Label6->setText(LangQ(app, kLangChordShownLabel));
  Label4->setText(LangQ(app, kLangChordInversion));
  Image2->setToolTip(LangQ(app, kLangChordHelpTip));
  cmdOK->setText(LangQ(app, kLangOk));
  cmdCancel->setText(LangQ(app, kLangCancel));
}

void ChordSelectDialog::ShowModel() {
  showing_ = true;
  HSInversion->setRange(-model_.InversionLimit(), model_.InversionLimit());
  HSInversion->setValue(model_.Inversion());
  showing_ = false;
  Lbl_Chord->setText(QString::fromStdString(model_.ChordText()));
  DrawMarkers();
}

void ChordSelectDialog::DrawMarkers() {
  QPixmap picture = keyboard_;
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  const auto markers = model_.Markers();
  for (int m = 0; m < kChordMarkers; ++m) {
    if (!markers[At(m)]) continue;  // the off look: the key as it is
    const MarkerPlace place = ChordMarkerPlace(m);
    const bool root = m == kRootMarker;
    p.setPen(QPen(QColor(90, 20, 20), 1));
    p.setBrush(root ? QColor(230, 60, 40) : QColor(250, 150, 40));
    p.drawEllipse(place.left, place.top, kMarkerSize, kMarkerSize);
  }
  p.end();
  Image1->setPixmap(picture);
}

void ChordSelectDialog::ToggleHelp() {
  if (Frame1->isVisible()) {
    player_.devices.sounds.Play(kSoundAccent);
    Frame1->hide();
  } else {
    Frame1->show();
  }
  adjustSize();
}

bool ChordSelectDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label1 && event->type() == QEvent::MouseButtonDblClick) {
    ToggleHelp();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void ChordSelectDialog::accept() {
  model_.Ok(player_.chords, options_);
  QDialog::accept();
}

void ChordSelectDialog::reject() {
  model_.Cancel();
  QDialog::reject();
}

}  // namespace kirivane
