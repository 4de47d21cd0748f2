#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace app {

// The program-wide state: created before any window, released at the end.
struct AppState {
  int32_t lastDrawnNumber = 0;
  std::vector<std::string> firstDrawList;  // register lines of the last draw that used the register
  std::vector<std::string> secondDrawList;  // names of the list used by the last draw
  std::string lastAnnouncement;
  std::string lastDrawnName;
  std::string formOfAddress;  // "CH.vlok" as read at start
  std::string adminPassword;
  int32_t countdownSeconds = 0;
};

}  // namespace app
