#pragma once

#include <windows.h>

namespace core {

// The errno value that says what a Windows error code says, for the callers
// that explain a failed save; EIO for causes without one.
int ErrnoFromSystemError(DWORD error);

}  // namespace core
