#pragma once

#include <span>

#include "ui/ControlSpec.h"
#include "ui/catalogue/AdminLoginWindow.h"
#include "ui/catalogue/AdminPasswordSetupWindow.h"
#include "ui/catalogue/AdminSettingsWindow.h"
#include "ui/catalogue/CountdownDoneWindow.h"
#include "ui/catalogue/DrawResultWindow.h"
#include "ui/catalogue/MainWindow.h"
#include "ui/catalogue/NameListPickerWindow.h"
#include "ui/catalogue/RootSettingsWindow.h"
#include "ui/catalogue/SplashWindow.h"
#include "ui/catalogue/UpdaterWindow.h"

namespace ui {

// The declaration of a window: its attributes and its controls.
const WindowSpec& Window(WindowId id);
// Every window of the catalogue, in the order of WindowId.
std::span<const WindowSpec* const> AllWindows();

}  // namespace ui
