#include <windows.h>

#include <ctime>

#include "core/Clock.h"

namespace core {

LocalTime SystemClock::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_s(&local, &now);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

// Milliseconds since Windows started, wrapping after 49.7 days like the
// tick count everywhere else in the program.
uint32_t SystemClock::TickCount() {
  return GetTickCount();
}

}  // namespace core
