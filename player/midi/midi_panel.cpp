#include "player/midi/midi_panel.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "player/layout/control_place_qt.h"
#include "player/midi/sysex_messages.h"
#include "player/state/language_table.h"
#include "player/widgets/captions_qt.h"
#include "player/widgets/picture_button_widget.h"
#include "player/widgets/window_art_qt.h"

namespace kirivane {

namespace {

constexpr int kExitPicture = 112;
constexpr int kResetPicture = 109;

QScrollBar* MakeBar(Qt::Orientation orientation, const char* name, int low, int high,
                    QWidget* form) {
  auto* bar = new QScrollBar(orientation, form);
  bar->setObjectName(name);
  bar->setRange(low, high);
  bar->setPageStep(1);
  bar->setFocusPolicy(Qt::NoFocus);
  return bar;
}

}  // namespace

MidiPanel::MidiPanel(Player& player, QWidget* form)
    : QObject(form), player_(player), controls_(player.device_controls) {
  setObjectName("MidiPanel");
  CreateControls(form);
  BuildMenus(form);
  connect(Combo1, &QComboBox::activated, this, &MidiPanel::Combo1_Click);
  connect(Command1, &QPushButton::clicked, this, [this] { controls_.ToggleDevice(); });
  connect(List1, &QListWidget::currentRowChanged, this, &MidiPanel::List1_Change);
  connect(HScroll1, &QScrollBar::valueChanged, this, [this](int value) {
    if (!showing_) controls_.ChangeOctave(value);
  });
  connect(VScroll1, &QScrollBar::valueChanged, this, [this](int value) {
    if (!showing_) controls_.ChangeTranspose(value);
  });
  for (int index = 0; index < 2; ++index) {
    connect(Command100[index], &PictureButton::MouseDown, this, [this, index](Qt::MouseButton b) {
      controls_.PressButton(index, b == Qt::RightButton);
    });
    connect(Command100[index], &PictureButton::MouseUp, this, [this, index](Qt::MouseButton b) {
      controls_.ReleaseButton(index, b == Qt::RightButton);
    });
    connect(Command100[index], &PictureButton::MouseMove, this,
            [this, index] { controls_.HoverButton(index); });
  }
  for (std::size_t slot = 0; slot < OptBKS.size(); ++slot) {
    connect(OptBKS[slot], &QRadioButton::clicked, this,
            [this, slot] { controls_.SelectBank(static_cast<int>(slot)); });
  }
  RestoreButtonPictures();
  controls_.SetView(this);
}

MidiPanel::~MidiPanel() {
  controls_.SetView(nullptr);
}

void MidiPanel::CreateControls(QWidget* form) {
  Label3 = MakeFormLabel(form, "Label3");
  Label5 = MakeFormLabel(form, "Label5");
  Label8 = MakeFormLabel(form, "Label8");
  Label8->installEventFilter(this);  // a click opens the bank menu and never drags the form
  Label2 = MakeFormLabel(form, "Label2");
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
  HScroll1 = MakeBar(Qt::Horizontal, "HScroll1", -3, 3, form);
  VScroll1 = MakeBar(Qt::Vertical, "VScroll1", -11, 11, form);
  VScroll1->setInvertedAppearance(true);  // +11 at the top
  VScroll1->setInvertedControls(true);
  Label10 = new QLabel("0", form);
  Label10->setObjectName("Label10");
  Label10->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  for (int index = 0; index < 2; ++index) {
    Command100[index] = new PictureButton(form);
    Command100[index]->setObjectName(QString("Command100_%1").arg(index));
  }
  for (std::size_t slot = 0; slot < OptBKS.size(); ++slot) {
    OptBKS[slot] = new QRadioButton(form);
    OptBKS[slot]->setObjectName(QString("OptBKS_%1").arg(kBankNumbers[slot]));
    OptBKS[slot]->setFocusPolicy(Qt::NoFocus);
    OptBKS[slot]->setFixedSize(10, 10);
    OptBKS[slot]->setStyleSheet("QRadioButton::indicator { width: 8px; height: 8px; }");
    OptBKS[slot]->hide();
  }
}

void MidiPanel::BuildMenus(QWidget* form) {
  bank_menu_ = new QMenu(form);
  bank_menu_->setObjectName("mnuBankSelect");
  for (std::size_t slot = 0; slot < mnuMSB_.size(); ++slot) {
    mnuMSB_[slot] = bank_menu_->addAction(QString::number(kBankNumbers[slot]));
    mnuMSB_[slot]->setObjectName(QString("mnuMSB_%1").arg(kBankNumbers[slot]));
    mnuMSB_[slot]->setCheckable(true);
    connect(mnuMSB_[slot], &QAction::triggered, this,
            [this, slot] { controls_.SelectBank(static_cast<int>(slot)); });
  }
  mnuMSB_[0]->setChecked(true);
  reset_menu_ = new QMenu(form);
  reset_menu_->setObjectName("mnuReset");
  auto add_reset = [this](const char* name, std::vector<std::uint8_t> (*message)()) {
    QAction* action = reset_menu_->addAction(name);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this,
            [this, message] { player_.midi.SendLong(message()); });
  };
  add_reset("mnuGMReset", GmResetMessage);
  add_reset("mnuGSReset", GsResetMessage);
  add_reset("mnuXGReset", XgResetMessage);
}

