#include "player/performance/transport_panel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <functional>

#include "common/basic/text_rules.h"
#include "common/filedialog/file_dialogs_qt.h"
#include "player/performance/transport_art_qt.h"
#include "player/state/lang_ids.h"
#include "player/state/language_table.h"
#include "player/widgets/captions_qt.h"
#include "player/widgets/picture_button_widget.h"
#include "player/widgets/window_art_qt.h"

namespace kirivane {

// MTLabel: the time, centred; it reports where the pointer moves and where a button is
// released, for its jump zones.
class TimeLabel : public QLabel {
 public:
  explicit TimeLabel(QWidget* parent) : QLabel(parent) {
    setMouseTracking(true);
    setAlignment(Qt::AlignCenter);
  }
  std::function<void(int)> moved;
  std::function<void(int)> released;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override {
    if (moved) moved(static_cast<int>(event->position().x()));
    event->accept();
  }
  void mousePressEvent(QMouseEvent* event) override { event->accept(); }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (released && rect().contains(event->position().toPoint())) {
      released(static_cast<int>(event->position().x()));
    }
    event->accept();
  }
};

namespace {

// The jump zones at either end of the time display, in its pixels.
constexpr int kBackZoneEnd = 13;
constexpr int kForwardZoneStart = 83;
constexpr int kForwardZoneEnd = 96;

const char* const kTempos[] = {" 40", " 42", " 44", " 46", " 50", " 52", " 54", " 56", " 58", " 60",
                               " 63", " 66", " 69", " 72", " 76", " 80", " 84", " 88", " 92", " 96",
                               "100", "104", "108", "112", "116", "120", "126", "132", "138", "144",
                               "152", "160", "168", "176", "184", "192", "200", "208"};
constexpr int kTempoStartItem = 9;  // " 60"
const char* const kBeats[] = {"  0", "  2", "  3", "  4", "  6"};

PictureButton* MakeButton(QWidget* form, const char* name) {
  auto* button = new PictureButton(form);
  button->setObjectName(name);
  return button;
}

void PlaceAt(QWidget* widget, int x, int y, int width, int height) {
  widget->setGeometry(x, y, width, height);
}

double BoxValue(const QComboBox* box) {
  return LeadingNumber(box->currentText().toStdString());
}

FileDialogRequest RequestOf(const FileDialogAsk& ask) {
  FileDialogRequest request;
  request.title = ask.title;
  request.start_folder = ask.start_folder;
  for (const DialogFilter& filter : ask.filters) {
    request.filters.push_back({filter.description, filter.patterns});
  }
  return request;
}

}  // namespace

TransportPanel::TransportPanel(Player& player, QWidget* form)
    : QObject(form), player_(player), form_(form) {
  setObjectName("TransportPanel");
  CreateButtons(form);
  CreateLists(form);
  mnuFileOpen = new QAction(this);
  mnuFileOpen->setObjectName("mnuFileOpen");
  connect(mnuFileOpen, &QAction::triggered, this, [this] { player_.files.Open(); });
  mnuFileSave = new QAction(this);
  mnuFileSave->setObjectName("mnuFileSave");
  mnuFileSave->setEnabled(false);
  connect(mnuFileSave, &QAction::triggered, this, [this] { player_.files.Save(); });
  Timer2.setTimerType(Qt::PreciseTimer);
  connect(&Timer2, &QTimer::timeout, this, [this] { player_.transport.BeatTick(BeatsBox()); });
  Timer1.setInterval(1000);
  connect(&Timer1, &QTimer::timeout, this, [this] {
    const PlayerState& state = player_.state;
    if (state.midi.Timer1Enabled && state.layout.DisplayMode == 0) {
      player_.transport.CheckRecordingLimit();
    }
  });
  Timer3.setInterval(185);
  connect(&Timer3, &QTimer::timeout, this, [this] { player_.transport.ShowRunningTime(); });
  player_.transport.SetView(this);
  player_.files.SetView(this);
  player_.side_panels.SetStripControls(this);
  BoxesChanged();
  ShowTime(TimeText(0));
  ShowLoop(player_.state.performance.LoopOn == 1);
}

