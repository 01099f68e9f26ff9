#include "player/app/form1_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QEventLoop>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <QWindow>

#include "common/basic/text_rules.h"
#include "common/keyboard/keyboard_widget.h"
#include "player/layout/score_panel.h"
#include "player/widgets/lamp_shape_widget.h"
#include "player/widgets/picture_button_widget.h"
#include "player/widgets/window_art_qt.h"

namespace kirivane {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);  // its mouse presses go on to the form (drag, popup menu)
  return label;
}

// EndShape: laid over the whole window while it closes, it keeps the clicks from the controls.
class EndShapeCover : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void mousePressEvent(QMouseEvent* event) override { event->accept(); }
  void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
  void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }
  void wheelEvent(QWheelEvent* event) override { event->accept(); }
};

// Applies a language font: a size of 0 or less and an empty name leave the font as it is.
void SetControlFont(QWidget* control, int size, const std::string& name) {
  QFont font = control->font();
  if (size > 0) font.setPointSize(size);
  if (!name.empty()) font.setFamily(QString::fromStdString(name));
  control->setFont(font);
}

}  // namespace

Form1::Form1(PlayerState& state, MidiOut& out, Clock& clock, RandomSource& random, KeyHook& hook,
             Sounds& sounds, std::string settings_path)
    : state_(state),
      out_(out),
      clock_(clock),
      random_(random),
      settings_path_(std::move(settings_path)),
      hook_(hook),
      sounds_(sounds) {
  setObjectName("Form1");
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  midi_ = std::make_unique<MidiMode>(state_, out_);
  midi_->SetNotices(this);
  midi_->SetEventSink(this);
  CreateControls();
  display_ = std::make_unique<KeyboardDisplay>(state_, Keyboard_->KeyboardSurface());
  display_->SetNoteNameLabel(this);
  midi_->SetKeyboardView(display_.get());
  chords_ = std::make_unique<ChordSelection>(state_, *midi_, *display_, *this);
  keys_ = std::make_unique<KeyEvents>(state_, *midi_, *display_, *chords_, *this);
  percussion_ = std::make_unique<PercussionSet>(state_, *midi_, *this, *this);
  mouse_play_ = std::make_unique<MousePlay>(state_, *midi_, *display_, *this);
  Keyboard_->SetMouseHandler(mouse_play_.get());
  midi_panel_ = new MidiPanel(state_, *midi_, *this, this);
  midi_panel_->SetBankLabel(Label8);
  CreateMenu();
  Timer1.setInterval(1000);
  connect(&WaitTimer, &QTimer::timeout, this, &Form1::WaitTimer_Timer);
  drag_settle_.setSingleShot(true);
  drag_settle_.setInterval(350);
  connect(&drag_settle_, &QTimer::timeout, this, &Form1::FinishDrag);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

Form1::~Form1() = default;

void Form1::CreateControls() {
  Shape1 = new LampShape(this);
  Shape1->setObjectName("Shape1");
  Shape1->SetColors(ColorOfRgb(state_.midi.DamperLampBorder),
                    ColorOfRgb(state_.midi.DamperLampFill));
  Keyboard_ = new Keyboard(this);
  Keyboard_->setObjectName("Keyboard");
  Check1 = new QPushButton(this);
  Check1->setObjectName("Check1");
  Check1->setFocusPolicy(Qt::NoFocus);
  connect(Check1, &QPushButton::clicked, this, &Form1::Check1_Click);
  Label3 = MakeLabel(this, "Label3");
  Label5 = MakeLabel(this, "Label5");
  Label8 = MakeLabel(this, "Label8");
  Label1 = MakeLabel(this, "Label1");
  Label2 = MakeLabel(this, "Label2");
  LblTitle = MakeLabel(this, "LblTitle");
  LblTitle->setAlignment(Qt::AlignCenter);
  LblTitle->setWordWrap(true);
  LblTitle->setAttribute(Qt::WA_TransparentForMouseEvents);  // rich text would keep the clicks
  Lbl_Chord = MakeLabel(this, "Lbl_Chord");
  LblNote = MakeLabel(this, "LblNote");
  for (int i = 0; i < 2; ++i) {
    Label12[i] = MakeLabel(this, i == 0 ? "Label12_0" : "Label12_1");
    Label12[i]->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label12[i]->hide();
  }
  Label12[0]->setStyleSheet("color: #5a6a90;");
  Label12[1]->setStyleSheet("color: white;");
  ImgKao01 = MakeLabel(this, "ImgKao01");
  ImgKao01->setPixmap(FacePicture());
  ImgKao01->hide();
  ImgChordPad = new PictureButton(this);
  ImgChordPad->setObjectName("ImgChordPad");
  connect(ImgChordPad, &PictureButton::MouseDown, this,
          [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
            chords_->ChordPadMouseDown(button == Qt::LeftButton, modifiers == Qt::ControlModifier);
          });
  Image16 = new PictureButton(this);
  Image16->setObjectName("Image16");
  connect(Image16, &PictureButton::MouseUp, this, [this] {
    percussion_->Image16_Click();
    ReturnFocus();
  });
  stImage = new QWidget(this);
  stImage->setObjectName("stImage");
  stImage->hide();
  Image7 = new PictureButton(stImage);
  Image7->setObjectName("Image7");
  Image8 = new PictureButton(stImage);
  Image8->setObjectName("Image8");
  connect(Image7, &PictureButton::MouseDown, this, [this] { percussion_->PadMouseDown(7); });
  connect(Image7, &PictureButton::MouseUp, this, [this] { Pad_MouseUp(7); });
  connect(Image8, &PictureButton::MouseDown, this, [this] { percussion_->PadMouseDown(8); });
  connect(Image8, &PictureButton::MouseUp, this, [this] { Pad_MouseUp(8); });
  PicScore = new ScorePanel(state_, this);
  Image12 = MakeLabel(this, "Image12");
  ImgLyrcon = MakeLabel(this, "ImgLyrcon");
  EndShape = new EndShapeCover(this);
  EndShape->setObjectName("EndShape");
  EndShape->hide();
}

std::string Form1::Lang(int entry) const {
  const auto& table = state_.app.LangTable;
  return entry >= 0 && entry < static_cast<int>(table.size())
             ? table[static_cast<std::size_t>(entry)]
             : std::string();
}

void Form1::SetFontsAndCaptions() {
  auto size = [this](int entry) { return static_cast<int>(LeadingInteger(Lang(entry))); };
  const std::string name13 = Lang(13);
  const std::string name18 = Lang(18);
  for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label2, Label3, Label5, Label8}) {
    SetControlFont(w, size(15), name13);
  }
  SetControlFont(midi_panel_->List1, size(16), name13);
  SetControlFont(LblNote, size(16) - 1, name13);
  for (QWidget* w : std::initializer_list<QWidget*>{Lbl_Chord, midi_panel_->Label10, Label12[0],
                                                    Label12[1], midi_panel_->Command1}) {
    SetControlFont(w, 0, name13);
  }
  SetControlFont(Check1, 8, name13);
  SetControlFont(midi_panel_->Combo1, size(17), name18);
  SetControlFont(this, size(19), name18);
  SetControlFont(PicScore, 24, name13);
  auto text = [this](int entry) { return QString::fromStdString(Lang(entry)); };
  Label8->setText(text(150) + text(154));
  Label1->setText(text(153) + text(154));
  Label2->setText(text(155));
  LblTitle->setText("<span style='font-size:20pt; font-weight:600; color:#2c4a80'>" +
                    text(0).toHtmlEscaped() + "</span><br><span style='color:#4a5a78'>" +
                    text(2).toHtmlEscaped() + "</span>");
  Label5->setText(text(152) + text(154));
  Label3->setText(text(156));
  Check1->setText(text(184));
  ImgChordPad->setToolTip(text(279));
  Label1->setToolTip(text(277));
  Image16->setToolTip(text(227));
  Image7->setToolTip(text(226));
  Image8->setToolTip(text(225));
  midi_panel_->Command1->setToolTip(text(199));
  midi_panel_->SetCaptions();
}

