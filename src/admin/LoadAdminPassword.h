#pragma once

namespace app {
struct App;
}

namespace admin {

// The administrator password := the text of "admin_pwd.vlok", read as a
// settings file (its first few KiB); the empty text when the file is missing
// or unreadable.
void LoadAdminPassword(app::App& app);

}  // namespace admin
