#pragma once

#include <QEvent>
#include <QObject>
#include <array>
#include <string>
#include <vector>

#include "player/app/player.h"

class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;
class QListWidget;
class QMenu;
class QMouseEvent;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QWidget;

namespace kirivane {

class PictureButton;

// The MIDI controls, scattered over the form; DeviceControls' view.
//   Label5         "MIDI out:", caption of the device list
//   Combo1         device list: the MIDI mapper, then the devices
//   Command1       ON/OFF: the device opened or closed
//   Label8         "Instrument:", caption of the list; a click opens the bank menu
//   List1          instrument list (128 programs); grows and takes the arrow keys on hover
//   OptBKS         bank option buttons above the list, one per bank the program offers
//   mnuBankSelect  bank menu (mnuMSB items), from the list's right button or its caption
//   Label2         "Octave", caption of the octave bar
//   HScroll1       octave bar, -3..3
//   Label3         "Transpose", caption of the transposition bar
//   VScroll1       transposition bar, -11..11 (+11 at the top)
//   Label10        the transposition: "+3", "0", "-2"
//   Command100(0)  exit button
//   Command100(1)  sound reset button; its right button opens mnuReset (GM, GS, XG resets)
class MidiPanel : public QObject, public DeviceView {
  Q_OBJECT

 public:
  MidiPanel(Player& player, QWidget* form);
  ~MidiPanel() override;

  void SetCaptions();
  void Place(int mode);
  QMenu* BankMenu() const { return bank_menu_; }
  QMenu* ResetMenu() const { return reset_menu_; }

  // Device list: entry 0 the MIDI mapper, then the devices.
  void FillDevices(const std::vector<std::string>& device_names);
  // Selects the saved device (the mapper when it is gone), which opens it.
  void SelectSavedDevice(int saved_index);
  // Instrument list from the language table (nothing is sent).
  void FillInstruments();
  // The list scrolled so that the selected instrument is at its top.
  void ScrollListToSelection();
  // The pointer moved over the form: the buttons show their own pictures again, and a list that
  // had taken the arrow keys gives them back and shrinks. True then: the form takes the focus.
  bool FormMouseMove();
  // Whether a key for the form goes to the instrument list instead (the arrows, while the
  // list has taken them).
  bool ListKeepsKey(QObject* watched, const QKeyEvent& key) const;

  // DeviceView
  void ShowDeviceSwitch(const std::string& caption) override;
  void ShowScroll(int octave, int transpose, const std::string& label) override;
  void ShowBanks(const BankWidgets& banks) override;
  void ShowInstrumentRow(int row) override;
  void ShowButton(int index, int picture, int cursor) override;
  void ShowResetMenu() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls(QWidget* form);
  void BuildMenus(QWidget* form);
  void Combo1_Click(int index);
  void List1_Change(int row);
  void ShowBankMenu();
  bool List1MouseEvent(QEvent::Type type, const QMouseEvent& mouse);
  bool Label8MouseEvent(QEvent::Type type);
  void RestoreButtonPictures();

  Player& player_;
  DeviceControls& controls_;
  QLabel* Label5 = nullptr;
  QComboBox* Combo1 = nullptr;
  QPushButton* Command1 = nullptr;
  QLabel* Label8 = nullptr;
  QListWidget* List1 = nullptr;
  std::array<QRadioButton*, 13> OptBKS{};
  QLabel* Label2 = nullptr;
  QScrollBar* HScroll1 = nullptr;
  QLabel* Label3 = nullptr;
  QScrollBar* VScroll1 = nullptr;
  QLabel* Label10 = nullptr;
  std::array<PictureButton*, 2> Command100{};
  QMenu* bank_menu_ = nullptr;
  QMenu* reset_menu_ = nullptr;
  std::array<QAction*, 13> mnuMSB_{};
  bool showing_ = false;  // the panel sets a control: its change is not the user's
};

}  // namespace kirivane