TransportPanel::~TransportPanel() {
  player_.transport.SetView(nullptr);
  player_.files.SetView(nullptr);
  player_.side_panels.SetStripControls(nullptr);
}

void TransportPanel::CreateButtons(QWidget* form) {
  CmdRec = MakeButton(form, "CmdRec");
  CmdStart = MakeButton(form, "CmdStart");
  CmdStop = MakeButton(form, "CmdStop");
  CmdLoop = MakeButton(form, "CmdLoop");
  CkMtr = MakeButton(form, "CkMtr");
  CmdOpen = MakeButton(form, "CmdOpen");
  CmdSave = MakeButton(form, "CmdSave");
  Label7 = MakeButton(form, "Label7");
  MTLabel = new TimeLabel(form);
  MTLabel->setObjectName("MTLabel");
  Line1 = new QFrame(form);
  Line1->setObjectName("Line1");
  Line1->setFrameShape(QFrame::VLine);
  Line1->setFrameShadow(QFrame::Sunken);
  connect(CmdRec, &PictureButton::MouseDown, this,
          [this] { CmdRec->setPixmap(TransportPicture(121, CmdRec->size())); });
  connect(CmdRec, &PictureButton::MouseUp, this,
          [this](Qt::MouseButton button) { CmdRec_MouseUp(button); });
  connect(CmdStart, &PictureButton::MouseDown, this,
          [this] { CmdStart->setPixmap(TransportPicture(117, CmdStart->size())); });
  connect(CmdStart, &PictureButton::MouseUp, this, &TransportPanel::CmdStart_Click);
  connect(CmdStop, &PictureButton::MouseDown, this,
          [this] { CmdStop->setPixmap(TransportPicture(125, CmdStop->size())); });
  connect(CmdStop, &PictureButton::MouseUp, this, &TransportPanel::CmdStop_Click);
  connect(CmdLoop, &PictureButton::MouseUp, this, [this] { player_.transport.ToggleLoop(); });
  connect(CkMtr, &PictureButton::MouseUp, this,
          [this] { player_.transport.ToggleMetronome(TempoBox(), BeatsBox()); });
  connect(Label7, &PictureButton::MouseDown, this, &TransportPanel::Label7_MouseDown);
  connect(Label7, &PictureButton::MouseUp, this,
          [this] { Label7->setCursor(Qt::PointingHandCursor); });
  for (auto [button, save] : {std::pair{CmdOpen, false}, std::pair{CmdSave, true}}) {
    PictureButton* b = button;
    const bool s = save;
    connect(b, &PictureButton::MouseMove, this, [this, b, s] { FileButtonLook(b, s, 1); });
    connect(b, &PictureButton::MouseDown, this, [this, b, s] { FileButtonLook(b, s, 2); });
    connect(b, &PictureButton::MouseUp, this, [this, b, s] {
      FileButtonLook(b, s, 1);
      if (s) {
        player_.files.Save();
      } else {
        player_.files.Open();
      }
    });
    b->installEventFilter(this);
  }
  MTLabel->moved = [this](int x) { MTLabel_MouseMove(x); };
  MTLabel->released = [this](int x) { MTLabel_MouseUp(x); };
  Label7->setCursor(Qt::PointingHandCursor);
}

void TransportPanel::CreateLists(QWidget* form) {
  Label4 = MakeFormLabel(form, "Label4");
  Label6 = MakeFormLabel(form, "Label6");
  Combo3 = new QComboBox(form);
  Combo3->setObjectName("Combo3");
  Combo3->setEditable(true);
  for (const char* tempo : kTempos) Combo3->addItem(tempo);
  Combo3->setCurrentIndex(kTempoStartItem);
  Combo2 = new QComboBox(form);
  Combo2->setObjectName("Combo2");
  for (const char* beats : kBeats) Combo2->addItem(beats);
  Combo2->setCurrentIndex(0);
  connect(Combo3, &QComboBox::editTextChanged, this, &TransportPanel::Combo3_Change);
  connect(Combo3, &QComboBox::activated, this, &TransportPanel::Combo3_Click);
  connect(Combo2, &QComboBox::activated, this, &TransportPanel::BoxesChanged);
}

