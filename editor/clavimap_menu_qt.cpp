// Clavimap's window: the file menu, its dialogs and message boxes, and the picture's answer.
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include "common/filedialog/file_dialogs_qt.h"
#include "editor/clavimap_art_widget.h"
#include "editor/clavimap_form_qt.h"

namespace kirivane {

namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

void ClavimapForm::CreateMenu() {
  const EditorTexts& t = editor_->Texts();
  QMenu* file = menuBar()->addMenu(Text(t.menu_file));
  file->setObjectName(QStringLiteral("mnuFile"));
  mnuFile = file->menuAction();
  mnuNew = file->addAction(Text(t.menu_new), this, &ClavimapForm::mnuNew_Click);
  file->addSeparator();  // mnuber1
  mnuFileOpen = file->addAction(Text(t.menu_open), this, &ClavimapForm::mnuFileOpen_Click);
  mnuFileSave = file->addAction(Text(t.menu_save), this, &ClavimapForm::mnuFileSave_Click);
  file->addSeparator();  // mnuber2
  mnuEnd = file->addAction(Text(t.menu_exit), this, &QWidget::close);
  connect(Image2, &ThanksPicture::DoubleClicked, this, &ClavimapForm::Image2_DblClick);
}

void ClavimapForm::mnuNew_Click() {
  editor_->New();
  ShowEditor();
}

void ClavimapForm::mnuFileOpen_Click() {
  const EditorTexts& t = editor_->Texts();
  const auto chosen = ShowOpenDialog(
      this, {t.open_title, {{t.filter_description, {t.filter_pattern}}}, DialogFolder()});
  if (!chosen) return;
  const EditorFileResult result = editor_->Open(chosen->path);
  ShowEditor();
  if (!result.ok) ReportFileResult(result, QMessageBox::Information);  // the map is empty now
}

// The key being edited is committed first (with its log lines), whether or not a file is
// chosen. A name without ".keys" (in any case) gets it.
void ClavimapForm::mnuFileSave_Click() {
  editor_->Commit();
  ShowEditor();
  const EditorTexts& t = editor_->Texts();
  const auto chosen = ShowSaveDialog(
      this, {t.save_title, {{t.filter_description, {t.filter_pattern}}}, DialogFolder()},
      [](const std::string& path, int) { return WithKeysExtension(path); });
  if (!chosen) return;
  const EditorFileResult result = editor_->Write(chosen->path);
  ShowEditor();
  if (!result.ok) ReportFileResult(result, QMessageBox::Critical);  // the map is kept
}

void ClavimapForm::ReportFileResult(const EditorFileResult& result, int icon) {
  QMessageBox box(static_cast<QMessageBox::Icon>(icon), Text(result.error_title),
                  Text(result.error_text), QMessageBox::Ok, this);
  box.exec();
}

void ClavimapForm::Image2_DblClick() {
  const EditorTexts& t = editor_->Texts();
  QMessageBox::information(this, Text(t.window_title),
                           Text(t.thanks_line1) + u'\n' + Text(t.thanks_line2));
}

// The folder of the last file chosen, else the documents folder, else the program's folder.
std::string ClavimapForm::DialogFolder() const {
  const std::string& last = editor_->LastFolder();
  return last.empty() ? DocumentsFolder(program_folder_) : last;
}

}  // namespace kirivane
