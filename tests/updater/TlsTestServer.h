#pragma once

// A real HTTPS server on loopback for the updater's tests: "openssl s_server
// -HTTP" serving files from a temporary folder, with a test authority and a
// server certificate for 127.0.0.1 made with openssl when the server starts.
// Only clients given CaPem() trust it. Each served file holds the whole HTTP
// response, so tests can answer with any status, header or cut-off body.

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>

extern char** environ;

namespace testing_support {

class TlsTestServer {
 public:
  TlsTestServer() : root_(MakeTempDir()) {
    std::filesystem::create_directories(root_ / "www" / "assets");
    MakeCertificates();
    for (int attempt = 0; attempt < 3 && pid_ <= 0; ++attempt) Launch();
    if (pid_ <= 0) throw std::runtime_error("openssl s_server did not start");
  }

  ~TlsTestServer() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }

  TlsTestServer(const TlsTestServer&) = delete;
  TlsTestServer& operator=(const TlsTestServer&) = delete;

  int Port() const { return port_; }
  std::string Origin() const { return "https://127.0.0.1:" + std::to_string(port_) + "/"; }
  std::string BaseUrl() const { return Origin() + "assets/"; }
  const std::string& CaPem() const { return caPem_; }
  // The authority's certificate of a second, unrelated test authority.
  std::string OtherCaPem() const { return ReadFile(root_ / "other-ca.pem"); }

  // Answers GET /assets/<path> with the whole response text.
  void ServeRaw(std::string_view path, std::string_view response) const {
    const std::filesystem::path file = root_ / "www" / "assets" / std::filesystem::path(path);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        .write(response.data(), static_cast<std::streamsize>(response.size()));
  }
  // 200 with the body and its length.
  void Serve(std::string_view path, std::string_view body) const {
    ServeRaw(path, "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                       std::to_string(body.size()) + "\r\n\r\n" + std::string(body));
  }
  void ServeStatus(std::string_view path, int status) const {
    ServeRaw(path, "HTTP/1.0 " + std::to_string(status) + " Test\r\nContent-Length: 0\r\n\r\n");
  }
  void ServeRedirect(std::string_view path, const std::string& location) const {
    ServeRaw(path, "HTTP/1.0 302 Found\r\nLocation: " + location + "\r\nContent-Length: 0\r\n\r\n");
  }

 private:
  static std::filesystem::path MakeTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "brevant-tls-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    return pattern;
  }

  static std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  void MakeCertificates() {
    const std::string dir = root_.string();
    const std::string ec = " -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
    const std::string script =
        "cd '" + dir +
        "' && "
        "openssl req -x509" +
        ec +
        " -keyout ca.key -out ca.pem -days 2 -subj '/CN=Brevant Test CA'"
        " -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign "
        "&& "
        "openssl req -x509" +
        ec +
        " -keyout other-ca.key -out other-ca.pem -days 2 -subj '/CN=Other CA'"
        " -addext basicConstraints=critical,CA:TRUE && "
        "openssl req" +
        ec +
        " -keyout server.key -out server.csr -subj '/CN=127.0.0.1' && "
        "printf "
        "'subjectAltName=IP:127.0.0.1\\nbasicConstraints=CA:FALSE\\nextendedKeyUsage=serverAuth\\n'"
        " > server.ext && "
        "openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2"
        " -extfile server.ext -out server.pem";
    if (std::system(("(" + script + ") >/dev/null 2>&1").c_str()) != 0) {
      throw std::runtime_error("openssl could not make the test certificates");
    }
    caPem_ = ReadFile(root_ / "ca.pem");
  }

  // A port that was free a moment ago.
  static int FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
      port = ntohs(address.sin_port);
    }
    ::close(fd);
    return port;
  }

  // Starts s_server in the www folder and waits (at most 10 s) until it listens.
  void Launch() {
    port_ = FreePort();
    const std::string log = (root_ / "server.log").string();
    const std::string www = (root_ / "www").string();
    const std::string accept = "127.0.0.1:" + std::to_string(port_);
    const std::string cert = (root_ / "server.pem").string(), key = (root_ / "server.key").string();
    std::remove(log.c_str());

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, www.c_str());
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const char* argv[] = {"openssl", "s_server",   "-HTTP", "-accept",   accept.c_str(),
                          "-cert",   cert.c_str(), "-key",  key.c_str(), nullptr};
    pid_t pid = 0;
    const int failed =
        ::posix_spawnp(&pid, "openssl", &actions, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) return;

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      if (ReadFile(log).find("ACCEPT") != std::string::npos) {
        pid_ = pid;
        return;
      }
      if (::waitpid(pid, nullptr, WNOHANG) == pid) return;  // the port was taken meanwhile
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
  }

  std::filesystem::path root_;
  std::string caPem_;
  int port_ = 0;
  pid_t pid_ = -1;
};

}  // namespace testing_support
