#include "player/layout/side_panels_panel.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "common/keyboard/keyboard_mouse.h"
#include "player/layout/decoration_panel.h"
#include "player/layout/score_panel.h"
#include "player/midi/sysex_messages.h"
#include "player/state/lang_ids.h"
#include "player/state/language_table.h"
#include "player/widgets/captions_qt.h"
#include "player/widgets/window_art_qt.h"

namespace kirivane {

namespace {

constexpr QSize kHandleSize{140, 12};
constexpr QSize kPadSize{52, 52};

// The tuning presets of CmbChoritu: equal temperament first, then four historical tunings
// (offsets in cents for C, C#, D, ... B).
constexpr std::array<const char*, 5> kTunings{
    "0 0 0 0 0 0 0 0 0 0 0 0", "-6 45 -2 -12 -51 -8 43 -4 47 0 -10 -49",
    "10 0 -10 4 -6 8 -2 12 2 -8 6 -4", "-2 12 2 -8 6 -4 10 0 -10 4 -6 8",
    "10 -8 3 10 -4 14 -10 7 -6 0 12 -7"};

// The strip's handle: a tab with a grip, pointing where a click moves the strip.
QPixmap HandlePicture(bool open) {
  QPixmap picture(kHandleSize);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(70, 100, 160), 1));
  p.setBrush(QColor(170, 195, 235));
  p.drawRoundedRect(QRectF(0.5, 0.5, kHandleSize.width() - 1, kHandleSize.height() - 1), 5, 5);
  const qreal x = kHandleSize.width() / 2.0;
  const QPolygonF arrow = open ? QPolygonF({{x - 6, 8.5}, {x + 6, 8.5}, {x, 3}})
                               : QPolygonF({{x - 6, 3.5}, {x + 6, 3.5}, {x, 9}});
  p.setBrush(QColor(44, 74, 128));
  p.setPen(Qt::NoPen);
  p.drawPolygon(arrow);
  return picture;
}

// A round pad with a symbol; pressed pads look pushed in.
QPixmap PadPicture(const QString& symbol, bool pressed) {
  QPixmap picture(kPadSize);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient shade(QPointF(20, 18), 34);
  shade.setColorAt(0, pressed ? QColor(150, 175, 220) : QColor(250, 252, 255));
  shade.setColorAt(1, pressed ? QColor(90, 120, 180) : QColor(170, 195, 235));
  p.setBrush(shade);
  p.setPen(QPen(QColor(70, 100, 160), 2));
  p.drawEllipse(QRectF(3, 3, 46, 46));
  QFont font = p.font();
  font.setPixelSize(24);
  p.setFont(font);
  p.setPen(QColor(44, 74, 128));
  p.drawText(QRectF(3, pressed ? 4 : 2, 46, 46), Qt::AlignCenter, symbol);
  return picture;
}

// A decoration of the closed strip: a faint note.
QPixmap NoteDecoration(const QString& symbol) {
  QPixmap picture(36, 36);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  QFont font = p.font();
  font.setPixelSize(28);
  p.setFont(font);
  p.setPen(QColor(120, 145, 195));
  p.drawText(picture.rect(), Qt::AlignCenter, symbol);
  return picture;
}

const QString kPadSymbols[2] = {QString::fromUtf8("\u266B"), QString::fromUtf8("\u2699")};

}  // namespace

