#include "player/midi/midi_panel.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "player/layout/control_layout.h"
#include "player/layout/control_place_qt.h"
#include "player/midi/instrument_banks.h"
#include "player/midi/sysex_messages.h"
#include "player/widgets/picture_button_widget.h"
#include "player/widgets/window_art_qt.h"

namespace kirivane {

namespace {

QString Lang(const PlayerState& state, int entry) {
  const auto& table = state.app.LangTable;
  return entry >= 0 && entry < static_cast<int>(table.size())
             ? QString::fromStdString(table[static_cast<std::size_t>(entry)])
             : QString();
}

}  // namespace

MidiPanel::MidiPanel(PlayerState& state, MidiMode& midi, MidiPanelHost& host, QWidget* form)
    : QObject(form), state_(state), midi_(midi), host_(host) {
  Combo1 = new QComboBox(form);
  Combo1->setObjectName("Combo1");
  Combo1->setFocusPolicy(Qt::NoFocus);
  Command1 = new QPushButton("ON", form);
  Command1->setObjectName("Command1");
  Command1->setFocusPolicy(Qt::NoFocus);
  List1 = new QListWidget(form);
  List1->setObjectName("List1");
  List1->setFocusPolicy(Qt::NoFocus);
  List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  List1->viewport()->installEventFilter(this);
  HScroll1 = new QScrollBar(Qt::Horizontal, form);
  HScroll1->setObjectName("HScroll1");
  HScroll1->setRange(-3, 3);
  HScroll1->setPageStep(1);
  HScroll1->setFocusPolicy(Qt::NoFocus);
  VScroll1 = new QScrollBar(Qt::Vertical, form);
  VScroll1->setObjectName("VScroll1");
  VScroll1->setRange(-11, 11);  // +11 at the top
  VScroll1->setInvertedAppearance(true);
  VScroll1->setInvertedControls(true);
  VScroll1->setPageStep(1);
  VScroll1->setFocusPolicy(Qt::NoFocus);
  Label10 = new QLabel("0", form);
  Label10->setObjectName("Label10");
  Label10->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  for (int index = 0; index < 2; ++index) {
    Command100[index] = new PictureButton(form);
    Command100[index]->setObjectName(QString("Command100_%1").arg(index));
    connect(Command100[index], &PictureButton::MouseDown, this,
            [this, index](Qt::MouseButton b) { Command100_MouseDown(index, b); });
    connect(Command100[index], &PictureButton::MouseUp, this,
            [this, index](Qt::MouseButton b) { Command100_MouseUp(index, b); });
    connect(Command100[index], &PictureButton::MouseMove, this, [this, index] {
      if (int picture = Command100MouseMove(state_.app, index)) SetButtonPicture(index, picture);
    });
  }
  for (std::size_t slot = 0; slot < OptBKS.size(); ++slot) {
    OptBKS[slot] = new QRadioButton(form);
    OptBKS[slot]->setObjectName(QString("OptBKS_%1").arg(kBankNumbers[slot]));
    OptBKS[slot]->setFocusPolicy(Qt::NoFocus);
    OptBKS[slot]->setFixedSize(10, 10);
    OptBKS[slot]->setStyleSheet("QRadioButton::indicator { width: 8px; height: 8px; }");
    OptBKS[slot]->hide();
    connect(OptBKS[slot], &QRadioButton::clicked, this,
            [this, slot] { OptBKS_Click(static_cast<int>(slot)); });
  }
  BuildMenus(form);
  connect(Combo1, &QComboBox::activated, this, &MidiPanel::Combo1_Click);
  connect(Command1, &QPushButton::clicked, this, &MidiPanel::Command1_Click);
  connect(List1, &QListWidget::currentRowChanged, this, [this](int row) {
    state_.midi.SelectedProgram = row;
    if (!filling_) List1_Click();
  });
  connect(HScroll1, &QScrollBar::valueChanged, this, &MidiPanel::HScroll1_Change);
  connect(VScroll1, &QScrollBar::valueChanged, this, &MidiPanel::VScroll1_Change);
  RestoreButtonPictures();
}

void MidiPanel::BuildMenus(QWidget* form) {
  bank_menu_ = new QMenu(form);
  bank_menu_->setObjectName("mnuBankSelect");
  for (std::size_t slot = 0; slot < mnuMSB_.size(); ++slot) {
    mnuMSB_[slot] = bank_menu_->addAction(QString::number(kBankNumbers[slot]));
    mnuMSB_[slot]->setObjectName(QString("mnuMSB_%1").arg(kBankNumbers[slot]));
    mnuMSB_[slot]->setCheckable(true);
    connect(mnuMSB_[slot], &QAction::triggered, this,
            [this, slot] { OptBKS_Click(static_cast<int>(slot)); });
  }
  mnuMSB_[0]->setChecked(true);
  reset_menu_ = new QMenu(form);
  reset_menu_->setObjectName("mnuReset");
  auto add_reset = [this](const char* name, std::vector<std::uint8_t> (*message)()) {
    QAction* action = reset_menu_->addAction(name);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, message] { midi_.SendLong(message()); });
  };
  add_reset("mnuGMReset", GmResetMessage);
  add_reset("mnuGSReset", GsResetMessage);
  add_reset("mnuXGReset", XgResetMessage);
}

