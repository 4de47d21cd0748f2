#pragma once

#include <functional>

namespace ui::win32 {

// For the test driver: runs fn on the UI thread after everything posted to it
// so far, without waiting for it.
void PostToUiThread(std::function<void()> fn);
// Waits until the UI thread has handled every message posted to it so far,
// and the messages those posted in turn. Returns false after the time limit.
bool WaitUntilUiIdle();

}  // namespace ui::win32
