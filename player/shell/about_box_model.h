#pragma once

#include <array>
#include <optional>
#include <string>

#include "player/shell/file_association.h"
#include "player/state/app_state.h"

namespace kirivane {

// The about box's texts, from the language table.
struct AboutTexts {
  std::string caption;               // entry 190
  std::string title;                 // AppTitle + VersionText
  std::string description;           // entry 2, two blanks, entry 3
  std::string links_label;           // entry 191 (Label2)
  std::array<std::string, 2> links;  // entries 4 and 5: web addresses, opened when clicked
  std::string disclaimer;            // entry 194
  std::string help_hint;             // entry 195 (Label3)
  std::string ok;                    // entry 6
};
AboutTexts LoadAboutTexts(const AppState& app);

// Fonts: names from entry 13 (controls) and 18 (the form); sizes from the numbers of entry 19
// (the check box and the form), 15 (OK and the title) and 16 (links and texts).
inline constexpr int kAboutControlFontEntry = 13;
inline constexpr int kAboutFormFontEntry = 18;
inline constexpr int kAboutFormSizeEntry = 19;
inline constexpr int kAboutTitleSizeEntry = 15;
inline constexpr int kAboutTextSizeEntry = 16;

// The association check box as it is to be shown after a change.
struct AssociationBox {
  bool checked = false;
  bool enabled = true;
  std::string caption;  // entry 193 while registered, 192 otherwise
  // A failure to show (text entry 328, title entry 327); the box is back where it was.
  std::optional<std::string> error_text;
  std::string error_title;
};

// The association check box of the about box.
class AboutBoxModel {
 public:
  AboutBoxModel(const AppState& app, FileAssociation& association)
      : app_(app), association_(association) {}

  // The box at load: ticked when the type opens this program. Writes nothing.
  AssociationBox Initial();
  // The user ticked (true) or cleared the box: registers or removes, then reads back. When
  // the read-back disagrees (or a file could not be written) the box returns to its previous
  // state with the error.
  AssociationBox Changed(bool checked);

 private:
  AssociationBox Box(bool checked) const;

  const AppState& app_;
  FileAssociation& association_;
};

}  // namespace kirivane
