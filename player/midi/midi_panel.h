#pragma once

#include <QEvent>
#include <QObject>
#include <array>
#include <string>
#include <vector>

#include "player/midi/device_controls.h"
#include "player/midi/midi_mode.h"
#include "player/state/player_state.h"

class QAction;
class QComboBox;
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

// What the MIDI controls ask of the main window.
class MidiPanelHost {
 public:
  virtual ~MidiPanelHost() = default;
  virtual void RedrawKeyboard() = 0;
  virtual void ShowKeyboardMessage(const std::string& text) = 0;
  virtual void ClearChordCaption() = 0;
  virtual void ExitRequested() = 0;
  virtual void ReturnFocus() = 0;
  virtual bool LayoutInProgress() const = 0;
  virtual void WaitWithEvents(int milliseconds) = 0;
  virtual void SetTimer1(bool enabled) = 0;
};

// The device list and its ON/OFF button, the instrument list with its bank buttons and bank
// menu, the octave and transposition bars, and the exit and sound reset buttons.
class MidiPanel : public QObject {
  Q_OBJECT

 public:
  MidiPanel(PlayerState& state, MidiMode& midi, MidiPanelHost& host, QWidget* form);

  // Device list: entry 0 the MIDI mapper, then the devices.
  void FillDevices(const std::vector<std::string>& device_names);
  int DeviceCount() const;
  // Selects the saved device (the mapper when it is gone), which opens it.
  void SelectSavedDevice(int saved_index);
  // Instrument list from the language table; selects program 0 (which sends it).
  void FillInstruments();
  void SelectInstrument(int index);
  void ResendInstrument();  // List1_Click
  int SetOctave(int value);
  int SetTranspose(int value);
  void SetCaptions();

  // Places the controls for a display mode.
  void Place(int mode);
  // The list back to its normal height after the pointer left it.
  void ShrinkList(int mode);
  void ScrollListToSelection();
  void RestoreButtonPictures();
  // The instrument caption (Label8): a click on it opens the bank menu, and it never starts a
  // window drag.
  void SetBankLabel(QLabel* label);

  QMenu* BankMenu() const { return bank_menu_; }
  QMenu* ResetMenu() const { return reset_menu_; }
  QComboBox* Combo1 = nullptr;
  QPushButton* Command1 = nullptr;
  QListWidget* List1 = nullptr;
  QScrollBar* HScroll1 = nullptr;
  QScrollBar* VScroll1 = nullptr;
  QLabel* Label10 = nullptr;
  std::array<PictureButton*, 2> Command100{};
  std::array<QRadioButton*, 13> OptBKS{};

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Combo1_Click(int index);
  void Command1_Click();
  void List1_Click();
  void OptBKS_Click(int slot);
  void HScroll1_Change(int value);
  void VScroll1_Change(int value);
  void Command100_MouseDown(int index, Qt::MouseButton button);
  void Command100_MouseUp(int index, Qt::MouseButton button);
  void BuildMenus(QWidget* form);
  void ShowDeviceView(const DeviceControlsView& view);
  void ShowBanks();
  void ShowScroll(const ScrollOutcome& outcome);
  void ShowBankMenu();
  bool List1MouseEvent(QEvent::Type type, const QMouseEvent& mouse);
  bool BankLabelMouseEvent(QEvent::Type type);
  void SetButtonPicture(int index, int resource);
  ListContext CurrentList() const;

  PlayerState& state_;
  MidiMode& midi_;
  MidiPanelHost& host_;
  QLabel* bank_label_ = nullptr;
  QMenu* bank_menu_ = nullptr;
  QMenu* reset_menu_ = nullptr;
  std::array<QAction*, 13> mnuMSB_{};
  bool setting_scroll_ = false;
  bool filling_ = false;
};

}  // namespace kirivane
