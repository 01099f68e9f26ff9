#pragma once

#include <QDialog>
#include <QPixmap>
#include <array>

#include "player/app/player.h"
#include "player/chords/chord_dialog_model.h"

class QLabel;
class QPushButton;
class QScrollBar;
class QGroupBox;
class QToolButton;

namespace kirivane {

// frmChordSelect: 36 ready-made chords to hear, invert and take. OK hands the chord to whoever
// opened the dialog: chord 10 (from the menu) or one of the options dialog's chord slots. It
// does not block the window behind it and stays above it.
//   CmdChord_k    the chord buttons, captions from the chord list
//   LblHTitle_i   column headings; LblVTitle_i row headings
//   Frame1        the explanation (Label1 inside), shown and hidden by Image2
//   Label6        "Chord:", in front of Lbl_Chord, the offsets shown ("4,7,12")
//   Label4        caption of HSInversion, the inversion bar
//   Image1        the small keyboard with the markers of the chord shown
//   Image2        "?": shows or hides Frame1
//   cmdOK, cmdCancel
class ChordSelectDialog : public QDialog {
  Q_OBJECT

 public:
  // target: -1 from the menu, else the options dialog's slot 0..8 (then `options` receives
  // the chord). `list` is the chord list as read from its file.
  ChordSelectDialog(Player& player, const ChordList& list, int target, ChordSlotReceiver* options,
                    QWidget* parent);
  ~ChordSelectDialog() override;

  const ChordDialogModel& Model() const { return model_; }

 public slots:
  void accept() override;
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateGrid();
  QWidget* CreateShownChord();
  void SetFontsAndCaptions();
  void ShowModel();
  void DrawMarkers();
  void ToggleHelp();

  Player& player_;
  ChordDialogModel model_;
  ChordSlotReceiver* options_;
  std::array<QPushButton*, kChordListSize> CmdChord{};
  std::array<QLabel*, kChordColumnHeadings> LblHTitle{};
  std::array<QLabel*, kChordRowHeadings> LblVTitle{};
  QGroupBox* Frame1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Lbl_Chord = nullptr;
  QLabel* Label4 = nullptr;
  QScrollBar* HSInversion = nullptr;
  QLabel* Image1 = nullptr;
  QToolButton* Image2 = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;
  QPixmap keyboard_;      // Image1 without markers
  bool showing_ = false;  // the dialog sets the bar: its change is not the user's
};

// The small keyboard of the dialog (170 x 40): the keys from an octave below the root to a
// major tenth above it, cut from the common keyboard drawing.
QPixmap ChordKeyboardPicture();

}  // namespace kirivane
