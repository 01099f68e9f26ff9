// The options dialog's fields: shown from and collected into OptionsFields, their input rules,
// the commands beside them, and OK.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "common/keymap/vk_codes.h"
#include "player/chords/chord_table.h"
#include "player/performance/transport.h"
#include "player/settings/options_dialog.h"

namespace kirivane {

namespace {

std::size_t At(int i) {
  return static_cast<std::size_t>(i);
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// A message's text: line breaks as the message box shows them.
QString MessageText(const std::string& text) {
  return Q(text).replace("\r\n", "\n");
}

std::string S(const QLineEdit* field) {
  return field->text().toStdString();
}

// The character a key types, as the field rules see it; nothing for keys that type none.
std::optional<char32_t> TypedCharacter(const QKeyEvent& key) {
  if (key.key() == Qt::Key_Backspace) return kKeyBackspace;
  if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) return kKeyEnter;
  const QList<uint> typed = key.text().toUcs4();
  if (typed.isEmpty() || typed.front() < 0x20 || typed.front() == 0x7f) return std::nullopt;
  return static_cast<char32_t>(typed.front());
}

// True when the key is to be swallowed.
bool Follow(KeyVerdict verdict) {
  if (verdict == KeyVerdict::kPassWithBeep || verdict == KeyVerdict::kSwallowWithBeep) {
    QApplication::beep();
  }
  return verdict == KeyVerdict::kSwallow || verdict == KeyVerdict::kSwallowWithBeep;
}

}  // namespace

void OptionsDialog::ShowFields(const OptionsFields& fields) {
  showing_ = true;
  Text1->setText(Q(fields.Text1));
  Text2->setText(Q(fields.Text2));
  CmbMidiCh->setCurrentIndex(fields.CmbMidiCh);
  CmbPlayCh->setCurrentIndex(fields.CmbPlayCh);
  txtDefVol->setText(Q(fields.txtDefVol));
  txtMouseVel->setText(Q(fields.txtMouseVel));
  txtWheelBand->setText(Q(fields.txtWheelBand));
  txtMEndTime->setText(Q(fields.txtMEndTime));
  ChkEffect->setChecked(fields.ChkEffect);
  ChkNoKBPaint->setChecked(fields.ChkNoKBPaint);
  ChkNoKBPaint->setHidden(!fields.ChkNoKBPaintVisible);
  for (int i = 0; i < 16; ++i) chkMidiRC[At(i)]->setChecked(fields.chkMidiRC[At(i)]);
  TxtIconPath->setText(Q(fields.TxtIconPath));
  for (int i = 0; i < kUserChordSlots; ++i) {
    TxtCSource[At(i)]->setText(Q(fields.TxtCSource[At(i)]));
    TxtCTitle[At(i)]->setText(Q(fields.TxtCTitle[At(i)]));
  }
  showing_ = false;
}

OptionsFields OptionsDialog::CollectFields() const {
  OptionsFields fields;
  fields.Text1 = S(Text1);
  fields.Text2 = S(Text2);
  fields.CmbMidiCh = CmbMidiCh->currentIndex();
  fields.CmbPlayCh = CmbPlayCh->currentIndex();
  fields.txtDefVol = S(txtDefVol);
  fields.txtMouseVel = S(txtMouseVel);
  fields.txtWheelBand = S(txtWheelBand);
  fields.txtMEndTime = S(txtMEndTime);
  fields.ChkEffect = ChkEffect->isChecked();
  fields.ChkNoKBPaint = ChkNoKBPaint->isChecked();
  fields.ChkNoKBPaintVisible = !ChkNoKBPaint->isHidden();
  for (int i = 0; i < 16; ++i) fields.chkMidiRC[At(i)] = chkMidiRC[At(i)]->isChecked();
  fields.TxtIconPath = S(TxtIconPath);
  for (int i = 0; i < kUserChordSlots; ++i) {
    fields.TxtCSource[At(i)] = S(TxtCSource[At(i)]);
    fields.TxtCTitle[At(i)] = S(TxtCTitle[At(i)]);
  }
  return fields;
}

std::string OptionsDialog::ChosenPort() const {
  return CmbMidiIn->currentData().toString().toStdString();
}

// --- OK ------------------------------------------------------------------------------------

void OptionsDialog::accept() {
  OptionsControllers controllers{player_.display, player_.chords, *this, nullptr};
  if (!ApplyOptions(CollectFields(), player_.state, controllers).close) return;
  const std::string port = ChosenPort();
  if (port != player_.state.midi_in.MidiInPort) player_.midi_thru.SelectPort(port);
  if (settings_ != nullptr) settings_->SaveSettings(player_.state);
  QDialog::accept();
}

void OptionsDialog::SetChordSlot(int slot, const ChordEntry& chord) {
  if (slot < 0 || slot >= kUserChordSlots) return;
  TxtCSource[At(slot)]->setText(Q(chord.intervals));
  TxtCTitle[At(slot)]->setText(Q(chord.name));
}

void OptionsDialog::SetPerformanceToolTips(const std::string& title, const std::string& author) {
  // The two pads of the main window carry the performance's title and author.
  if (auto* pad = form_->findChild<QWidget*>("Image7")) pad->setToolTip(Q(title));
  if (auto* pad = form_->findChild<QWidget*>("Image8")) pad->setToolTip(Q(author));
}

void OptionsDialog::SetMusicIconVisible(bool visible) {
  if (auto* icon = form_->findChild<QWidget*>("ImgMusicIcon")) icon->setVisible(visible);
}

void OptionsDialog::ShowInformation(const OptionsMessage& message) {
  QMessageBox::information(this, Q(message.title), MessageText(message.text));
}

// --- input rules ---------------------------------------------------------------------------

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto& key = static_cast<QKeyEvent&>(*event);
    if (FormKeyPress(key)) return true;
    if (KeyPressOnField(watched, key)) return true;
  } else if (event->type() == QEvent::MouseButtonDblClick) {
    if (watched == Image2) {
      Image2_DblClick();
      return true;
    }
    for (int i = 0; i < kUserChordSlots; ++i) {
      if (watched != LblChords[At(i)]) continue;
      LblChords_DblClick(i);
      return true;
    }
  } else if (event->type() == QEvent::MouseButtonRelease && watched == LblIconPath) {
    OptionsFields fields = CollectFields();
    UseProgramFolder(fields, player_.state.app.ProgramFolder);
    TxtIconPath->setText(Q(fields.TxtIconPath));
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

// Enter and F1 step through the controls; a text box stepped into has its text selected.
bool OptionsDialog::FormKeyPress(QKeyEvent& key) {
  if (QApplication::activePopupWidget() != nullptr) return false;  // an open list takes Enter
  int virtual_key = 0;
  if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) virtual_key = vk::kReturn;
  if (key.key() == Qt::Key_F1) virtual_key = vk::F(1);
  const FocusStep step = FormKeyDown(virtual_key, false);
  if (step == FocusStep::kNone) return false;
  focusNextPrevChild(step == FocusStep::kNext);
  if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget())) field->selectAll();
  return true;
}

