#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "player/app/player.h"
#include "player/chords/chord_dialog_model.h"
#include "player/settings/options_model.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kirivane {

// frmOption: the preferences, the nine user chords, the performance's title and author, and the
// MIDI input port. Nothing is applied before OK; OK checks every field again, applies them in
// order, opens the chosen MIDI input and writes the settings file. It does not block the
// window behind it and stays above it.
//   Text1, Text2                    title and author
//   TxtCSource_i, TxtCTitle_i       chord slot i (chord i + 1): interval list and name
//   CmdSetChord_i, LblChords_i      the chord select dialog for the slot; the built-in chord
//   CmbMidiCh, CmbPlayCh            keyboard and playback channels ("1".."16", never "10")
//   CmbMidiIn                       MIDI input port: none, then the ports the system has
//   txtDefVol, txtMouseVel, txtWheelBand, txtMEndTime   the number fields
//   ChkEffect, ChkNoKBPaint         window effects off; no drawing while hooked (hidden at
//                                   first, revealed by a double click on Image2)
//   chkMidiRC_i                     channels read from MIDI files
//   TxtIconPath, CmdSelectFolder, LblIconPath   the picture folder
//   Image2                          the note picture: its double click reveals the hidden boxes
//   CmdDef, cmdOK, cmdCancel
class OptionsDialog : public QDialog, public ChordSlotReceiver, public OptionsEffects {
  Q_OBJECT

 public:
  // Opens the chord select dialog for a slot, on top of this dialog.
  using ChordPicker = std::function<void(int slot, OptionsDialog& dialog)>;

  // settings: writes the settings file after OK (nothing: it is written at the end only).
  OptionsDialog(Player& player, SettingsSaver* settings, ChordPicker pick_chord, QWidget* form);
  ~OptionsDialog() override;

  // ChordSlotReceiver: the chord select dialog's choice for slot i.
  void SetChordSlot(int slot, const ChordEntry& chord) override;
  // OptionsEffects
  void SetPerformanceToolTips(const std::string& title, const std::string& author) override;
  void SetMusicIconVisible(bool visible) override;
  void ShowInformation(const OptionsMessage& message) override;

 public slots:
  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // options_dialog.cpp: the controls and their places.
  QWidget* CreatePerformanceFrame();
  QWidget* CreateChordFrame();
  QWidget* CreateChannelFrame();
  QWidget* CreateNumberFrames();
  QWidget* CreateImportFrame();
  QWidget* CreateFolderFrame();
  QWidget* CreateButtons();
  QLabel* Caption(const char* name, int index, QWidget* parent);
  QLineEdit* MakeNumberField(const char* name, QWidget* parent);
  void SetFontsAndCaptions();
  void FillPortList();
  // options_fields_qt.cpp: the fields, their rules and the commands.
  void ShowFields(const OptionsFields& fields);
  OptionsFields CollectFields() const;
  bool KeyPressOnField(QObject* field, QKeyEvent& key);
  bool FormKeyPress(QKeyEvent& key);
  void NumberChanged(QLineEdit* field);
  void ChannelChosen(QComboBox* list, int index);
  void CmdDef_Click();
  void CmdSelectFolder_Click();
  void Image2_DblClick();
  void LblChords_DblClick(int slot);
  std::string ChosenPort() const;

  Player& player_;
  SettingsSaver* settings_;
  ChordPicker pick_chord_;
  QWidget* form_;
  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  std::array<QLineEdit*, kUserChordSlots> TxtCSource{};
  std::array<QLineEdit*, kUserChordSlots> TxtCTitle{};
  std::array<QPushButton*, kUserChordSlots> CmdSetChord{};
  std::array<QLabel*, kUserChordSlots> LblChords{};
  QComboBox* CmbMidiCh = nullptr;
  QComboBox* CmbPlayCh = nullptr;
  QComboBox* CmbMidiIn = nullptr;
  QLineEdit* txtDefVol = nullptr;
  QLineEdit* txtMouseVel = nullptr;
  QLineEdit* txtWheelBand = nullptr;
  QLineEdit* txtMEndTime = nullptr;
  QCheckBox* ChkEffect = nullptr;
  QCheckBox* ChkNoKBPaint = nullptr;
  std::array<QCheckBox*, 16> chkMidiRC{};
  QLineEdit* TxtIconPath = nullptr;
  QPushButton* CmdSelectFolder = nullptr;
  QLabel* LblIconPath = nullptr;
  QLabel* Image2 = nullptr;
  QPushButton* CmdDef = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;
  bool showing_ = false;  // the dialog fills a control: its change is not the user's
};

}  // namespace kirivane
