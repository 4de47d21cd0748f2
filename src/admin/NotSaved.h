#pragma once

#include <string_view>

#include "ui/Ids.h"

namespace app {
struct App;
}

namespace admin {

// Tells the user, in a message box owned by the settings window, that a file
// could not be changed, in the words app::SaveReport uses for whole-file
// writes; for the saves that append to a file or remove one.
void TellNotSaved(app::App& app, ui::WindowId owner, std::string_view file);

}  // namespace admin