void TransportPanel::SetCaptions() {
  const AppState& app = player_.state.app;
  const std::string label_font = LangText(app, kLangControlFont);
  SetControlFont(Label4, LangSize(app, kLangListFontSize), label_font);
  SetControlFont(Label6, LangSize(app, kLangListFontSize), label_font);
  SetControlFont(Label7, LangSize(app, kLangComboFontSize), label_font);
  SetControlFont(Combo3, LangSize(app, kLangComboFontSize), LangText(app, kLangFormFont));
  SetControlFont(Combo2, LangSize(app, kLangComboFontSize), LangText(app, kLangFormFont));
  SetControlFont(MTLabel, LangSize(app, kLangFormFontSize) + 3, label_font);
  Label4->setText(LangQ(app, kLangTempoLabel));
  Label6->setText(LangQ(app, kLangBeatLabel));
  Label7->setText(LangQ(app, kLangSpeedNormal));
  mnuFileOpen->setText(LangQ(app, kLangPerformanceOpenItem));
  mnuFileSave->setText(LangQ(app, kLangPerformanceSaveItem));
  Label7->setToolTip(LangQ(app, kLangSpeedTip));
  CmdStop->setToolTip(LangQ(app, kLangStopTip));
  CmdRec->setToolTip(LangQ(app, kLangRecordTip));
  CmdStart->setToolTip(LangQ(app, kLangPlayTip));
  CmdLoop->setToolTip(LangQ(app, kLangLoopTip));
  CmdSave->setToolTip(LangQ(app, kLangSaveTip));
  CmdOpen->setToolTip(LangQ(app, kLangOpenTip));
  CkMtr->setToolTip(LangQ(app, kLangMetronomeTip));
}

// The strip above the keyboard, full window only. The speed sits under the play button; the
// metronome stands a little left so that the list captions fit beside their lists.
void TransportPanel::Place(int mode) {
  mode_ = mode;
  PlaceAt(Label4, 121, 507, 44, 18);
  PlaceAt(Label6, 121, 530, 44, 18);
  PlaceAt(Combo3, 167, 504, 50, 22);
  PlaceAt(Combo2, 167, 528, 50, 22);
  PlaceAt(CkMtr, 80, 504, 37, 45);
  PlaceAt(CmdOpen, 228, 504, 19, 19);
  PlaceAt(CmdSave, 252, 504, 19, 19);
  PlaceAt(CmdLoop, 281, 504, 38, 18);
  PlaceAt(CmdRec, 226, 528, 44, 21);
  PlaceAt(CmdStop, 270, 528, 55, 21);
  PlaceAt(CmdStart, 332, 504, 53, 45);
  PlaceAt(MTLabel, 226, 504, 99, 21);
  PlaceAt(Label7, 326, 549, 65, 15);
  PlaceAt(Line1, 219, 502, 3, 47);
  Label7->setAlignment(Qt::AlignCenter);
  Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  ShowStart(CmdStart->isEnabled(), start_picture_);
  ShowRecord(CmdRec->isEnabled(), record_picture_);
  ShowStop(CmdStop->isEnabled(), stop_picture_);
  ShowMetronome(player_.state.performance.MetronomeOn == -1 ? kPicMetronomeOn : kPicMetronomeOff);
  ShowLoop(player_.state.performance.LoopOn == 1);
  FileButtonLook(CmdOpen, false, 0);
  FileButtonLook(CmdSave, true, 0);
  UpdateVisibility();
}

void TransportPanel::UpdateVisibility() {
  const bool strip = mode_ == 0 && player_.state.layout.PanelOpen == -1;
  const bool running = player_.transport.StopEnabled();
  for (QWidget* w : std::initializer_list<QWidget*>{Label4, Label6, Combo3, Combo2, CkMtr, CmdRec,
                                                    CmdStop, CmdStart, Line1}) {
    w->setVisible(strip);
  }
  Label7->setVisible(strip && speed_shown_);
  MTLabel->setVisible(strip && running);
  for (QWidget* w : {static_cast<QWidget*>(CmdLoop), static_cast<QWidget*>(CmdOpen),
                     static_cast<QWidget*>(CmdSave)}) {
    w->setVisible(strip && !running);
  }
  for (QWidget* w : {static_cast<QWidget*>(MTLabel), static_cast<QWidget*>(CmdStart)}) w->raise();
}

