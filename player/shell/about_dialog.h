#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "player/shell/about_box_model.h"
#include "player/state/app_state.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace kirivane {

// frmAbout: the program's title and version, what it is, two links, the disclaimer, and the
// check box that makes this program open ".lyr" files from the desktop.
//   lblTitle        the title and version
//   lblDescription  what the program is
//   Label2          "Links:"
//   Label1_0, _1    the two links, opened in the browser when clicked
//   Check1          open ".lyr" files with this program (hidden where that cannot be set)
//   lblDisclaimer   the disclaimer
//   Label3          the hint where help is found
//   cmdOK           closes the box
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  // association: nothing where the desktop registration is not available (the box is hidden).
  AboutDialog(const AppState& app, FileAssociation* association, QWidget* parent);
  ~AboutDialog() override;

 private:
  void SetFontsAndCaptions();
  void Check1_Click(bool checked);
  void ShowBox(const AssociationBox& box);

  const AppState& app_;
  std::unique_ptr<AboutBoxModel> model_;
  QLabel* lblTitle = nullptr;
  QLabel* lblDescription = nullptr;
  QLabel* Label2 = nullptr;
  std::array<QLabel*, 2> Label1{};
  QCheckBox* Check1 = nullptr;
  QLabel* lblDisclaimer = nullptr;
  QLabel* Label3 = nullptr;
  QPushButton* cmdOK = nullptr;
};

}  // namespace kirivane