void MidiPanel::SetCaptions() {
  const AppState& app = player_.state.app;
  const std::string name13 = LangText(app, 13);
  for (QWidget* w : std::initializer_list<QWidget*>{Label2, Label3, Label5, Label8}) {
    SetControlFont(w, LangSize(app, 15), name13);
  }
  SetControlFont(List1, LangSize(app, 16), name13);
  SetControlFont(Label10, 0, name13);
  SetControlFont(Command1, 0, name13);
  SetControlFont(Combo1, LangSize(app, 17), LangText(app, 18));
  Label8->setText(LangQ(app, 150) + LangQ(app, 154));
  Label2->setText(LangQ(app, 155));
  Label5->setText(LangQ(app, 152) + LangQ(app, 154));
  Label3->setText(LangQ(app, 156));
  Command1->setToolTip(LangQ(app, 199));
  bank_menu_->setTitle(LangQ(app, 164));
  reset_menu_->setTitle(LangQ(app, 287));
  const auto actions = reset_menu_->actions();
  for (int i = 0; i < actions.size(); ++i) actions[i]->setText(LangQ(app, 288 + i));
  Command100[0]->setToolTip(LangQ(app, 305));
  Command100[1]->setToolTip(LangQ(app, 304));
}

void MidiPanel::Place(int mode) {
  const ControlPlaces places = ControlLayout(mode, false);
  PlaceWidget(Label5, places[Control::Label5]);
  PlaceWidget(Label8, places[Control::Label8]);
  Label8->setAlignment((mode == 0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  PlaceWidget(Label2, places[Control::Label2]);
  PlaceWidget(Label3, places[Control::Label3]);
  PlaceWidget(Combo1, places[Control::Combo1]);
  const ControlPlace& button = places[Control::Command1];
  Command1->setGeometry(button.X, button.Y, button.Width, Combo1->height());
  Command1->setVisible(button.Visible);
  Command1->setStyleSheet(mode == 0 ? "QPushButton { color: white; background: #3a4f7a; }"
                                    : "QPushButton { color: black; }");
  PlaceWidget(List1, places[Control::List1]);
  PlaceWidget(HScroll1, places[Control::HScroll1]);
  PlaceWidget(VScroll1, places[Control::VScroll1]);
  PlaceWidget(Label10, places[Control::Label10]);
  PlaceWidget(Command100[0], places[Control::Command100_0]);
  PlaceWidget(Command100[1], places[Control::Command100_1]);
  RestoreButtonPictures();
  ShowBanks(player_.state.midi.Banks);
  const int label_size = mode == 0 ? LangSize(player_.state.app, 15) : 7;
  for (QLabel* label : {Label2, Label3, Label5, Label8}) {
    QFont font = label->font();
    if (label_size > 0) font.setPointSize(label_size);
    label->setFont(font);
  }
}

// --- the device and instrument lists ---------------------------------------------------------

void MidiPanel::FillDevices(const std::vector<std::string>& device_names) {
  Combo1->clear();
  for (const auto& entry : DeviceListEntries(player_.state.app.LangTable, device_names)) {
    Combo1->addItem(QString::fromStdString(entry));
  }
}

void MidiPanel::SelectSavedDevice(int saved_index) {
  const int entry = SavedDeviceEntry(saved_index, Combo1->count());
  Combo1->setCurrentIndex(entry);
  Combo1_Click(entry);
}

void MidiPanel::Combo1_Click(int index) {
  controls_.SelectDevice(index);
}

void MidiPanel::FillInstruments() {
  showing_ = true;
  List1->clear();
  for (const auto& name : LoadInstrumentTable(player_.state.app.LangTable, player_.state.midi)) {
    List1->addItem(QString::fromStdString(name));
  }
  showing_ = false;
}

// List1_Click: the user's choice (or a row set from the keys) sends the instrument.
void MidiPanel::List1_Change(int row) {
  if (!showing_) controls_.InstrumentRowChanged(row);
}

void MidiPanel::ScrollListToSelection() {
  const int row = List1->currentRow();
  if (row < 1 || row > 127) return;
  List1->scrollToItem(List1->item(row), QAbstractItemView::PositionAtTop);
}

bool MidiPanel::FormMouseMove() {
  if (EndButtonHover(player_.state.app)) RestoreButtonPictures();
  if (!ReturnArrowKeysToPanel(player_.state.input)) return false;
  List1->resize(List1->width(), player_.state.layout.DisplayMode == 1 ? 28 : 52);
  List1->setFocusPolicy(Qt::NoFocus);
  ScrollListToSelection();
  return true;
}

bool MidiPanel::ListKeepsKey(QObject* watched, const QKeyEvent& key) const {
  return watched == List1 && player_.state.input.ControllerKeys == 0 &&
         (key.key() == Qt::Key_Up || key.key() == Qt::Key_Down);
}

// --- DeviceView --------------------------------------------------------------------------------

void MidiPanel::ShowDeviceSwitch(const std::string& caption) {
  Command1->setText(QString::fromStdString(caption));
}

void MidiPanel::ShowScroll(int octave, int transpose, const std::string& label) {
  showing_ = true;
  HScroll1->setValue(octave);
  VScroll1->setValue(transpose);
  showing_ = false;
  Label10->setText(QString::fromStdString(label));
}

void MidiPanel::ShowBanks(const BankWidgets& banks) {
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

void MidiPanel::ShowInstrumentRow(int row) {
  showing_ = true;
  List1->setCurrentRow(row);
  showing_ = false;
}

void MidiPanel::ShowButton(int index, int picture, int cursor) {
  PictureButton* button = Command100[static_cast<std::size_t>(index)];
  if (cursor != 0) {
    button->setCursor(cursor == kCursorGrabbing ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
  }
  if (picture != 0) button->setPixmap(ButtonPicture(picture, button->size()));
}

void MidiPanel::ShowResetMenu() {
  reset_menu_->exec(QCursor::pos());
}

void MidiPanel::RestoreButtonPictures() {
  ShowButton(0, kExitPicture, 0);
  ShowButton(1, kResetPicture, 0);
}

// --- mouse on the list and its caption ----------------------------------------------------------

void MidiPanel::ShowBankMenu() {
  if (BankMenuAvailable(player_.state.midi)) bank_menu_->exec(QCursor::pos());
}

bool MidiPanel::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == Label8) return Label8MouseEvent(type);
  if (watched != List1->viewport()) return false;
  if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
      type == QEvent::MouseButtonRelease || type == QEvent::MouseMove) {
    return List1MouseEvent(type, *static_cast<QMouseEvent*>(event));
  }
  return false;
}

bool MidiPanel::Label8MouseEvent(QEvent::Type type) {
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
      List1MouseDown(player_.midi, false);
      return false;
    case QEvent::MouseButtonDblClick:
      return !left;
    case QEvent::MouseButtonRelease:
      if (left) {
        List1MouseUp(player_.midi);
        return false;
      }
      if (mouse.button() == Qt::RightButton) ShowBankMenu();
      return true;
    default:
      break;
  }
  if (ListMouseMoveTakesArrowKeys(player_.state.input, static_cast<int>(mouse.position().x()),
                                  static_cast<int>(mouse.position().y()))) {
    List1->resize(List1->width(), 80);
    List1->raise();
    List1->setFocusPolicy(Qt::StrongFocus);
    List1->setFocus();
  }
  return false;
}

}  // namespace kirivane
