#pragma once

#include <fcntl.h>
#include <jack/jack.h>
#include <signal.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace kirivane::testing {

// A private JACK server with the dummy driver (no sound card needed), started for one test and
// stopped when the object goes. It runs under its own server name, which becomes this
// process's default server (JACK_DEFAULT_SERVER) so that every JACK client of the test uses it.
class JackServer {
 public:
  JackServer() = default;
  ~JackServer() { Stop(); }
  JackServer(const JackServer&) = delete;
  JackServer& operator=(const JackServer&) = delete;

  // Starts jackd and waits (at most timeout_ms) until a client can connect.
  bool Start(int timeout_ms, std::string* error);
  void Stop();
  const std::string& Name() const { return name_; }

 private:
  pid_t pid_ = -1;
  std::string name_;
};

namespace jack_detail {

inline bool ServerAnswers() {
  jack_status_t status;
  jack_client_t* client = jack_client_open("kirivane-probe", JackNoStartServer, &status);
  if (client == nullptr) return false;
  jack_client_close(client);
  return true;
}

}  // namespace jack_detail

inline bool JackServer::Start(int timeout_ms, std::string* error) {
  name_ = "kirivane-test-" + std::to_string(getpid());
  setenv("JACK_DEFAULT_SERVER", name_.c_str(), 1);
  setenv("JACK_NO_START_SERVER", "1", 1);
  std::vector<std::string> args{"jackd", "--no-realtime", "-n", name_, "-d", "dummy",
                                "-r",    "48000",         "-p", "256"};
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const int spawned = posix_spawnp(&pid_, "jackd", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    pid_ = -1;
    *error = "jackd cannot be started";
    return false;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      *error = "jackd ended at once";
      return false;
    }
    if (jack_detail::ServerAnswers()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  *error = "jackd did not answer within " + std::to_string(timeout_ms) + " ms";
  Stop();
  return false;
}

inline void JackServer::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  for (int i = 0; i < 100; ++i) {
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

}  // namespace kirivane::testing
