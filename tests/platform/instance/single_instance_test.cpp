#include "platform/instance/single_instance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "player/shell/drop_block.h"

namespace kirivane {
namespace {

class SingleInstanceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "platform_tests";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);  // lives for the whole test program
  }

  SingleInstanceTest() {
    QObject::connect(&player, &SingleInstance::HandOffReceived, [this](const QStringList& files) {
      received.push_back(files.join('|').toStdString());
    });
  }

  // Runs the event loop until the condition holds or the time is up.
  bool WaitUntil(const std::function<bool()>& condition, int ms = 3000) {
    QDeadlineTimer deadline(ms);
    while (!condition() && !deadline.hasExpired())
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
  }
  // A second start in a thread of its own: connects, hands the path over and closes.
  void SecondStart(const QString& file) {
    bool sent = false;
    std::thread start([&] {
      HandOffClient client;
      sent = client.Connect(path, 1000) && client.SendFile(file, 1000);
    });
    const std::size_t before = received.size();
    WaitUntil([&] { return received.size() > before; });
    start.join();
    EXPECT_TRUE(sent);
  }
  // A stranger's raw connection that writes bytes and either closes or stays open.
  std::unique_ptr<QLocalSocket> Stranger(const QByteArray& bytes, bool close) {
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(path);
    EXPECT_TRUE(socket->waitForConnected(1000));
    socket->write(bytes);
    socket->waitForBytesWritten(1000);
    if (close) socket->disconnectFromServer();
    return socket;
  }

  QTemporaryDir dir;
  QString path = dir.path() + "/kirivane.socket";
  SingleInstance player{path};
  std::vector<std::string> received;  // each hand-off's files, joined by '|'
};

TEST_F(SingleInstanceTest, ASecondStartHandsItsFileToTheRunningPlayer) {
  QString error;
  ASSERT_TRUE(player.Listen(&error)) << error.toStdString();
  const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                    QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
  EXPECT_EQ(QFileInfo(path).permissions() & others, QFile::Permissions());

  SingleInstance second(path);  // another player started now must not take the socket over
  EXPECT_FALSE(second.Listen(&error));

  SecondStart("/music/song.lyr");
  SecondStart("take 2.mid");  // a relative name is made absolute where it was typed
  SecondStart("");            // no file: only to the front
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[0], "/music/song.lyr");
  EXPECT_EQ(received[1], QDir::current().absoluteFilePath("take 2.mid").toStdString());
  EXPECT_EQ(received[2], "");
}

TEST_F(SingleInstanceTest, GarbageSilenceAndFloodsChangeNothing) {
  // A socket left by a crashed player is replaced; a file that is no socket of ours is not.
  {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(path).constData(),
                 sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
  }
  ASSERT_TRUE(QFileInfo::exists(path));
  player.SetReadTimeout(300);
  ASSERT_TRUE(player.Listen());

  const std::vector<std::uint8_t> valid = BuildDropBlock("/music/song.lyr");
  const QByteArray whole(reinterpret_cast<const char*>(valid.data()),
                         static_cast<int>(valid.size()));
  auto garbage = Stranger("hello, player\n", true);
  auto cut = Stranger(whole.left(whole.size() - 3), true);  // no end of list
  auto silent = Stranger(QByteArray(), false);              // connects and never speaks
  auto slow = Stranger(whole, false);                       // never closes: dropped at the deadline
  auto flood = Stranger(whole.left(20) + QByteArray(80 * 1024, 'a'), false);
  SecondStart("/music/other.lyr");  // not held up by the strangers
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0], "/music/other.lyr");

  EXPECT_TRUE(WaitUntil([&] {
    return silent->state() == QLocalSocket::UnconnectedState &&
           slow->state() == QLocalSocket::UnconnectedState &&
           flood->state() == QLocalSocket::UnconnectedState;
  }));
  WaitUntil([] { return false; }, 100);
  EXPECT_EQ(received.size(), 1u);

  QTemporaryDir other_dir;
  const QString plain = other_dir.path() + "/kirivane.socket";
  QFile file(plain);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  SingleInstance squatted(plain);
  EXPECT_FALSE(squatted.Listen());
  EXPECT_TRUE(QFileInfo(plain).isFile());
  EXPECT_FALSE(HandOffClient().Connect(plain, 200));
}

}  // namespace
}  // namespace kirivane
