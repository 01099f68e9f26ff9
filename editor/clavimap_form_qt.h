#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <string>

#include "common/keyboard/kb_paint.h"
#include "common/keyboard/keyboard_mouse.h"
#include "common/keyboard/qimage_surface_qt.h"
#include "common/keymap/vk_table.h"
#include "editor/key_map_editor.h"

class QAction;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kirivane {

class ClavimapBackground;
class Keyboard;
class ThanksPicture;

// Clavimap's window `Form1`: the 37-key keyboard with the selected key drawn pressed, the key
// list, the four slots of name and code boxes, the caption box, the message log and the file
// menu. Every user action goes to the KeyMapEditor, and the boxes, the log and the keyboard
// are drawn again from it afterwards; a key pressed in a name box goes to the editor as its
// virtual-key code (read from the physical key, as the player reads it) and never reaches the
// box itself.
//   Keyboard_             the keyboard; a left click selects a key
//   Frame1                "Key assignment", around the boxes
//   Label1, Combo1        "Keyboard key No.:" and the key list 1..37
//   Label3_i              "Assigned key i:", the caption of slot i
//   Label4, Label5        the column headings "< Key >" and "< KeyCode >"
//   TxtKey_i, TxtKeyCode_i  slot i: the key's name (press the key here) and its code
//   Label2, TxtCaption    "Key label:" and the caption of the key (two characters at most)
//   Label6                the note about the caption
//   CmdClear              "Clear fields" of the key shown
//   TxtErrLog             the log of keys taken, duplicates and files read or written
//   Image2                the key cap picture; answers a double click
//   mnuFile               "File": mnuNew, mnuFileOpen, mnuFileSave, mnuEnd
class ClavimapForm : public QMainWindow, private EditorView, private KeyboardMouseHandler {
  Q_OBJECT

 public:
  // `key_layout` is the keysym each X keycode types unshifted, kept up to date while the window
  // lives (all zero where no X server tells it). The keyboard is drawn on `keyboard_surface`,
  // which outlives the window. The dialogs start in the folder of the last file chosen, else in
  // the documents folder, else in `program_folder`.
  ClavimapForm(const EditorTexts& texts, const KeyLayout& key_layout,
               QImageSurface& keyboard_surface, std::string program_folder,
               QWidget* parent = nullptr);
  ~ClavimapForm() override;

  const KeyMapEditor& Editor() const { return *editor_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // EditorView
  void Beep() override;
  void FocusFirstName() override;
  void LogChanged(std::size_t first_new) override;
  // KeyboardMouseHandler: a left click selects the key under the pointer.
  void Keyboard_MouseDown(int button, int shift, float x, float y) override;
  void Keyboard_MouseMove(int, int, float, float) override {}
  void Keyboard_MouseUp(int, int, float, float) override {}
  void Keyboard_DblClick() override {}

  void CreateControls(QImageSurface& keyboard_surface);
  QWidget* CreateKeyFrame(QImageSurface& keyboard_surface);
  void CreateMenu();
  void SetTexts();
  void ConnectBoxes();

  // Draws the boxes, the key list and the keyboard from the editor.
  void ShowEditor();
  void ShowFields();
  void DrawKeyboard();

  void Combo1_Click(int index);
  bool TxtKey_KeyDown(int slot, QKeyEvent& event);
  bool TxtKeyCode_KeyPress(QKeyEvent& event);
  bool TxtCaption_KeyPress(QKeyEvent& event);
  void CmdClear_Click();
  void mnuNew_Click();
  void mnuFileOpen_Click();
  void mnuFileSave_Click();
  void Image2_DblClick();
  void ReportFileResult(const EditorFileResult& result, int icon);  // a QMessageBox::Icon
  std::string DialogFolder() const;

  const KeyLayout& key_layout_;
  const std::string program_folder_;
  std::unique_ptr<KeyMapEditor> editor_;

  ClavimapBackground* background_ = nullptr;
  Keyboard* Keyboard_ = nullptr;
  std::unique_ptr<KBPaint> paint_;
  QGroupBox* Frame1 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* Combo1 = nullptr;
  std::array<QLabel*, kEditorSlotCount> Label3{};
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  std::array<QLineEdit*, kEditorSlotCount> TxtKey{};
  std::array<QLineEdit*, kEditorSlotCount> TxtKeyCode{};
  QLabel* Label2 = nullptr;
  QLineEdit* TxtCaption = nullptr;
  QLabel* Label6 = nullptr;
  QPushButton* CmdClear = nullptr;
  QPlainTextEdit* TxtErrLog = nullptr;
  ThanksPicture* Image2 = nullptr;
  QAction* mnuFile = nullptr;
  QAction* mnuNew = nullptr;
  QAction* mnuFileOpen = nullptr;
  QAction* mnuFileSave = nullptr;
  QAction* mnuEnd = nullptr;
};

}  // namespace kirivane
