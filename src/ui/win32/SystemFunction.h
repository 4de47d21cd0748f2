#pragma once

#include <windows.h>

namespace ui::win32 {

// A function of a system library that not every Windows the program runs on
// has, looked up as the program runs; nullptr where the system lacks it. The
// program's imports name nothing newer than Windows 7, so it starts there.
template <typename Function>
Function SystemFunction(HMODULE library, const char* name) {
  if (!library) return nullptr;
  // Through a function type that takes any other without a warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

}  // namespace ui::win32