void Form1::UpdateCaption() {
  setWindowTitle(QString::fromStdString(WindowCaption(state_.app)));
}

void Form1::ShowError(const std::string& text, bool critical, const std::string& title) {
  ImgKao01->show();
  ImgKao01->raise();
  QMessageBox box(critical ? QMessageBox::Critical : QMessageBox::Information,
                  QString::fromStdString(title.empty() ? state_.app.AppTitle : title),
                  QString::fromStdString(text), QMessageBox::Ok, this);
  box.exec();
  ImgKao01->hide();
}

WindowPosition Form1::PositionTwips() const {
  const ScreenMetrics& s = state_.layout.Screen;
  return {pos().x() * s.TwipsX, pos().y() * s.TwipsY};
}

// --- what the key handlers and the MIDI layer ask of the window -----------------------------

void Form1::RefreshKeyboard() {
  display_->Refresh();
}

void Form1::RecordEvent(int data, int velocity, int kind) {
  if (kind == kEventNoteOn && sounded_note_ == -1) sounded_note_ = data;
  if (recorder_) recorder_->RecordEvent(data, velocity, kind);
}

// The key handlers pass a number derived from the key, not from the note that sounds; the
// panel shows the sounding note instead (callers pass the note minus one, 0 to empty it).
void Form1::ShowScoreNote(int n) {
  if (n != 0 && sounded_note_ >= 0) n = (sounded_note_ + 127) % 128;
  sounded_note_ = -1;
  PicScore->ShowScoreNote(n);
}

