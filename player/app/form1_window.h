#pragma once

#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <string>

#include "common/keyboard/qimage_surface_qt.h"
#include "player/app/form1_panels.h"
#include "player/app/player.h"
#include "player/layout/display_modes.h"

class QAction;
class QLabel;
class QMenu;

namespace kirivane {

// The main window, a shell over its panels: window flags, shape, place, dragging and snapping;
// the popup menu; key and focus forwarding to the key handlers; the staged start and end. Each
// panel owns its controls; the window only asks them to place themselves and set captions.
//   ImgKao01  the face shown beside error messages
//   EndShape  laid over the window while it closes, it keeps the clicks from the controls
//   mnu       the popup menu (right button), with mnuTopmost "Always on top" and mnuCC
class Form1 : public QWidget, public WindowCommands, public Messages {
  Q_OBJECT

 public:
  // settings_path: where the settings file is read and written.
  Form1(Player& player, QImageSurface& keyboard_surface, std::string settings_path);
  ~Form1() override;

  // The load of the window (shows it). False when the program must end at once.
  bool Form_Load();
  // A key from the system-wide hook: X keycode, pressed or released, NumLock on.
  void HookKey(int keycode, bool down, bool num_lock);

  // WindowCommands
  void RestoreIfMinimized() override;
  void ApplyDisplayMode() override;
  void OpenHelp() override;
  void ShowAbout() override;
  void RebuildCaption() override;
  void SetKeyPreview(bool on) override;
  void ReturnFocus() override;
  void FitClientArea() override;
  void FormMouseDown(int button) override;
  void CloseProgram() override;
  void DoEvents() override;
  void EnableWaitTimer() override;
  // Messages
  void ShowError(const std::string& text, bool critical, const std::string& title = {}) override;
  void ShowInformation(const std::string& text, const std::string& title) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetFontsAndCaptions();  // form1_window.cpp
  WindowPosition PositionTwips() const;
  void CreateMenu();  // form1_menu.cpp
  void SetTopmost(int flag);
  void FocusLost();                                // form1_keys.cpp
  void LayoutWindow(const DisplayModePlan& plan);  // form1_display.cpp
  void PlaceControls(int mode);
  void PlaceWindow(const DisplayModePlan& plan);
  void SetWindowRegion(WindowShape shape);
  void SnapWindow();
  void StartDrag(const QPoint& global);
  void FinishDrag();
  void Form_QueryUnload();  // form1_lifecycle.cpp
  void WaitTimer_Timer();
  void Form_Unload();

  Player& player_;
  PlayerState& state_;
  std::string settings_path_;
  Form1Panels panels_;
  QLabel* ImgKao01 = nullptr;
  QWidget* EndShape = nullptr;
  QMenu* mnu = nullptr;
  QAction* mnuTopmost = nullptr;
  QAction* mnuCC = nullptr;
  QTimer WaitTimer;          // the staged close
  QTimer drag_settle_;       // a drag by the window system has ended
  bool key_preview_ = true;  // off while the hook delivers the keys
  bool unloading_ = false;
  bool settings_saved_ = false;
  bool dragging_manually_ = false;
  bool drag_pending_ = false;
  QPoint drag_offset_;
};

}  // namespace kirivane
