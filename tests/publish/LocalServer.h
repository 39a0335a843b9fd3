#pragma once
// A test server run as a child process on 127.0.0.1: it is started with its
// command line, prints the port it listens on as its first line of output,
// and is killed with the object (and with the test process).

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace tessaly::publish {

class TLocalServer {
 public:
  explicit TLocalServer(const std::vector<std::string>& command) {
    if (command.empty() || command[0].empty()) throw std::runtime_error("no program for the test server (run scripts/setup)");
    std::vector<char*> argv;
    for (const std::string& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    int out[2];
    if (pipe(out) != 0) throw std::system_error(errno, std::generic_category(), "pipe");
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      execvp(argv[0], argv.data());
      _exit(127);
    }
    close(out[1]);
    if (pid_ < 0) {
      close(out[0]);
      throw std::system_error(errno, std::generic_category(), "fork");
    }
    port_ = ReadPort(out[0]);
    close(out[0]);
    if (port_ == 0) {
      Stop();
      throw std::runtime_error("the test server " + command[0] + " did not start");
    }
  }
  ~TLocalServer() { Stop(); }
  TLocalServer(const TLocalServer&) = delete;
  TLocalServer& operator=(const TLocalServer&) = delete;

  int Port() const { return port_; }

 private:
  static int ReadPort(int fd) {
    std::string text;
    while (text.find('\n') == std::string::npos) {
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 20000) <= 0) return 0;
      char buffer[64];
      ssize_t n = read(fd, buffer, sizeof buffer);
      if (n <= 0) return 0;
      text.append(buffer, static_cast<size_t>(n));
    }
    return std::atoi(text.c_str());
  }
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
  }

  pid_t pid_ = -1;
  int port_ = 0;
};

// A port on 127.0.0.1 that nothing listens on: bound once by us and
// released, so a connection to it is refused.
inline int ClosedLoopbackPort() {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  if (s < 0) throw std::system_error(errno, std::generic_category(), "socket");
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  const bool bound = bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
                     getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0;
  close(s);
  if (!bound) throw std::system_error(errno, std::generic_category(), "bind");
  return ntohs(a.sin_port);
}

}  // namespace tessaly::publish
