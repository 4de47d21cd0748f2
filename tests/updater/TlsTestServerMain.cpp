// The loopback HTTPS test server as a program of its own, for test programs
// that cannot link it (the Windows build, run under Wine on this machine):
//   brevant-tls-test-server DIR
// writes DIR/ca.pem and DIR/other-ca.pem, then DIR/port once it listens; every
// request head received is appended to DIR/requests.txt. It serves the answers
// of ScriptedDownloads.h until SIGTERM or SIGINT. Beside it runs a web proxy
// (ConnectProxy.h) at DIR/proxy-port that logs to DIR/proxy.txt, and
// DIR/dead-proxy-port names a port where no proxy answers.
#include <signal.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "updater/ConnectProxy.h"
#include "updater/ScriptedDownloads.h"
#include "updater/TlsTestServer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TlsTestServer;
using E = TlsTestServer::Ending;

void WriteFile(const fs::path& path, const std::string& text) {
  const fs::path part = path.string() + ".part";
  std::ofstream(part, std::ios::binary) << text;
  fs::rename(part, path);
}

void Script(TlsTestServer& server) {
  const std::string program = testing_support::ScriptedProgram();
  const std::string length = "Content-Length: " + std::to_string(program.size()) + "\r\n";
  const std::string gzipped =
      std::string("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03", 10) + std::string(5000, 'z');
  const std::string big = testing_support::WindowsProgram(256 * 1024, 'b');
  const std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
  server.Serve("whole/kestrin.exe",
               {.head = "HTTP/1.1 200 OK\r\n" + length + "\r\n", .body = program});
  server.Serve("chunked/kestrin.exe",
               {.head = chunked, .body = "1000\r\n" + program.substr(0, 4096) + "\r\n0\r\n\r\n"});
  server.Serve(
      "missing/kestrin.exe",
      {.head = "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\n", .body = "not found"});
  server.Serve(
      "short/kestrin.exe",
      {.head = "HTTP/1.1 200 OK\r\n" + length + "\r\n", .body = program, .cutAfter = 123457});
  server.Serve("short-reset/kestrin.exe", {.head = "HTTP/1.1 200 OK\r\n" + length + "\r\n",
                                           .body = program,
                                           .cutAfter = 123457,
                                           .ending = E::Reset});
  server.Serve(
      "unframed-fin/kestrin.exe",
      {.head = "HTTP/1.1 200 OK\r\n\r\n", .body = program, .cutAfter = 123457, .ending = E::Fin});
  server.Serve("unframed-whole/kestrin.exe", {.head = "HTTP/1.0 200 OK\r\n\r\n", .body = program});
  server.Serve("chunked-cut/kestrin.exe",
               {.head = chunked,
                .body = "1000\r\n" + testing_support::WindowsProgram(4096, 'c') + "\r\n",
                .repeat = 10,
                .ending = E::Fin});
  server.Serve("error-page/kestrin.exe", testing_support::kErrorPage);
  server.Serve("gzip/kestrin.exe",
               {.head = "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nContent-Length: 5010\r\n\r\n",
                .body = gzipped});
  server.Serve("over-cap/kestrin.exe",
               {.head = "HTTP/1.1 200 OK\r\nContent-Length: 5242880\r\n\r\n",
                .body = big,
                .repeat = 20,
                .pieceBytes = 1 << 20});
  server.Serve(
      "chunked-over-cap/kestrin.exe",
      {.head = chunked, .body = "40000\r\n" + big + "\r\n", .repeat = 20, .pieceBytes = 1 << 20});
  // For the updater window: a newer version, with the line end an editor
  // leaves, and a 1 MiB program sent slowly, so its progress can be watched.
  server.Serve("window/version.txt", "2.8\r\n");
  server.Serve("window/content.txt", "notes");
  server.Serve("window/2.8.1/kestrin.exe",
               {.head = "HTTP/1.1 200 OK\r\nContent-Length: 1048576\r\n\r\n",
                .body = testing_support::WindowsProgram(64 * 1024, 'p'),
                .repeat = 16,
                .pauseMs = 40,
                .pieceBytes = 64 * 1024});
  const std::string port = std::to_string(server.Port());
  server.ServeRedirect("hop/kestrin.exe", server.BaseUrl() + "whole/kestrin.exe");
  server.ServeRedirect("downgrade/kestrin.exe",
                       "http://localhost:" + port + "/assets/whole/kestrin.exe");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  const fs::path dir = argv[1];
  fs::create_directories(dir);
  fs::remove(dir / "port");
  // Blocked before the server's threads start, so they inherit the mask and
  // the signal waits for sigtimedwait below.
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTERM);
  sigaddset(&stop, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stop, nullptr);

  TlsTestServer server;
  Script(server);
  WriteFile(dir / "ca.pem", server.CaPem());
  WriteFile(dir / "other-ca.pem", server.OtherCaPem());
  std::ofstream(dir / "requests.txt", std::ios::trunc).close();
  std::ofstream(dir / "proxy.txt", std::ios::trunc).close();
  testing_support::ConnectProxy proxy(dir / "proxy.txt");
  WriteFile(dir / "proxy-port", std::to_string(proxy.Port()) + "\n");
  WriteFile(dir / "dead-proxy-port", std::to_string(proxy.DeadPort()) + "\n");
  WriteFile(dir / "port", std::to_string(server.Port()) + "\n");

  std::size_t logged = 0;
  const timespec tick{0, 20 * 1000 * 1000};
  while (sigtimedwait(&stop, nullptr, &tick) < 0) {
    const auto requests = server.Requests();
    if (requests.size() == logged) continue;
    std::ofstream log(dir / "requests.txt", std::ios::app | std::ios::binary);
    for (; logged < requests.size(); ++logged) log << requests[logged].head;
  }
  fs::remove(dir / "port");
  return 0;
}
