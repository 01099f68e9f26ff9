#include "player/app/dialogs_panel.h"

#include <QAction>
#include <QWidget>

#include "player/chords/chord_list.h"
#include "player/chords/chord_select_dialog.h"
#include "player/settings/options_dialog.h"
#include "player/shell/about_dialog.h"
#include "player/state/lang_ids.h"
#include "player/widgets/captions_qt.h"

namespace kirivane {

namespace {

QAction* MenuItem(QObject* owner, const char* name) {
  auto* item = new QAction(owner);
  item->setObjectName(name);
  return item;
}

void Present(QWidget* dialog) {
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

}  // namespace

DialogsPanel::DialogsPanel(Player& player, Messages& messages, std::string settings_path,
                           QWidget* form)
    : QObject(form),
      player_(player),
      messages_(messages),
      form_(form),
      settings_(std::move(settings_path), [this] { return FormPosition(); }) {
  setObjectName("DialogsPanel");
  mnuChSelect = MenuItem(this, "mnuChSelect");
  connect(mnuChSelect, &QAction::triggered, this, [this] { ShowChordSelect(-1, nullptr, form_); });
  mnuOption = MenuItem(this, "mnuOption");
  connect(mnuOption, &QAction::triggered, this, &DialogsPanel::ShowOptions);
  mnuversion = MenuItem(this, "mnuversion");
  connect(mnuversion, &QAction::triggered, this, &DialogsPanel::ShowAbout);
}

DialogsPanel::~DialogsPanel() = default;

void DialogsPanel::SetCaptions() {
  const AppState& app = player_.state.app;
  mnuChSelect->setText(LangQ(app, kLangChordListItem));
  mnuOption->setText(LangQ(app, kLangOptionsItem));
  mnuversion->setText(LangQ(app, kLangAboutItem));
}

WindowPosition DialogsPanel::FormPosition() const {
  const ScreenMetrics& screen = player_.state.layout.Screen;
  return {form_->pos().x() * screen.TwipsX, form_->pos().y() * screen.TwipsY};
}

void DialogsPanel::ShowChordSelect(int target, ChordSlotReceiver* options, QWidget* parent) {
  // One chord dialog at a time: it answers the opener named by ChordSelectTarget.
  if (chord_dialog_) chord_dialog_->reject();
  const std::string path = ChordListPath(player_.state.app.ProgramFolder);
  const ChordListResult list = LoadChordList(path);
  if (list.error) {
    // The player goes on without the dialog: nothing of the session is lost over a data file.
    messages_.ShowError(ChordListErrorText(player_.state.app, path), true);
    return;
  }
  chord_dialog_ = new ChordSelectDialog(player_, list.entries, target, options, parent);
  Present(chord_dialog_);
}

void DialogsPanel::ShowOptions() {
  if (!options_dialog_) {
    options_dialog_ = new OptionsDialog(
        player_, &settings_,
        [this](int slot, OptionsDialog& dialog) { ShowChordSelect(slot, &dialog, &dialog); },
        form_);
  }
  Present(options_dialog_);
}

void DialogsPanel::ShowAbout() {
  if (!about_dialog_) {
    about_dialog_ = new AboutDialog(player_.state.app, player_.devices.association, form_);
  }
  Present(about_dialog_);
}

}  // namespace kirivane
