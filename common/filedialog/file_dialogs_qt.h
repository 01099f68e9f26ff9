#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace kirivane {

// One entry of a dialog's list of file types. The description is shown as it is (name the
// patterns in it when the user should see them); the patterns ("*.lyr", "*.mid") choose the
// files listed.
struct FileFilter {
  std::string description;
  std::vector<std::string> patterns;
};

// What an open or save dialog shows. The patterns match names in any letter case unless
// exact_case is set: "*.Keys" lists "a.keys" and "B.KEYS" too, in Qt's own dialog and in the
// desktop's.
struct FileDialogRequest {
  std::string title;
  std::vector<FileFilter> filters;
  std::string start_folder;  // empty: the dialog's own choice
  bool exact_case = false;
};

// The file chosen and the index of the filter chosen with it.
struct FileChoice {
  std::string path;
  int filter = 0;
};

// Turns the path typed in a save dialog, with the filter chosen, into the path written (an
// extension appended, for example).
using SavePathRule = std::function<std::string(const std::string& path, int filter)>;

// An existing file to open; nothing when the dialog is cancelled.
std::optional<FileChoice> ShowOpenDialog(QWidget* owner, const FileDialogRequest& request);

// A file to write. The rule, when given, makes the path returned; when that path is not the one
// typed and names an existing file, the user is asked before it is replaced, and a "no" opens
// the dialog again. Nothing when the dialog is cancelled.
std::optional<FileChoice> ShowSaveDialog(QWidget* owner, const FileDialogRequest& request,
                                         const SavePathRule& rule = {});

// The user's documents folder (XDG_DOCUMENTS_DIR, else ~/Documents) when it exists, else the
// fallback.
std::string DocumentsFolder(const std::string& fallback);

// A pattern that matches in any letter case: "*.Keys" gives "*.[kK][eE][yY][sS]".
std::string AnyCasePattern(const std::string& pattern);

}  // namespace kirivane