SidePanelsPanel::SidePanelsPanel(Player& player, WindowCommands& window, ScorePanel& score,
                                 DecorationPanel& decoration, QWidget* form)
    : QObject(form),
      player_(player),
      window_(window),
      score_(score),
      decoration_(decoration),
      form_(form) {
  setObjectName("SidePanelsPanel");
  UsePictureResources();
  Shape3 = new QFrame(form);
  Shape3->setObjectName("Shape3");
  Shape3->setStyleSheet(
      "#Shape3 { background: #dfe8f7; border: 1px solid #8aa2cf; border-radius: 7px; }");
  Shape3->setAttribute(Qt::WA_TransparentForMouseEvents);
  Image13 = MakeFormLabel(form, "Image13");
  Image13->setPixmap(HandlePicture(false));
  Image13->setCursor(Qt::PointingHandCursor);
  Image9 = MakeFormLabel(form, "Image9");
  Image9->setPixmap(NoteDecoration(QString::fromUtf8("\u266A")));
  Image10 = MakeFormLabel(form, "Image10");
  Image10->setPixmap(NoteDecoration(QString::fromUtf8("\u266B")));
  ImgMusicIcon = MakeFormLabel(form, "ImgMusicIcon");
  for (int i = 0; i < 2; ++i) {
    Command10[i] = MakeFormLabel(form, i == 0 ? "Command10_0" : "Command10_1");
    Command10[i]->setPixmap(PadPicture(kPadSymbols[i], false));
    Command10[i]->resize(kPadSize);
    Command10[i]->hide();
  }
  CreateSideFrames(form);
  mnuPaneruOC = new QAction(this);
  mnuPaneruOC->setObjectName("mnuPaneruOC");
  mnuPaneruOC->setCheckable(true);
  connect(mnuPaneruOC, &QAction::triggered, this, [this] {
    mnuPaneruOC->setChecked(player_.state.layout.PanelOpen == -1);
    player_.side_panels.TogglePlayPanel();
  });
  for (QWidget* control : {static_cast<QWidget*>(Image13), static_cast<QWidget*>(Image9),
                           static_cast<QWidget*>(Image10), static_cast<QWidget*>(ImgMusicIcon),
                           static_cast<QWidget*>(Command10[0]), static_cast<QWidget*>(Command10[1]),
                           static_cast<QWidget*>(&score_)}) {
    control->installEventFilter(this);
  }
  player_.side_panels.SetView(this);
}

SidePanelsPanel::~SidePanelsPanel() {
  player_.side_panels.SetView(nullptr);
}

void SidePanelsPanel::CreateSideFrames(QWidget* form) {
  for (int i = 0; i < 2; ++i) {
    FrmSide[i] = new QFrame(form);
    FrmSide[i]->setObjectName(i == 0 ? "FrmSide_0" : "FrmSide_1");
    FrmSide[i]->setFrameShape(QFrame::StyledPanel);
    FrmSide[i]->setAutoFillBackground(true);
    FrmSide[i]->hide();
  }
  FrmSide[0]->setGeometry(100, 238, 300, 36);
  FrmSide[1]->setGeometry(100, 276, 300, 30);
  LblSideinfo = new QLabel(FrmSide[0]);
  LblSideinfo->setObjectName("LblSideinfo");
  LblSideinfo->setWordWrap(true);
  LblSideinfo->setGeometry(6, 2, 288, 32);
  CmbChoritu = new QComboBox(FrmSide[1]);
  CmbChoritu->setObjectName("CmbChoritu");
  CmbChoritu->setEditable(true);
  CmbChoritu->setInsertPolicy(QComboBox::NoInsert);
  for (const char* tuning : kTunings) CmbChoritu->addItem(tuning);
  CmbChoritu->setEditText(kTunings[0]);
  CmbChoritu->setGeometry(4, 3, 228, 24);
  Command2 = new QPushButton(FrmSide[1]);
  Command2->setObjectName("Command2");
  Command2->setGeometry(236, 3, 60, 24);
  Command2->setFocusPolicy(Qt::NoFocus);
  connect(Command2, &QPushButton::clicked, this, &SidePanelsPanel::Command2_Click);
  connect(CmbChoritu, &QComboBox::editTextChanged, this, &SidePanelsPanel::CmbChoritu_Change);
}

void SidePanelsPanel::SetCaptions() {
  const AppState& app = player_.state.app;
  Image13->setToolTip(LangQ(app, kLangRecordPanelTip));
  Image9->setToolTip(LangQ(app, kLangLeftDecorationTip));
  Image10->setToolTip(LangQ(app, kLangRightDecorationTip));
  ImgMusicIcon->setToolTip(LangQ(app, kLangChordSelectTip));
  Command10[0]->setToolTip(LangQ(app, kLangChordSelectTip));
  Command10[1]->setToolTip(LangQ(app, kLangOptionsPadTip));
  mnuPaneruOC->setText(LangQ(app, kLangRecordPanelItem));
  const bool english = app.EnglishUI == 1;
  LblSideinfo->setText(english
                           ? "Scale tuning (experimental, GS synthesizers): twelve offsets, "
                             "C to B, separated by spaces"
                           : QString::fromUtf8("スケール・チューニング（試験的機能・GS音源用）："
                                               "C〜B の12個の値をスペース区切りで"));
  QFont small = LblSideinfo->font();
  small.setPixelSize(11);
  LblSideinfo->setFont(small);
  Command2->setText(english ? "Send" : QString::fromUtf8("送信"));
}