void MidiPanel::SetCaptions() {
  bank_menu_->setTitle(Lang(state_, 164));
  reset_menu_->setTitle(Lang(state_, 287));
  const auto actions = reset_menu_->actions();
  for (int i = 0; i < actions.size(); ++i) actions[i]->setText(Lang(state_, 288 + i));
  Command100[0]->setToolTip(Lang(state_, 305));
  Command100[1]->setToolTip(Lang(state_, 304));
}

void MidiPanel::FillDevices(const std::vector<std::string>& device_names) {
  Combo1->clear();
  for (const auto& entry : DeviceListEntries(state_.app.LangTable, device_names)) {
    Combo1->addItem(QString::fromStdString(entry));
  }
}

int MidiPanel::DeviceCount() const {
  return Combo1->count();
}

void MidiPanel::SelectSavedDevice(int saved_index) {
  const int entry = SavedDeviceEntry(saved_index, Combo1->count());
  Combo1->setCurrentIndex(entry);
  Combo1_Click(entry);
}

void MidiPanel::FillInstruments() {
  filling_ = true;
  List1->clear();
  for (const auto& name : LoadInstrumentTable(state_.app.LangTable, state_.midi)) {
    List1->addItem(QString::fromStdString(name));
  }
  filling_ = false;
}

void MidiPanel::SelectInstrument(int index) {
  if (index < 0 || index >= List1->count()) return;
  if (List1->currentRow() == index) {
    List1_Click();
  } else {
    List1->setCurrentRow(index);
  }
}

void MidiPanel::ResendInstrument() {
  List1_Click();
}

ListContext MidiPanel::CurrentList() const {
  return {{List1->x(), List1->y()}, host_.LayoutInProgress()};
}

void MidiPanel::Combo1_Click(int index) {
  ShowDeviceView(
      Combo1Click(midi_, index, CurrentList(), [this](int ms) { host_.WaitWithEvents(ms); }));
  host_.ReturnFocus();
}

void MidiPanel::Command1_Click() {
  ShowDeviceView(Command1Click(midi_, CurrentList()));
  host_.ReturnFocus();
}

void MidiPanel::ShowDeviceView(const DeviceControlsView& view) {
  Command1->setText(QString::fromStdString(view.command1_caption));
  host_.SetTimer1(view.timer1_enabled);
  if (view.instrument) ShowBanks();
}

void MidiPanel::List1_Click() {
  const InstrumentChoice choice =
      List1Click(midi_, {List1->x(), List1->y()}, host_.LayoutInProgress());
  if (choice.done) ShowBanks();
}

void MidiPanel::OptBKS_Click(int slot) {
  OptBKSClick(midi_, kBankNumbers[static_cast<std::size_t>(slot)]);
  ShowBanks();
  host_.ReturnFocus();
}

void MidiPanel::ShowBanks() {
  const BankWidgets& banks = state_.midi.Banks;
  for (std::size_t slot = 0; slot < OptBKS.size(); ++slot) {
    QRadioButton* button = OptBKS[slot];
    button->setToolTip(QString::fromStdString(banks.ButtonToolTip[slot]));
    button->setEnabled(banks.ButtonEnabled[slot]);
    button->move(banks.ButtonLeft[slot], banks.ButtonTop[slot]);
    button->setChecked(kBankNumbers[slot] == banks.OptionOn);
    button->setVisible(banks.ButtonVisible[slot] && List1->isVisible());
    button->raise();
    mnuMSB_[slot]->setText(QString::fromStdString(banks.MenuCaption[slot]));
    mnuMSB_[slot]->setVisible(banks.MenuVisible[slot]);
    mnuMSB_[slot]->setChecked(banks.MenuChecked[slot]);
  }
}

int MidiPanel::SetOctave(int value) {
  HScroll1->setValue(value);
  return HScroll1->value();
}

int MidiPanel::SetTranspose(int value) {
  VScroll1->setValue(value);
  return VScroll1->value();
}

void MidiPanel::HScroll1_Change(int value) {
  if (setting_scroll_) return;
  ShowScroll(HScroll1Change(midi_, value));
}

void MidiPanel::VScroll1_Change(int value) {
  if (setting_scroll_) return;
  ShowScroll(VScroll1Change(midi_, value));
}

void MidiPanel::ShowScroll(const ScrollOutcome& outcome) {
  setting_scroll_ = true;
  HScroll1->setValue(outcome.octave);
  VScroll1->setValue(outcome.transpose);
  setting_scroll_ = false;
  Label10->setText(QString::fromStdString(outcome.label10));
  if (!outcome.keyboard_message.empty()) {
    host_.ShowKeyboardMessage(outcome.keyboard_message);
  } else if (outcome.redraw) {
    host_.RedrawKeyboard();
  }
}

