#pragma once

#include <QObject>
#include <QPointer>
#include <string>

#include "player/app/player.h"
#include "player/settings/options_model.h"

class QAction;
class QWidget;

namespace kirivane {

class AboutDialog;
class ChordSelectDialog;
class ChordSlotReceiver;
class OptionsDialog;

// The three dialogs of the popup menu and who opens them: the chord select dialog (mnuChSelect,
// and the options dialog's chord slots), the options dialog (mnuOption) and the about box
// (mnuversion, F12). None blocks the main window; each is open once at most, and opening one
// that is open brings it to the front.
//   mnuChSelect  "Chord list...": the chord select dialog, its chord becomes chord 10
//   mnuOption    "Options...": the options dialog
//   mnuversion   "About Kirivane...": the about box (F12 too)
class DialogsPanel : public QObject {
  Q_OBJECT

 public:
  // settings_path: the settings file the options dialog's OK writes.
  DialogsPanel(Player& player, Messages& messages, std::string settings_path, QWidget* form);
  ~DialogsPanel() override;

  QAction* ChordSelectItem() const { return mnuChSelect; }
  QAction* OptionsItem() const { return mnuOption; }
  QAction* VersionItem() const { return mnuversion; }
  void SetCaptions();

  // target -1: the chosen chord becomes chord 10; 0..8: it goes to that options slot.
  void ShowChordSelect(int target, ChordSlotReceiver* options, QWidget* parent);
  void ShowOptions();
  void ShowAbout();

 private:
  WindowPosition FormPosition() const;

  Player& player_;
  Messages& messages_;
  QWidget* form_;
  SettingsFileSaver settings_;
  QAction* mnuChSelect = nullptr;
  QAction* mnuOption = nullptr;
  QAction* mnuversion = nullptr;
  QPointer<ChordSelectDialog> chord_dialog_;
  QPointer<OptionsDialog> options_dialog_;
  QPointer<AboutDialog> about_dialog_;
};

}  // namespace kirivane