// The picture tables, once, after the settings named the user's picture folder: that folder,
// else the "image" folder beside the program, else the pictures built into the program.
void SidePanelsPanel::LoadPictures() {
  if (pictures_loaded_) return;
  pictures_loaded_ = true;
  const AppState& app = player_.state.app;
  std::string own = player_.state.layout.ScoreFolder;
  if (!own.empty() && own.back() != '/') own += '/';
  player_.side_panels.SetPictures(kirivane::LoadNotePictures(
      {own, app.ProgramFolder + "/image/", ":/image/"},
      [](const std::string& path) { return QFileInfo::exists(QString::fromStdString(path)); }));
}

void SidePanelsPanel::Place(int mode) {
  LoadPictures();
  const bool full = mode == 0;
  const bool open = player_.state.layout.PanelOpen == -1;
  ShowPlayPanelFrame(PlayPanelFrames(open, false).back());
  Shape3->setVisible(full);
  Image13->setVisible(full);
  Image9->setGeometry(150, 510, 36, 36);
  Image10->setGeometry(282, 510, 36, 36);
  ShowStripDecorations(full && !open);
  ImgMusicIcon->setVisible(full && player_.state.layout.EffectOn == 1);
  Command10[0]->move(16, 100);
  Command10[1]->move(404, 168);
  ShowCommand10(0);
  ShowCommand10(1);
  if (!full) {
    for (QFrame* frame : FrmSide) frame->hide();
  }
  mnuPaneruOC->setEnabled(full);
  mnuPaneruOC->setChecked(open);
  // The window looks at every key first; the tuning box keeps the characters it takes.
  CmbChoritu->lineEdit()->installEventFilter(this);
}

void SidePanelsPanel::SetCommand10Action(int index, std::function<void()> action) {
  if (index < 0 || index > 1) return;
  command10_actions_[static_cast<std::size_t>(index)] = std::move(action);
  ShowCommand10(index);
}

bool SidePanelsPanel::SideFramesShown() const {
  return FrmSide[0]->isVisible();
}

void SidePanelsPanel::ShowCommand10(int index) {
  const auto at = static_cast<std::size_t>(index);
  const bool usable = command10_actions_[at] != nullptr && player_.state.layout.DisplayMode == 0;
  Command10[at]->setVisible(usable && (index == 0 || options_uncovered_));
  if (Command10[at]->isVisible()) Command10[at]->raise();
  ImgMusicIcon->raise();  // the instrument's picture lies on the chord selection pad
}

// --- what the side panels controller shows --------------------------------------------------

void SidePanelsPanel::SetVersionLabels(const std::string& text) {
  decoration_.SetVersionLabels(text);
}

void SidePanelsPanel::ShowVersionLabels(bool shown) {
  decoration_.ShowVersionLabels(shown);
}

void SidePanelsPanel::ShowPlayPanelFrame(const PlayPanelFrame& frame) {
  const PanelRect& r = frame.background;
  Shape3->setGeometry(r.left, r.top, r.width, r.height);
  Image13->setGeometry(frame.handle_left, frame.handle_top, kHandleSize.width(),
                       kHandleSize.height());
  Image13->setPixmap(HandlePicture(frame.handle_top > 530));
  Shape3->lower();
  Image13->raise();
  Image13->repaint();
  Shape3->repaint();
}

void SidePanelsPanel::SetPlayPanelChecked(bool checked) {
  mnuPaneruOC->setChecked(checked);
}

void SidePanelsPanel::ShowStripDecorations(bool shown) {
  Image9->setVisible(shown);
  Image10->setVisible(shown);
}

void SidePanelsPanel::ShowScorePanel(bool open) {
  score_.ShowScorePanel(open);
}