void Form1::ShowNoteName(int note) {
  display_->ShowNoteName(note);
}

void Form1::RestoreIfMinimized() {
  if (isMinimized()) showNormal();
}

void Form1::ResendInstrument() {
  midi_panel_->ResendInstrument();
}

void Form1::OpenHelp() {
  QDesktopServices::openUrl(
      QUrl::fromLocalFile(QString::fromStdString(state_.app.ProgramFolder + "/velanto.html")));
}

int Form1::SetOctaveScroll(int value) {
  return midi_panel_->SetOctave(value);
}

int Form1::SetTransposeScroll(int value) {
  return midi_panel_->SetTranspose(value);
}

void Form1::SelectInstrument(int index) {
  midi_panel_->SelectInstrument(index);
}

void Form1::ShowDeviceError(const char* utf8_text) {
  ShowError(utf8_text, true);
}

void Form1::SetDamperLamp(int border_rgb, int fill_rgb) {
  Shape1->SetColors(ColorOfRgb(border_rgb), ColorOfRgb(fill_rgb));
}

void Form1::SetHookButton(const std::string& caption, int back_colour) {
  Check1->setText(QString::fromStdString(caption));
  Check1->setStyleSheet(
      QString("QPushButton { background: %1; }").arg(ColorOfRgb(back_colour).name()));
}

void Form1::SetHookButtonCaption(const std::string& caption) {
  Check1->setText(QString::fromStdString(caption));
}

void Form1::ShowInformation(const std::string& text, const std::string& title) {
  QMessageBox::information(this, QString::fromStdString(title), QString::fromStdString(text));
}

void Form1::SetPercussionButtonNoDrop(bool no_drop) {
  if (no_drop) {
    Image16->setCursor(Qt::ForbiddenCursor);
  } else {
    Image16->unsetCursor();
  }
}

void Form1::ShowPercussionPicture(bool shown) {
  stImage->setVisible(shown && state_.layout.DisplayMode == 0);
  if (shown) stImage->raise();
}

void Form1::SetPadCursor(int cursor_resource) {
  const Qt::CursorShape shape = cursor_resource == 102 ? Qt::ClosedHandCursor : Qt::OpenHandCursor;
  Image7->setCursor(shape);
  Image8->setCursor(shape);
}

void Form1::SetNoteName(const std::string& text) {
  LblNote->setText(QString::fromStdString(text));
}

void Form1::SetChordLabel(const std::string& text) {
  Lbl_Chord->setText(QString::fromStdString(text));
}

void Form1::ShowKeyMapMissing(const std::string& text, const std::string& title) {
  ShowError(text, false, title);
}

void Form1::ShowDefaultKeyMapBroken(const std::string& text, const std::string& title) {
  ShowError(text, true, title);
}

void Form1::RedrawKeyboard() {
  display_->RedrawOrShowDrawingOff();
}

void Form1::ShowKeyboardMessage(const std::string& text) {
  display_->ShowKeyboardMessage(text.c_str());
}

void Form1::ClearChordCaption() {
  Lbl_Chord->clear();
}

void Form1::ExitRequested() {
  clearMask();  // the window region goes before the window
  close();
}

void Form1::ReturnFocus() {
  setFocus(Qt::OtherFocusReason);
}

void Form1::WaitWithEvents(int milliseconds) {
  const std::uint32_t start = clock_.NowMs();
  for (;;) {
    QApplication::processEvents(QEventLoop::AllEvents, milliseconds);
    if (clock_.NowMs() - start >= static_cast<std::uint32_t>(milliseconds)) return;
    clock_.SleepMs(1);
  }
}

void Form1::DoEvents() {
  QApplication::processEvents();
}

void Form1::SetTimer1(bool enabled) {
  state_.midi.Timer1Enabled = enabled;
  if (enabled && state_.layout.DisplayMode != 1 && state_.layout.DisplayMode != 2) {
    Timer1.start();
  } else if (!enabled) {
    Timer1.stop();
  }
}

void Form1::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const bool seasonal = state_.app.XmasSpecial == -1;
  QLinearGradient gradient(0, 0, 0, height());
  gradient.setColorAt(0, seasonal ? QColor(236, 250, 240) : QColor(236, 242, 252));
  gradient.setColorAt(1, seasonal ? QColor(200, 232, 210) : QColor(206, 218, 240));
  p.fillRect(rect(), gradient);
}

}  // namespace kirivane
