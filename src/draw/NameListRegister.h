#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "ui/Ids.h"

namespace app {
struct App;
}

namespace draw {

// The register of name-list files, "namelist_record.vlok" (one path per line,
// CR LF after each, only ever appended to), and the list choice,
// "namelist_to_use.vlok" (the 1-based register line in use, "0" for none).
inline constexpr const char* kRegisterFile = "namelist_record.vlok";
inline constexpr const char* kChoiceFile = "namelist_to_use.vlok";

// The file a register line names; a relative path is taken from the run
// directory, where the register itself lives.
std::filesystem::path RegisteredPath(app::App& app, std::string_view line);

// Whether a path can be registered: a character that GBK cannot hold reaches
// the program as "?", and a path holding one names no file unless a file of
// that very name exists.
bool IsRegistrablePath(app::App& app, std::string_view path);

// Appends a path line to the register, creating it when missing; false when
// the register cannot be opened or written.
bool AppendToRegister(app::App& app, std::string_view path);

// Adds the register's lines (ReadRegister) as items of a combo or list box,
// up to the first empty line, then selects the stored choice (its p-th item;
// the layer clamps a position beyond the last item). When the lines read end
// before the list does, a message box over the list's window says so.
void FillFromRegister(app::App& app, ui::ControlId list);

// The list choice to store for a list's selected index (0-based, -1 for
// none): the 1-based position, "0" when nothing is selected.
std::string ChoiceText(int selectedIndex);

}  // namespace draw
