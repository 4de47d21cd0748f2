#include "draw/NameListRegister.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "app/shared/App.h"
#include "core/SettingFile.h"
#include "core/Text.h"
#include "draw/RegisterFile.h"
#include "i18n/Messages.h"

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
  // Read and split the same way the draw does, so that the lines offered are
  // the lines the draw counts.
  const RegisterRead read = ReadRegister(files);
  bool cutShort = !read.whole;
  for (const std::string& line : read.lines) {
    if (line.empty()) {
      cutShort = false;  // the list ends here whatever follows
      break;
    }
    app.ui.AddItem(list, line);
  }
  const int64_t position = text::ToInt(core::ReadSetting(files, kChoiceFile));
  app.ui.SetSelection(list, static_cast<int>(std::max<int64_t>(position - 1, -1)));
  // Said before anything can be chosen, in a box of its own: an item in the
  // list could be taken for a name list, and picking it would store a line
  // that was never read.
  if (cutShort) {
    static const std::string kTitle = text::Gbk("信息：");
    const std::string shown = text::FromInt(static_cast<int64_t>(read.lines.size()));
    app.ui.ShowMessage(
        list.window, i18n::Say(app.language, i18n::msg::kRegisterCutShort, {kRegisterFile, shown}),
        kTitle);
  }
}

std::string ChoiceText(int selectedIndex) {
  return text::FromInt(static_cast<int64_t>(selectedIndex) + 1);
}

}  // namespace draw
