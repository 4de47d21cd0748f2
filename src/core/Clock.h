#pragma once

#include <cstdint>

namespace core {

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The current local time and the millisecond tick count; tests replace it.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  virtual uint32_t TickCount() = 0;  // milliseconds since the system started, wrapping
};

class SystemClock final : public Clock {
 public:
  LocalTime Now() override;
  uint32_t TickCount() override;
};

}  // namespace core