// --- TransportView ---------------------------------------------------------------------------

void TransportPanel::ShowStart(bool enabled, int picture) {
  start_picture_ = picture;
  CmdStart->setEnabled(enabled);
  CmdStart->setPixmap(TransportPicture(picture, CmdStart->size()));
}

void TransportPanel::ShowRecord(bool enabled, int picture) {
  record_picture_ = picture;
  CmdRec->setEnabled(enabled);
  CmdRec->setPixmap(TransportPicture(picture, CmdRec->size()));
}

void TransportPanel::ShowStop(bool enabled, int picture) {
  stop_picture_ = picture;
  CmdStop->setEnabled(enabled);
  CmdStop->setPixmap(TransportPicture(picture, CmdStop->size()));
}

void TransportPanel::ShowMetronome(int picture) {
  CkMtr->setPixmap(TransportPicture(picture, CkMtr->size()));
}

void TransportPanel::ShowLoop(bool on) {
  CmdLoop->setPixmap(LoopPicture(on, CmdLoop->size()));
}

void TransportPanel::ShowSpeed(int entry, int rgb) {
  speed_shown_ = true;
  Label7->setText(LangQ(player_.state.app, entry));
  Label7->setStyleSheet(QStringLiteral("color: %1").arg(ColorOfRgb(rgb).name()));
  UpdateVisibility();
}

void TransportPanel::HideSpeed() {
  speed_shown_ = false;
  UpdateVisibility();
}

void TransportPanel::ShowNote(int entry, int rgb) {
  // LblNote belongs to the keyboard panel; the transport only writes into it.
  auto* note = form_->findChild<QLabel*>("LblNote");
  if (note == nullptr) return;
  const bool plain = entry == 0;
  note->setText(plain ? QStringLiteral("-") : LangQ(player_.state.app, entry));
  note->setStyleSheet(plain ? QString() : QStringLiteral("color: %1").arg(ColorOfRgb(rgb).name()));
}

void TransportPanel::ShowTime(const std::string& text) {
  MTLabel->setText(QString::fromStdString(text));
}

void TransportPanel::ShowRunning(bool) {
  UpdateVisibility();
}

void TransportPanel::EnableSave() {
  mnuFileSave->setEnabled(true);
}

void TransportPanel::SetBeatTimer(bool enabled, int interval_ms) {
  if (!enabled) {
    Timer2.stop();
    return;
  }
  Timer2.start(std::max(1, interval_ms));
}

// Timer1 (the recording time limit) and Timer3 (the time display) tick only while something
// runs, so an idle player is never woken.
void TransportPanel::SetTimeDisplay(bool running) {
  if (running) {
    Timer1.start();
    Timer3.start();
  } else {
    Timer1.stop();
    Timer3.stop();
  }
}

void TransportPanel::ShowTransportControls(bool, bool) {
  UpdateVisibility();
}

// --- handlers ---------------------------------------------------------------------------------

double TransportPanel::TempoBox() const {
  return BoxValue(Combo3);
}

double TransportPanel::BeatsBox() const {
  return BoxValue(Combo2);
}

void TransportPanel::BoxesChanged() {
  player_.transport.SetBoxes(TempoBox(), BeatsBox());
}

void TransportPanel::CmdRec_MouseUp(Qt::MouseButton button) {
  if (!CmdRec->isEnabled()) return;
  const bool continue_take = player_.state.input.EscHeld == -1 || button == Qt::MiddleButton;
  player_.transport.StartRecording(continue_take, TempoBox());
}

void TransportPanel::CmdStart_Click() {
  if (!CmdStart->isEnabled()) return;
  CmdStart->setPixmap(TransportPicture(kPicStartIdle, CmdStart->size()));
  player_.transport.StartPlayback(TempoBox());
}

void TransportPanel::CmdStop_Click() {
  if (!CmdStop->isEnabled()) return;
  player_.transport.Stop();
}