void MidiPanel::Command100_MouseDown(int index, Qt::MouseButton button) {
  const ButtonPress press = Command100MouseDown(midi_, index, button == Qt::RightButton);
  Command100[index]->setCursor(press.cursor == kCursorGrabbing ? Qt::ClosedHandCursor
                                                               : Qt::OpenHandCursor);
  if (press.picture) SetButtonPicture(index, press.picture);
}

void MidiPanel::Command100_MouseUp(int index, Qt::MouseButton button) {
  const ButtonRelease release = Command100MouseUp(midi_, index, button == Qt::RightButton);
  if (release.cursor) Command100[index]->setCursor(Qt::OpenHandCursor);
  if (release.picture) SetButtonPicture(index, release.picture);
  switch (release.action) {
    case ButtonAction::kExit:
      host_.ExitRequested();
      return;
    case ButtonAction::kShowResetMenu:
      reset_menu_->exec(QCursor::pos());
      return;
    default:
      break;
  }
  if (release.scroll) ShowScroll(*release.scroll);
  if (release.clear_chord_caption) host_.ClearChordCaption();
  if (release.redraw) host_.RedrawKeyboard();
}

void MidiPanel::SetButtonPicture(int index, int resource) {
  Command100[index]->setPixmap(ButtonPicture(resource, Command100[index]->size()));
}

void MidiPanel::RestoreButtonPictures() {
  SetButtonPicture(0, 112);
  SetButtonPicture(1, 109);
}

void MidiPanel::Place(int mode) {
  auto places = ControlLayout(mode, false);
  PlaceWidget(Combo1, places["Combo1"]);
  Command1->setGeometry(places["Command1"].X, places["Command1"].Y, places["Command1"].Width,
                        Combo1->height());
  Command1->setVisible(places["Command1"].Visible);
  Command1->setStyleSheet(mode == 0 ? "QPushButton { color: white; background: #3a4f7a; }"
                                    : "QPushButton { color: black; }");
  PlaceWidget(List1, places["List1"]);
  PlaceWidget(HScroll1, places["HScroll1"]);
  PlaceWidget(VScroll1, places["VScroll1"]);
  PlaceWidget(Label10, places["Label10"]);
  PlaceWidget(Command100[0], places["Command100_0"]);
  PlaceWidget(Command100[1], places["Command100_1"]);
  RestoreButtonPictures();
  ShowBanks();
}

void MidiPanel::ShrinkList(int mode) {
  List1->resize(List1->width(), mode == 1 ? 28 : 52);
  List1->setFocusPolicy(Qt::NoFocus);
}

void MidiPanel::ScrollListToSelection() {
  const int row = List1->currentRow();
  if (row < 1 || row > 127) return;
  List1->scrollToItem(List1->item(row), QAbstractItemView::PositionAtTop);
}

void MidiPanel::SetBankLabel(QLabel* label) {
  bank_label_ = label;
  label->installEventFilter(this);
}

void MidiPanel::ShowBankMenu() {
  if (BankMenuAvailable(state_.midi)) bank_menu_->exec(QCursor::pos());
}

bool MidiPanel::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == bank_label_) return BankLabelMouseEvent(type);
  if (watched != List1->viewport()) return false;
  if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
      type == QEvent::MouseButtonRelease || type == QEvent::MouseMove) {
    return List1MouseEvent(type, *static_cast<QMouseEvent*>(event));
  }
  return false;
}

bool MidiPanel::BankLabelMouseEvent(QEvent::Type type) {
  if (type == QEvent::MouseButtonRelease) ShowBankMenu();
  return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
         type == QEvent::MouseButtonRelease;
}

// Only the left button chooses an instrument: it selects the clicked one first, so the preview
// plays that one. The other buttons leave the selection alone; the right one opens the banks.
bool MidiPanel::List1MouseEvent(QEvent::Type type, const QMouseEvent& mouse) {
  const bool left = mouse.button() == Qt::LeftButton;
  switch (type) {
    case QEvent::MouseButtonPress:
      if (!left) return true;
      if (QListWidgetItem* item = List1->itemAt(mouse.position().toPoint())) {
        List1->setCurrentItem(item);
      }
      List1MouseDown(midi_, false);
      return false;
    case QEvent::MouseButtonDblClick:
      return !left;
    case QEvent::MouseButtonRelease:
      if (left) {
        List1MouseUp(midi_);
        return false;
      }
      if (mouse.button() == Qt::RightButton) ShowBankMenu();
      return true;
    default:
      break;
  }
  if (ListMouseMoveTakesArrowKeys(state_.input, static_cast<int>(mouse.position().x()),
                                  static_cast<int>(mouse.position().y()))) {
    List1->resize(List1->width(), 80);
    List1->raise();
    List1->setFocusPolicy(Qt::StrongFocus);
    List1->setFocus();
  }
  return false;
}

}  // namespace kirivane
