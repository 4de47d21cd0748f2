#include "draw/NameListRegister.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "app/App.h"
#include "core/Text.h"

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

void FillFromRegister(app::App& app, ui::ControlId list) {
  auto& files = app.files;
  if (const int file =
          files.OpenFile(files.Path(kRegisterFile), core::FileStore::kReadWriteExisting);
      file != 0) {
    for (std::string line = files.ReadLine(file); !line.empty(); line = files.ReadLine(file)) {
      app.ui.AddItem(list, line);
    }
    files.CloseFile(file);
  }
  const int64_t position = text::ToInt(files.Read(kChoiceFile));
  app.ui.SetSelection(list, static_cast<int>(std::max<int64_t>(position - 1, -1)));
}

std::string ChoiceText(int selectedIndex) {
  return text::FromInt(static_cast<int64_t>(selectedIndex) + 1);
}

}  // namespace draw
