#include "desktop/VirtualDesktop.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>

extern char** environ;

namespace testing_support {
namespace {

VirtualDesktop* g_current = nullptr;

// Starts a program found on PATH; -1 when it cannot. fdToKeep stays open in it.
pid_t Spawn(const std::vector<std::string>& args, int fdToKeep = -1) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);
  for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
    posix_spawn_file_actions_adddup2(&actions, devNull, fd);
  pid_t pid = -1;
  if (fdToKeep >= 0) fcntl(fdToKeep, F_SETFD, 0);
  const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(devNull);
  return error == 0 ? pid : -1;
}

bool Running(pid_t pid) {
  return pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0;
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  for (int i = 0; i < 50 && Running(pid); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  if (Running(pid)) kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

std::string Output(const std::string& command) {
  std::string out;
  // UTF-8 property texts come out as they are.
  if (FILE* pipe = popen(("LC_ALL=C.UTF-8 " + command + " 2>/dev/null").c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

std::string Hex(uint64_t window) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(window));
  return text;
}

// The window ids after "# " in xprop's answer.
std::vector<uint64_t> WindowIds(const std::string& answer) {
  std::vector<uint64_t> ids;
  const auto hash = answer.find("# ");
  if (hash == std::string::npos) return ids;
  std::istringstream in(answer.substr(hash + 2));
  std::string item;
  while (std::getline(in, item, ',')) ids.push_back(std::strtoull(item.c_str(), nullptr, 16));
  return ids;
}

}  // namespace

std::unique_ptr<VirtualDesktop> VirtualDesktop::Start(std::string& why) {
  std::unique_ptr<VirtualDesktop> desktop(new VirtualDesktop);
  // The server writes its display number to the pipe once it takes clients.
  int ready[2];
  if (pipe2(ready, O_CLOEXEC) != 0) {
    why = "no pipe";
    return nullptr;
  }
  desktop->server_ = Spawn({"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0",
                            "1280x800x24", "-nolisten", "tcp", "-noreset"},
                           ready[1]);
  close(ready[1]);
  std::string number;
  pollfd wait{ready[0], POLLIN, 0};
  while (desktop->server_ > 0 && poll(&wait, 1, 10000) > 0) {
    char c;
    if (read(ready[0], &c, 1) != 1 || c == '\n') break;
    number += c;
  }
  close(ready[0]);
  if (number.empty()) {
    why = "Xvfb did not start";
    return nullptr;
  }
  setenv("DISPLAY", (":" + number).c_str(), 1);
  desktop->windowManager_ = Spawn({"openbox", "--sm-disable"});
  const bool managed = desktop->windowManager_ > 0 && WaitFor([&] {
                         return Running(desktop->windowManager_) &&
                                !WindowIds(Output("xprop -root _NET_SUPPORTING_WM_CHECK")).empty();
                       });
  if (!managed) {
    why = "openbox did not start (or xprop is missing)";
    return nullptr;
  }
  g_current = desktop.get();
  return desktop;
}

VirtualDesktop::~VirtualDesktop() {
  if (g_current == this) g_current = nullptr;
  Stop(windowManager_);
  Stop(server_);
}

VirtualDesktop* VirtualDesktop::Current() {
  return g_current;
}

std::vector<uint64_t> VirtualDesktop::Stacking() const {
  return WindowIds(Output("xprop -root _NET_CLIENT_LIST_STACKING"));
}

uint64_t VirtualDesktop::ActiveWindow() const {
  const auto ids = WindowIds(Output("xprop -root _NET_ACTIVE_WINDOW"));
  return ids.empty() ? 0 : ids.front();
}

uint64_t VirtualDesktop::TransientFor(uint64_t window) const {
  const auto ids = WindowIds(Output("xprop -id " + Hex(window) + " WM_TRANSIENT_FOR"));
  return ids.empty() ? 0 : ids.front();
}

std::optional<std::string> VirtualDesktop::Property(uint64_t window,
                                                    const std::string& name) const {
  const std::string answer = Output("xprop -id " + Hex(window) + " " + name);
  const auto equals = answer.find(" =");
  if (equals == std::string::npos) return std::nullopt;
  std::string value = answer.substr(equals + 2);
  while (!value.empty() && (value.back() == '\n' || value.back() == ' ')) value.pop_back();
  while (!value.empty() && value.front() == ' ') value.erase(0, 1);
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  return value;
}

std::vector<long> VirtualDesktop::Cardinals(uint64_t window, const std::string& name) const {
  std::vector<long> values;
  std::istringstream in(Property(window, name).value_or(""));
  std::string item;
  while (std::getline(in, item, ',')) values.push_back(std::strtol(item.c_str(), nullptr, 0));
  return values;
}

void VirtualDesktop::ClickAt(int x, int y) const {
  Output("xdotool mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " click 1");
}

namespace {

std::string Seconds(std::chrono::milliseconds ms) {
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.3f", static_cast<double>(ms.count()) / 1000);
  return seconds;
}

}  // namespace

void VirtualDesktop::ClickAt(int x, int y, std::chrono::milliseconds held,
                             bool busyWindowManager) const {
  DragAt(x, y, 0, 0, held, busyWindowManager);
}

void VirtualDesktop::DragAt(int x, int y, int dx, int dy, std::chrono::milliseconds pause,
                            bool busyWindowManager) const {
  std::string command =
      "xdotool mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " mousedown 1";
  const int steps = dx == 0 && dy == 0 ? 1 : 8;
  for (int step = 1; step <= steps; ++step) {
    command += " sleep " + Seconds(pause);
    if (dx != 0 || dy != 0)
      command += " mousemove " + std::to_string(x + dx * step / steps) + " " +
                 std::to_string(y + dy * step / steps);
  }
  if (busyWindowManager) kill(windowManager_, SIGSTOP);
  Output(command + " mouseup 1");
  if (busyWindowManager) {
    // The program has had the button meanwhile.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    kill(windowManager_, SIGCONT);
  }
}

void VirtualDesktop::MovePointerTo(int x, int y) const {
  Output("xdotool mousemove --sync " + std::to_string(x) + " " + std::to_string(y));
}

std::pair<int, int> VirtualDesktop::Position(uint64_t window) const {
  const std::string shell = Output("xdotool getwindowgeometry --shell " + std::to_string(window));
  auto value = [&shell](const std::string& name) {
    const auto at = shell.find(name + "=");
    return at == std::string::npos ? -1 : std::atoi(shell.c_str() + at + name.size() + 1);
  };
  return {value("X"), value("Y")};
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

}  // namespace testing_support
