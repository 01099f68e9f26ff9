#include "player/midi/midi_in_panel.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "player/state/lang_ids.h"
#include "player/state/language_table.h"
#include "player/widgets/captions_qt.h"

namespace kirivane {

MidiInPanel::MidiInPanel(Player& player, Messages& messages, QWidget* form)
    : QObject(form), player_(player), messages_(messages) {
  setObjectName("MidiInPanel");
  mnuMidiIn = new QMenu(form);
  mnuMidiIn->setObjectName("mnuMidiIn");
  connect(mnuMidiIn, &QMenu::aboutToShow, this, &MidiInPanel::FillMenu);
  player_.midi_thru.SetView(this);
}

MidiInPanel::~MidiInPanel() {
  player_.midi_thru.SetView(nullptr);
}

void MidiInPanel::SetCaptions() {
  mnuMidiIn->setTitle(LangQ(player_.state.app, kLangMidiInCaption));
}

void MidiInPanel::FillMenu() {
  mnuMidiIn->clear();
  auto* group = new QActionGroup(mnuMidiIn);
  const std::string open = player_.state.midi_in.MidiInPort;
  auto add = [&](const QString& text, const std::string& port) {
    QAction* item = mnuMidiIn->addAction(text);
    item->setObjectName("mnuMidiInPort");
    item->setData(QString::fromStdString(port));
    item->setCheckable(true);
    item->setChecked(port == open);
    group->addAction(item);
    connect(item, &QAction::triggered, this, [this, port] { player_.midi_thru.SelectPort(port); });
  };
  add(LangQ(player_.state.app, kLangMidiInNone), "");
  for (const std::string& port : player_.midi_thru.PortNames()) {
    add(QString::fromStdString(port), port);
  }
}

void MidiInPanel::ShowPortOpenFailed(const std::string& port, const std::string& error) {
  std::string text = ReplacePlaceholder(LangText(player_.state.app, kLangMidiInOpenFailed), port);
  if (!error.empty()) text += "\r\n\r\n" + error;  // the system's own words
  messages_.ShowError(text, false);
}

void MidiInPanel::ShowPortLost(const std::string& port) {
  messages_.ShowError(ReplacePlaceholder(LangText(player_.state.app, kLangMidiInLost), port),
                      false);
}

}  // namespace kirivane
