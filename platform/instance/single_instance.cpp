#include "platform/instance/single_instance.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <chrono>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "player/shell/drop_block.h"

namespace kirivane {

namespace {

constexpr int kProbeTimeoutMs = 500;
constexpr int kListenBacklog = 8;

enum class SocketFile { kMissing, kMine, kForeign };

// What lies at the socket path: nothing, a socket of this user, or anything else (another
// user's socket, a plain file, a link), which is never used or removed.
SocketFile InspectSocketFile(const QString& path) {
  struct stat info {};
  if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return SocketFile::kMissing;
  return S_ISSOCK(info.st_mode) && info.st_uid == ::getuid() ? SocketFile::kMine
                                                             : SocketFile::kForeign;
}

// The address of the path, or nothing when the path is too long for one.
std::optional<sockaddr_un> AddressOf(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (name.isEmpty() || static_cast<std::size_t>(name.size()) >= sizeof address.sun_path) {
    return std::nullopt;
  }
  std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
  return address;
}

int NewSocket() {
  return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

// Waits until the socket is ready for the events or the time is up.
bool WaitFor(int fd, short events, int timeout_ms) {
  pollfd watched{fd, events, 0};
  int ready = 0;
  do {
    ready = ::poll(&watched, 1, timeout_ms);
  } while (ready < 0 && errno == EINTR);
  return ready > 0 && (watched.revents & (events | POLLHUP | POLLERR)) != 0;
}

// A connected socket to the path, or -1.
int ConnectTo(const QString& path, int timeout_ms) {
  const auto address = AddressOf(path);
  if (!address) return -1;
  const int fd = NewSocket();
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0) return fd;
  if ((errno == EAGAIN || errno == EINPROGRESS) && WaitFor(fd, POLLOUT, timeout_ms)) {
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0) return fd;
  }
  ::close(fd);
  return -1;
}

bool SomeoneAnswers(const QString& path) {
  const int fd = ConnectTo(path, kProbeTimeoutMs);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

}  // namespace

QString DefaultInstanceSocketPath() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return runtime + "/kirivane.socket";
  return QDir::tempPath() + QString("/kirivane-%1.socket").arg(::getuid());
}

// --- the running player ---------------------------------------------------------------------

SingleInstance::SingleInstance(QString socket_path, QObject* parent)
    : QObject(parent), path_(std::move(socket_path)) {}

SingleInstance::~SingleInstance() {
  if (listener_ < 0) return;
  delete accept_notifier_;
  ::close(listener_);
  ::unlink(QFile::encodeName(path_).constData());
}

bool SingleInstance::Listen(QString* error) {
  const auto fail = [&](const QString& why) {
    if (error != nullptr) *error = why;
    return false;
  };
  if (listener_ >= 0) return true;
  const QByteArray name = QFile::encodeName(path_);
  switch (InspectSocketFile(path_)) {
    case SocketFile::kForeign:
      return fail(QString("%1 belongs to someone else").arg(path_));
    case SocketFile::kMine:
      // Listening would quietly take the name from a player that still runs, so ask first.
      if (SomeoneAnswers(path_)) return fail("another player is running");
      ::unlink(name.constData());
      break;
    case SocketFile::kMissing:
      break;
  }
  const auto address = AddressOf(path_);
  if (!address) return fail(QString("%1: the path is too long for a socket").arg(path_));
  const int fd = NewSocket();
  if (fd < 0) return fail(QString::fromLocal8Bit(std::strerror(errno)));
  // Only this user may connect: the mode is set before anyone can connect (before listen).
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 ||
      ::chmod(name.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd, kListenBacklog) != 0) {
    const QString why = QString("%1: %2").arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
    ::close(fd);
    return fail(why);
  }
  listener_ = fd;
  accept_notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  connect(accept_notifier_, &QSocketNotifier::activated, this, &SingleInstance::AcceptConnections);
  return true;
}

void SingleInstance::AcceptConnections() {
  for (;;) {
    const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (connection < 0) return;  // EAGAIN: none waiting
    Watch(connection);
  }
}

// Reads one connection to its end, within the deadline and the size limit, on the event loop.
void SingleInstance::Watch(int connection) {
  struct Reading {
    explicit Reading(int connection) : fd(connection) {}
    ~Reading() { ::close(fd); }
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;
    int fd;
    QByteArray block;
    QSocketNotifier* notifier = nullptr;
    QTimer* deadline = nullptr;
  };
  auto reading = std::make_shared<Reading>(connection);
  reading->notifier = new QSocketNotifier(connection, QSocketNotifier::Read, this);
  reading->deadline = new QTimer(this);
  // Ends the watch: the notifier and the timer go, and with the last of them (whose handlers
  // hold the reading) the socket closes.
  const auto end = [reading] {
    reading->notifier->setEnabled(false);
    reading->notifier->deleteLater();
    reading->deadline->stop();
    reading->deadline->deleteLater();
  };
  reading->deadline->setSingleShot(true);
  connect(reading->deadline, &QTimer::timeout, this, end);
  reading->deadline->start(read_timeout_ms_);
  connect(reading->notifier, &QSocketNotifier::activated, this, [this, reading, end] {
    char buffer[4096];
    for (;;) {
      const ssize_t got = ::read(reading->fd, buffer, sizeof buffer);
      if (got > 0) {
        reading->block.append(buffer, static_cast<qsizetype>(got));
        if (static_cast<std::size_t>(reading->block.size()) > kDropBlockMaxBytes) return end();
        continue;
      }
      if (got < 0 && errno == EINTR) continue;
      if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;  // more to come
      const QByteArray block = got == 0 ? reading->block : QByteArray();
      end();
      if (got == 0) Finish(block);  // the end of the connection: the whole block
      return;
    }
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

HandOffClient::HandOffClient() = default;

HandOffClient::~HandOffClient() {
  if (socket_ >= 0) ::close(socket_);
}

bool HandOffClient::Connect(const QString& socket_path, int timeout_ms) {
  // Only a socket of this user: a name squatted by someone else must not learn our paths.
  if (InspectSocketFile(socket_path) != SocketFile::kMine) return false;
  if (socket_ >= 0) ::close(socket_);
  socket_ = ConnectTo(socket_path, timeout_ms);
  return socket_ >= 0;
}

bool HandOffClient::SendFile(const QString& path, int timeout_ms) {
  const QString absolute = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
  return SendBlock(BuildDropBlock(QFile::encodeName(absolute).toStdString()), timeout_ms);
}

bool HandOffClient::SendBlock(const std::vector<std::uint8_t>& block, int timeout_ms) {
  if (socket_ < 0) return false;
  std::size_t sent = 0;
  while (sent < block.size()) {
    const ssize_t wrote = ::send(socket_, block.data() + sent, block.size() - sent, MSG_NOSIGNAL);
    if (wrote > 0) {
      sent += static_cast<std::size_t>(wrote);
    } else if (wrote < 0 && errno == EINTR) {
      continue;
    } else if (wrote < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!WaitFor(socket_, POLLOUT, timeout_ms)) break;
    } else {
      break;
    }
  }
  // Closing ends the connection: the player reads what was sent up to here, then the end.
  ::close(socket_);
  socket_ = -1;
  return sent == block.size();
}

}  // namespace kirivane
