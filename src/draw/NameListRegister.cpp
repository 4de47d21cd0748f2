#include "draw/NameListRegister.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "app/App.h"
#include "core/Text.h"
#include "draw/NameListFile.h"

namespace draw {

bool AppendToRegister(app::App& app, std::string_view path) {
  auto& files = app.files;
  const int file = files.OpenFile(files.Path(kRegisterFile), core::FileStore::kWriteCreate);
  if (file == 0) return false;
  files.SeekToEnd(file);
  const bool written = files.WriteLine(file, path);
  files.CloseFile(file);
  return written;
}

std::filesystem::path RegisteredPath(app::App& app, std::string_view line) {
  const std::filesystem::path path = core::FileStore::PathFromText(line);
  return path.is_relative() ? app.files.RunDirectory() / path : path;
}

bool IsRegistrablePath(app::App& app, std::string_view path) {
  return path.find('?') == std::string_view::npos ||
         app.files.FileExists(RegisteredPath(app, path));
}

void FillFromRegister(app::App& app, ui::ControlId list) {
  auto& files = app.files;
  // Read whole and split the same way the draw splits it, so that the lines
  // offered are the lines the draw counts.
  for (const std::string& line : RegisterLines(files.ReadWholeFile(files.Path(kRegisterFile)))) {
    if (line.empty()) break;
    app.ui.AddItem(list, line);
  }
  const int64_t position = text::ToInt(files.Read(kChoiceFile));
  app.ui.SetSelection(list, static_cast<int>(std::max<int64_t>(position - 1, -1)));
}

std::string ChoiceText(int selectedIndex) {
  return text::FromInt(static_cast<int64_t>(selectedIndex) + 1);
}

}  // namespace draw
