#pragma once

#include <QObject>

#include "player/app/player.h"

class QMenu;
class QWidget;

namespace kirivane {

// Language entries of the MIDI input's texts: its caption in the menu and the options dialog,
// the "none" choice, a port that cannot be opened ("%1"; the reason follows it), a port that
// went away ("%1").

// The MIDI input submenu of the popup menu, MidiThru's view: "none" and the ports the system
// has now (listed afresh each time the menu opens), the port in use checked. A port that cannot
// be opened, or goes away while open, is reported once in a message box.
//   mnuMidiIn       the submenu
//   mnuMidiInPort   its items; the port's full name is the item's data ("" for none)
class MidiInPanel : public QObject, public MidiThruView {
  Q_OBJECT

 public:
  MidiInPanel(Player& player, Messages& messages, QWidget* form);
  ~MidiInPanel() override;

  QMenu* Menu() const { return mnuMidiIn; }
  void SetCaptions();
  // Lists "none" and the ports, the one in use checked.
  void FillMenu();

  // MidiThruView
  void ShowPortOpenFailed(const std::string& port, const std::string& error) override;
  void ShowPortLost(const std::string& port) override;

 private:
  Player& player_;
  Messages& messages_;
  QMenu* mnuMidiIn = nullptr;
};

}  // namespace kirivane
