#pragma once

#include <functional>
#include <memory>

#include "ui/Driver.h"
#include "ui/FontFaces.h"
#include "ui/Layer.h"

namespace ui {

// Starts the window system and makes the font faces available before the
// first window is built. Ends the program with a message on the terminal when
// there is no display to show windows on.
void InitBackend(int& argc, char** argv, const FontFaces& faces);

// For tests: starts the window system without a screen (or, with onDisplay,
// on the display that DISPLAY names), runs body on a second thread while this
// thread delivers the window system's events, and returns body's result once
// it has finished.
int RunWithUiThread(int& argc, char** argv, const FontFaces& faces,
                    const std::function<int()>& body, bool onDisplay = false);

// For tests: the driver that acts as the user on the windows of layer.
std::unique_ptr<Driver> CreateDriver(Layer& layer);

}  // namespace ui

namespace ui {

// For tests: runs fn on the UI thread and waits for it to return.
void RunOnUiThread(const std::function<void()>& fn);

}  // namespace ui
