// Clavimap's window: the keys typed into the name, code and caption boxes.
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "common/keymap/vk_from_qt_qt.h"
#include "editor/clavimap_form_qt.h"
#include "editor/slot_input.h"

namespace kirivane {

namespace {

// Tab and Shift+Tab move the focus from every box, as in any dialog.
bool MovesFocus(const QKeyEvent& event) {
  const bool tab = event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
  return tab && !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// The character a key types, 0 for none. Delete types none here: it edits, as it does in every
// box.
char32_t TypedCharacter(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Delete) return 0;
  const QList<uint> characters = event.text().toUcs4();
  return characters.isEmpty() ? 0 : static_cast<char32_t>(characters.front());
}

}  // namespace

void ClavimapForm::ConnectBoxes() {
  connect(Combo1, &QComboBox::currentIndexChanged, this, &ClavimapForm::Combo1_Click);
  connect(CmdClear, &QPushButton::clicked, this, &ClavimapForm::CmdClear_Click);
  for (int s = 0; s < kEditorSlotCount; ++s) {
    QLineEdit* name = TxtKey[s];
    // The name box shows what the editor makes of a key: nothing may type, paste, drop or
    // compose text into it.
    name->setAttribute(Qt::WA_InputMethodEnabled, false);
    name->setContextMenuPolicy(Qt::NoContextMenu);
    name->setAcceptDrops(false);
    name->installEventFilter(this);
    connect(name, &QLineEdit::textEdited, this, [this, s](const QString& text) {
      editor_->SetNameText(s, text.toStdString());
      ShowEditor();
    });
    TxtKeyCode[s]->installEventFilter(this);
    connect(TxtKeyCode[s], &QLineEdit::textEdited, this, [this, s](const QString& text) {
      editor_->SetCodeText(s, text.toStdString());
      ShowEditor();
    });
  }
  TxtCaption->installEventFilter(this);
  connect(TxtCaption, &QLineEdit::textEdited, this, [this](const QString& text) {
    editor_->SetCaptionText(text.toStdString());
    ShowEditor();
  });
}

bool ClavimapForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
  auto& key = static_cast<QKeyEvent&>(*event);
  if (MovesFocus(key)) return false;
  for (int s = 0; s < kEditorSlotCount; ++s) {
    if (watched == TxtKey[s]) return TxtKey_KeyDown(s, key);
    if (watched == TxtKeyCode[s]) return TxtKeyCode_KeyPress(key);
  }
  if (watched == TxtCaption) return TxtCaption_KeyPress(key);
  return QMainWindow::eventFilter(watched, event);
}

// A computer key pressed in a name box: its code as the player reads it from the physical key,
// and the text it types. The key never reaches the box. Ctrl and Alt may not play either, but
// they begin the window's shortcuts (Alt+F opens the file menu to save), so they leave the slot
// as it is instead of emptying it.
bool ClavimapForm::TxtKey_KeyDown(int slot, QKeyEvent& event) {
  const VirtualKey key = VkFromQt(event, key_layout_);
  if (key.code == vk::kControl || key.code == vk::kMenu) return true;
  editor_->PressKeyInSlot(slot, key.code, event.text().toStdString());
  ShowEditor();
  return true;
}

// Digits and Backspace only; keys that type nothing (arrows, Delete) edit as usual.
bool ClavimapForm::TxtKeyCode_KeyPress(QKeyEvent& event) {
  const char32_t character = TypedCharacter(event);
  return character != 0 && !CodeBoxTakesCharacter(character);
}

// At most two half-width characters (or one full-width one); Backspace always.
bool ClavimapForm::TxtCaption_KeyPress(QKeyEvent& event) {
  if (TypedCharacter(event) == 0) return false;
  return !editor_->CaptionTakesKey(event.key() == Qt::Key_Backspace);
}

}  // namespace kirivane