void TransportPanel::Label7_MouseDown(Qt::MouseButton button) {
  Label7->setCursor(Qt::ClosedHandCursor);
  player_.transport.CycleSpeed(button == Qt::LeftButton);
}

void TransportPanel::MTLabel_MouseMove(int x) {
  const bool back = x >= 0 && x <= kBackZoneEnd;
  const bool forward = x >= kForwardZoneStart && x <= kForwardZoneEnd;
  if (back || forward) {
    MTLabel->setCursor(JumpCursor(back));
    MTLabel->setToolTip(LangQ(player_.state.app, kLangTimeJumpTip));
  } else {
    MTLabel->unsetCursor();
    MTLabel->setToolTip(QString());
  }
}

void TransportPanel::MTLabel_MouseUp(int x) {
  if (x >= 0 && x <= kBackZoneEnd) player_.transport.JumpBack();
  if (x >= kForwardZoneStart && x <= kForwardZoneEnd) player_.transport.JumpForward();
}

bool TransportPanel::TempoKeepsKey(QObject* watched, const QKeyEvent& key) {
  if (watched != Combo3 && watched != Combo3->lineEdit()) return false;
  const QString text = key.text();
  const bool number_key = key.key() == Qt::Key_Backspace ||
                          (text.size() == 1 && (text[0].isDigit() || text[0] == u'.'));
  if (!number_key && key.type() == QEvent::KeyPress) form_->setFocus(Qt::OtherFocusReason);
  return number_key;
}

// The tempo a person types stays within 1..360 beats a minute.
void TransportPanel::Combo3_Change() {
  const double value = TempoBox();
  const char* replacement = value > 360 ? "360" : value < 1 ? "1" : nullptr;
  if (replacement != nullptr) {
    const QSignalBlocker block(Combo3);
    Combo3->setEditText(QString::fromLatin1(replacement));
    Combo3->lineEdit()->selectAll();
  }
  BoxesChanged();
}

void TransportPanel::Combo3_Click() {
  auto& perf = player_.state.performance;
  perf.Tempo = static_cast<int>(RoundHalfEven(TempoBox()));
  if (perf.Tempo < 1) {
    perf.Tempo = 60;
  } else {
    Timer2.setInterval(static_cast<int>(RoundHalfEven(60000.0 / perf.Tempo)));
  }
  if (player_.state.input.ControllerKeys == -1) player_.state.input.ControllerKeys = 0;
  BoxesChanged();
}

bool TransportPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Leave) {
    if (watched == CmdOpen) FileButtonLook(CmdOpen, false, 0);
    if (watched == CmdSave) FileButtonLook(CmdSave, true, 0);
  }
  return false;
}

void TransportPanel::FileButtonLook(PictureButton* button, bool save, int look) {
  button->setPixmap(FileButtonPicture(save, look, button->size()));
}

// --- FileCommandsView ------------------------------------------------------------------------

std::optional<ChosenFile> TransportPanel::AskOpenPath(const FileDialogAsk& ask) {
  const auto choice = ShowOpenDialog(form_, RequestOf(ask));
  if (!choice) return std::nullopt;
  return ChosenFile{choice->path, choice->filter};
}

std::optional<ChosenFile> TransportPanel::AskSavePath(const FileDialogAsk& ask) {
  const auto choice = ShowSaveDialog(form_, RequestOf(ask), SavePathWithExtension);
  if (!choice) return std::nullopt;
  return ChosenFile{choice->path, choice->filter};
}

bool TransportPanel::ShiftHeld() {
  return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

std::string TransportPanel::DocumentsFolder() {
  return kirivane::DocumentsFolder(player_.state.app.ProgramFolder);
}

void TransportPanel::SetBusy(bool busy) {
  form_->setEnabled(!busy);
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
    form_->setFocus(Qt::OtherFocusReason);  // the typing keys play again at once
  }
}

void TransportPanel::ShowExportCover(bool shown) {
  auto* cover = form_->findChild<QWidget*>("EndShape");
  if (cover == nullptr) return;
  cover->setGeometry(form_->rect());
  cover->setVisible(shown);
  if (shown) cover->raise();
}

}  // namespace kirivane
