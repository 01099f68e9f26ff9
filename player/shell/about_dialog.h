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
//   lblTitle, lblDescription, Label2 ("Links:"), Label1_0 and Label1_1 (the links, opened in
//   the browser when clicked), Check1, lblDisclaimer, Label3, cmdOK
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
