#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Ids.h"

namespace app {

struct App;

// The writes of one save button. A file that cannot be written is collected
// with its reason, and Finish() tells the teacher about all of them in one
// message box, so that a press of "保存" never loses the typed values silently.
class SaveReport {
 public:
  SaveReport(App& app, std::optional<ui::WindowId> owner);
  SaveReport(const SaveReport&) = delete;
  SaveReport& operator=(const SaveReport&) = delete;

  // Writes the run-directory file; returns whether it was written.
  bool Write(std::string_view name, std::string_view bytes);
  // Removes the run-directory file; a file that is not there is no failure.
  bool Delete(std::string_view name);
  // Records a change of the file that failed some other way; errno tells why.
  void Failed(std::string_view name);
  // Shows the message box when a write failed; nothing otherwise.
  void Finish();

 private:
  App& app_;
  std::optional<ui::WindowId> owner_;
  std::vector<std::string> failures_;  // GBK lines: the file and why
};

}  // namespace app
