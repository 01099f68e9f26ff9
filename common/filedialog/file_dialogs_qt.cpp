#include "common/filedialog/file_dialogs_qt.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QStringList>

namespace kirivane {

namespace {

// The dialog's filter strings, one per filter: the description and, in the last parentheses,
// the patterns. Qt's own dialog hides those parentheses (HideNameFilterDetails), so the
// description is seen as given.
QStringList NameFilters(const FileDialogRequest& request) {
  QStringList filters;
  for (const FileFilter& filter : request.filters) {
    QStringList patterns;
    for (const std::string& pattern : filter.patterns) {
      patterns << QString::fromStdString(request.exact_case ? pattern : AnyCasePattern(pattern));
    }
    filters << QString::fromStdString(filter.description) + QStringLiteral(" (") +
                   patterns.join(u' ') + u')';
  }
  return filters;
}

int FilterIndex(const QStringList& filters, const QString& chosen) {
  const auto index = filters.indexOf(chosen);
  return index < 0 ? 0 : static_cast<int>(index);
}

// Asks before a file the user did not name is replaced, in the words of Qt's own dialog.
bool MayReplace(QWidget* owner, const QString& title, const QString& path) {
  const QString question = QFileDialog::tr("%1 already exists.\nDo you want to replace it?")
                               .arg(QFileInfo(path).fileName());
  return QMessageBox::warning(owner, title, question, QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace

std::string AnyCasePattern(const std::string& pattern) {
  std::string out;
  bool in_set = false;  // a set such as "[ab]" is kept as it is
  for (const char c : pattern) {
    if (c == '[') in_set = true;
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!letter || in_set) {
      if (c == ']') in_set = false;
      out += c;
      continue;
    }
    const char lower = static_cast<char>(c | 0x20);
    out += '[';
    out += lower;
    out += static_cast<char>(lower & ~0x20);
    out += ']';
  }
  return out;
}

std::optional<FileChoice> ShowOpenDialog(QWidget* owner, const FileDialogRequest& request) {
  const QStringList filters = NameFilters(request);
  QString chosen_filter = filters.value(0);
  const QString path = QFileDialog::getOpenFileName(
      owner, QString::fromStdString(request.title), QString::fromStdString(request.start_folder),
      filters.join(QStringLiteral(";;")), &chosen_filter, QFileDialog::HideNameFilterDetails);
  if (path.isEmpty()) return std::nullopt;
  return FileChoice{path.toStdString(), FilterIndex(filters, chosen_filter)};
}

std::optional<FileChoice> ShowSaveDialog(QWidget* owner, const FileDialogRequest& request,
                                         const SavePathRule& rule) {
  const QStringList filters = NameFilters(request);
  const QString title = QString::fromStdString(request.title);
  QString folder = QString::fromStdString(request.start_folder);
  QString chosen_filter = filters.value(0);
  for (;;) {
    const QString typed =
        QFileDialog::getSaveFileName(owner, title, folder, filters.join(QStringLiteral(";;")),
                                     &chosen_filter, QFileDialog::HideNameFilterDetails);
    if (typed.isEmpty()) return std::nullopt;
    const int filter = FilterIndex(filters, chosen_filter);
    const std::string path = rule ? rule(typed.toStdString(), filter) : typed.toStdString();
    const QString written = QString::fromStdString(path);
    // The dialog asked about the name typed; a name the rule made is asked about here.
    if (written == typed || !QFileInfo::exists(written) || MayReplace(owner, title, written)) {
      return FileChoice{path, filter};
    }
    folder = typed;  // the dialog opens again where the user was, with the name typed
  }
}

std::string DocumentsFolder(const std::string& fallback) {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty() || !QFileInfo(documents).isDir()) return fallback;
  return documents.toStdString();
}

}  // namespace kirivane
