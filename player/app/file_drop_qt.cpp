#include "player/app/file_drop_qt.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "player/shell/drop_block.h"

namespace kirivane {

namespace {

// The local files a drag carries; empty when it carries anything else (a link to a web page,
// text), which the window refuses as a whole.
QStringList LocalFiles(const QMimeData* data) {
  QStringList files;
  if (data == nullptr || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) return {};
    files.append(url.toLocalFile());
  }
  return files;
}

}  // namespace

FileDropTarget::FileDropTarget(Player& player, WindowCommands& window, QWidget* form)
    : QObject(form), player_(player), window_(window), form_(form) {
  setObjectName("FileDropTarget");
  form_->setAcceptDrops(true);
  form_->installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
  if (watched != form_) return false;
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (LocalFiles(drag->mimeData()).isEmpty()) {
        drag->ignore();
      } else {
        drag->acceptProposedAction();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QStringList files = LocalFiles(drop->mimeData());
      if (files.isEmpty()) return true;
      drop->acceptProposedAction();
      Drop(files);
      return true;
    }
    default:
      return false;
  }
}

void FileDropTarget::ReceiveHandOff(const QStringList& files) {
  if (player_.state.app.AppClosing == -1) return;
  window_.RestoreIfMinimized();
  form_->raise();
  form_->activateWindow();
  Drop(files);
}

void FileDropTarget::Drop(const QStringList& files) {
  if (player_.state.app.AppClosing == -1 || files.isEmpty()) return;
  std::vector<std::string> names;
  for (const QString& file : files) names.push_back(QFile::encodeName(file).toStdString());
  HandOverDroppedFiles(names, player_.state, window_);
}

}  // namespace kirivane
