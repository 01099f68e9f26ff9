#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class QSocketNotifier;

namespace kirivane {

// The per-user socket of the running player: $XDG_RUNTIME_DIR/kirivane.socket, or, where the
// desktop gives no runtime folder, kirivane-<uid>.socket in the temporary folder.
QString DefaultInstanceSocketPath();

// The first player listens on a local (Unix) socket that only its own user may connect to; plain
// sockets watched by the event loop, so that the player needs no network library. A second
// start connects, sends one drop block (see player/shell/drop_block.h) and closes; the running
// player reads the block to the end of the connection and, when it is well formed, reports its
// file list. Anything else a connection sends is dropped and changes nothing.
class SingleInstance : public QObject {
  Q_OBJECT

 public:
  explicit SingleInstance(QString socket_path, QObject* parent = nullptr);
  ~SingleInstance() override;

  // Starts listening. A socket file that no player answers on (left by a crash) is replaced,
  // but only when it belongs to this user. Returns false when another player listens already
  // or the socket cannot be made; error then says why.
  bool Listen(QString* error = nullptr);
  bool IsListening() const { return listener_ >= 0; }

  // How long a connection may take to deliver its block before it is dropped.
  void SetReadTimeout(int milliseconds) { read_timeout_ms_ = milliseconds; }

 signals:
  // A well-formed block arrived: bring the window to the front and, when files is not empty,
  // treat the files as dropped on the window.
  void HandOffReceived(const QStringList& files);

 private:
  void AcceptConnections();
  void Watch(int connection);
  void Finish(const QByteArray& block);

  QString path_;
  int listener_ = -1;
  QSocketNotifier* accept_notifier_ = nullptr;
  int read_timeout_ms_ = 3000;
};

// The second start's side: connects to the running player, if there is one, and hands it a
// path. Blocking, with timeouts; no event loop needed.
class HandOffClient {
 public:
  HandOffClient();
  ~HandOffClient();
  HandOffClient(const HandOffClient&) = delete;
  HandOffClient& operator=(const HandOffClient&) = delete;

  // True when a player of this user listens at the path.
  bool Connect(const QString& socket_path, int timeout_ms);
  // Sends the block for the path (made absolute against the current folder; empty = only
  // bring the player to the front) and closes. True when every byte was delivered.
  bool SendFile(const QString& path, int timeout_ms);
  bool SendBlock(const std::vector<std::uint8_t>& block, int timeout_ms);

 private:
  int socket_ = -1;
};

}  // namespace kirivane
