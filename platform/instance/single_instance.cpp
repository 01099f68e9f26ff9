#include "platform/instance/single_instance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTimer>

#include <memory>
#include <span>
#include <string>

#include "player/shell/drop_block.h"

namespace kirivane {

namespace {

constexpr int kProbeTimeoutMs = 500;

enum class SocketFile { kMissing, kMine, kForeign };

// What lies at the socket path: nothing, a socket of this user, or anything else (another
// user's socket, a plain file, a link), which is never used or removed.
SocketFile InspectSocketFile(const QString& path) {
  struct stat info {};
  if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return SocketFile::kMissing;
  return S_ISSOCK(info.st_mode) && info.st_uid == ::getuid() ? SocketFile::kMine
                                                             : SocketFile::kForeign;
}

bool SomeoneAnswers(const QString& path) {
  QLocalSocket probe;
  probe.connectToServer(path);
  const bool answered = probe.waitForConnected(kProbeTimeoutMs);
  probe.abort();
  return answered;
}

}  // namespace

QString DefaultInstanceSocketPath() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return runtime + "/kirivane.socket";
  return QDir::tempPath() + QString("/kirivane-%1.socket").arg(::getuid());
}

// --- the running player ---------------------------------------------------------------------

SingleInstance::SingleInstance(QString socket_path, QObject* parent)
    : QObject(parent), path_(std::move(socket_path)) {
  connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnections);
}

SingleInstance::~SingleInstance() {
  server_.close();
}

bool SingleInstance::Listen(QString* error) {
  const auto fail = [&](const QString& why) {
    if (error != nullptr) *error = why;
    return false;
  };
  switch (InspectSocketFile(path_)) {
    case SocketFile::kForeign:
      return fail(QString("%1 belongs to someone else").arg(path_));
    case SocketFile::kMine:
      // Listening would quietly take the name from a player that still runs, so ask first.
      if (SomeoneAnswers(path_)) return fail("another player is running");
      QLocalServer::removeServer(path_);
      break;
    case SocketFile::kMissing:
      break;
  }
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_.listen(path_)) return fail(server_.errorString());
  return true;
}

void SingleInstance::AcceptConnections() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) Watch(socket);
}

void SingleInstance::Watch(QLocalSocket* socket) {
  struct Reading {
    QByteArray block;
    bool dropped = false;
  };
  auto reading = std::make_shared<Reading>();
  const auto drop = [socket, reading] {
    reading->dropped = true;
    socket->abort();
  };
  auto* deadline = new QTimer(socket);
  deadline->setSingleShot(true);
  connect(deadline, &QTimer::timeout, socket, drop);
  deadline->start(read_timeout_ms_);
  const auto read = [socket, reading, drop] {
    if (reading->dropped) return;
    reading->block.append(socket->readAll());
    if (static_cast<std::size_t>(reading->block.size()) > kDropBlockMaxBytes) drop();
  };
  connect(socket, &QLocalSocket::readyRead, socket, read);
  connect(socket, &QLocalSocket::disconnected, this, [this, socket, reading, read] {
    read();  // what arrived together with the end of the connection
    if (!reading->dropped) Finish(reading->block);
    reading->dropped = true;
    socket->deleteLater();
  });
}

void SingleInstance::Finish(const QByteArray& block) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(block.constData());
  std::vector<std::string> files;
  const std::span<const std::uint8_t> view(bytes, static_cast<std::size_t>(block.size()));
  if (ReadDropBlock(view, files) != DropBlockError::kNone) return;
  QStringList names;
  for (const std::string& file : files) names.append(QFile::decodeName(file.c_str()));
  emit HandOffReceived(names);
}

// --- the second start -----------------------------------------------------------------------

HandOffClient::HandOffClient() : socket_(new QLocalSocket) {}

HandOffClient::~HandOffClient() {
  delete socket_;
}

bool HandOffClient::Connect(const QString& socket_path, int timeout_ms) {
  // Only a socket of this user: a name squatted by someone else must not learn our paths.
  if (InspectSocketFile(socket_path) != SocketFile::kMine) return false;
  socket_->connectToServer(socket_path);
  return socket_->waitForConnected(timeout_ms);
}

bool HandOffClient::SendFile(const QString& path, int timeout_ms) {
  const QString absolute = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
  return SendBlock(BuildDropBlock(QFile::encodeName(absolute).toStdString()), timeout_ms);
}

bool HandOffClient::SendBlock(const std::vector<std::uint8_t>& block, int timeout_ms) {
  if (socket_->state() != QLocalSocket::ConnectedState) return false;
  const qint64 size = static_cast<qint64>(block.size());
  if (socket_->write(reinterpret_cast<const char*>(block.data()), size) != size) return false;
  while (socket_->bytesToWrite() > 0) {
    if (!socket_->waitForBytesWritten(timeout_ms)) return false;
  }
  socket_->disconnectFromServer();
  if (socket_->state() != QLocalSocket::UnconnectedState) socket_->waitForDisconnected(timeout_ms);
  return true;
}

}  // namespace kirivane