bool OptionsDialog::KeyPressOnField(QObject* field, QKeyEvent& key) {
  const std::optional<char32_t> typed = TypedCharacter(key);
  if (!typed) return false;
  if (field == txtDefVol || field == txtMouseVel || field == txtWheelBand || field == txtMEndTime) {
    return Follow(NumberFieldKey(*typed));
  }
  if (field == Text1) return Follow(TextLimitKey(S(Text1), *typed, kTitleLimit));
  if (field == Text2) return Follow(TextLimitKey(S(Text2), *typed, kAuthorLimit));
  for (int i = 0; i < kUserChordSlots; ++i) {
    if (field == TxtCSource[At(i)]) return Follow(ChordSourceKey(*typed));
    if (field == TxtCTitle[At(i)]) return Follow(ChordNameKey(S(TxtCTitle[At(i)]), *typed));
  }
  return false;
}

void OptionsDialog::NumberChanged(QLineEdit* field) {
  if (showing_) return;
  const NumberField which = field == txtDefVol      ? NumberField::kDefVol
                            : field == txtMouseVel  ? NumberField::kMouseVel
                            : field == txtWheelBand ? NumberField::kWheelBand
                                                    : NumberField::kMEndTime;
  if (const auto held = HeldWhileEditing(which, S(field))) {
    field->setText(Q(*held));
    field->selectAll();
  }
}

void OptionsDialog::ChannelChosen(QComboBox* list, int index) {
  const ChannelChoice choice = ChooseChannel(index);
  if (!choice.refused) return;
  list->setCurrentIndex(choice.index);
  const OptionsMessage message = ChannelTenMessage(player_.state.app);
  QMessageBox::critical(this, Q(message.title), MessageText(message.text));
}

// --- commands ------------------------------------------------------------------------------

void OptionsDialog::CmdDef_Click() {
  const OptionsMessage question = DefaultsQuestion(player_.state.app);
  const auto answer = QMessageBox::question(
      this, Q(question.title), MessageText(question.text),
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
  const DefaultsAnswer chosen = answer == QMessageBox::Yes  ? DefaultsAnswer::kYes
                                : answer == QMessageBox::No ? DefaultsAnswer::kNo
                                                            : DefaultsAnswer::kCancel;
  OptionsFields fields = CollectFields();
  ApplyDefaults(fields, chosen, player_.state);
  ShowFields(fields);
  raise();
}

void OptionsDialog::CmdSelectFolder_Click() {
  const QString folder = QFileDialog::getExistingDirectory(this, QString(), TxtIconPath->text());
  if (folder.isEmpty()) return;
  TxtIconPath->setText(Q(FolderFieldText(folder.toStdString())));
}

void OptionsDialog::Image2_DblClick() {
  if (!ChkNoKBPaint->isHidden()) return;
  player_.devices.sounds.Play(kSoundError);
  ChkNoKBPaint->show();
}

void OptionsDialog::LblChords_DblClick(int slot) {
  const ChordEntry builtin = BuiltInChord(slot + 1);
  TxtCSource[At(slot)]->setText(Q(builtin.intervals));
  TxtCTitle[At(slot)]->setText(Q(builtin.name));
  player_.devices.sounds.Play(kSoundTick);
}

}  // namespace kirivane