void SidePanelsPanel::ShowScore(const ScoreNoteChoice& choice) {
  score_.ShowScore(choice);
}

void SidePanelsPanel::ShowNotePicture(const std::string& path) {
  const QPixmap picture(QString::fromStdString(path));
  if (picture.isNull()) return;  // a picture that does not load leaves the one shown
  ImgMusicIcon->hide();
  ImgMusicIcon->setPixmap(picture);
  const PanelRect place = NotePicturePlace(picture.width(), picture.height());
  ImgMusicIcon->setGeometry(place.left, place.top, place.width, place.height);
  ImgMusicIcon->setVisible(player_.state.layout.DisplayMode == 0);
}

void SidePanelsPanel::ClearNotePicture() {
  ImgMusicIcon->clear();
}

void SidePanelsPanel::SetPadPictures(bool pressed) {
  for (int i = 0; i < 2; ++i) Command10[i]->setPixmap(PadPicture(kPadSymbols[i], pressed));
}

void SidePanelsPanel::ShowOptionsButton(bool shown) {
  options_uncovered_ = shown;
  ShowCommand10(1);
}

// --- mouse and keys -------------------------------------------------------------------------

bool SidePanelsPanel::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      return MouseDown(watched, static_cast<QMouseEvent*>(event)->button());
    case QEvent::MouseButtonRelease:
      if (watched == Command10[0] || watched == Command10[1] || watched == ImgMusicIcon) {
        player_.side_panels.Command10_MouseUp();
        const std::size_t at = watched == Command10[1] ? 1 : 0;
        if (command10_actions_[at]) command10_actions_[at]();
        return true;
      }
      return watched == Image13;
    case QEvent::MouseMove:
      if (watched == &score_) player_.state.input.ControllerKeys = 0;
      return false;
    case QEvent::KeyPress:
      return watched == CmbChoritu->lineEdit() &&
             CmbChoritu_KeyPress(*static_cast<QKeyEvent*>(event));
    default:
      return false;
  }
}

bool SidePanelsPanel::MouseDown(QObject* watched, Qt::MouseButton button) {
  if (watched == Image13) {
    if (button == Qt::LeftButton) player_.side_panels.TogglePlayPanel();
    return true;
  }
  if (watched == Command10[0] || watched == Command10[1] || watched == ImgMusicIcon) {
    player_.side_panels.Command10_MouseDown();
    return true;
  }
  if (watched == Image10 && button == Qt::MiddleButton) {
    const bool shown = !SideFramesShown();
    for (QFrame* frame : FrmSide) {
      frame->setVisible(shown);
      frame->raise();
    }
    return true;
  }
  // Decorations and the score drag the window or open its menu.
  if (watched == Image9 || watched == Image10 || watched == &score_) {
    window_.FormMouseDown(button == Qt::LeftButton    ? kMouseLeft
                          : button == Qt::RightButton ? kMouseRight
                                                      : 0);
    return true;
  }
  return false;
}

// Digits, "." and backspace go into the box; any other character is dropped and the keys go
// back to the window. Keys without a character (arrows, function keys) stay the window's.
bool SidePanelsPanel::CmbChoritu_KeyPress(const QKeyEvent& key) {
  QLineEdit* edit = CmbChoritu->lineEdit();
  if (key.key() == Qt::Key_Backspace) {
    edit->backspace();
    return true;
  }
  if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
    Command2_Click();
    return true;
  }
  const QString text = key.text();
  if (text.isEmpty() || !text.at(0).isPrint()) return false;
  if (text.at(0).isDigit() || text == ".") {
    edit->insert(text);
  } else {
    form_->setFocus(Qt::OtherFocusReason);
  }
  return true;
}

void SidePanelsPanel::CmbChoritu_Change() {
  // The arrow keys go to the box instead of the controller lantern.
  if (player_.state.input.ControllerKeys == 0) return;
  player_.state.input.ControllerKeys = 0;
  CmbChoritu->setFocus(Qt::OtherFocusReason);
}

void SidePanelsPanel::Command2_Click() {
  player_.midi.SendLong(ScaleTuningMessage(CmbChoritu->currentText().toStdString()));
}

}  // namespace kirivane
