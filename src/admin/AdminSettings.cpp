#include <string>

#include "admin/Handlers.h"
#include "app/shared/App.h"
#include "app/shared/SaveReport.h"
#include "core/SettingFile.h"
#include "core/Text.h"
#include "draw/NameListRegister.h"
#include "ui/Catalogue.h"

namespace admin {
namespace {

namespace settings = ui::AdminSettingsWindow;

constexpr const char* kPresetFile = "fake_end.vlok";
constexpr const char* kSplashPictureFile = "flash_screen.vlok";
constexpr const char* kRewardFile = "ynreward.vlok";

// Writes the file; a failed write is said over the window.
void Save(app::App& app, const char* name, const std::string& content) {
  app::SaveReport report(app, settings::kWindow);
  report.Write(name, content);
  report.Finish();
}

}  // namespace

// The switch shows what the draw will do: the draw gives rewards for every
// content but exactly "no", a missing file included.
void OnAdminSettingsWindowCreated(app::App& app) {
  draw::FillFromRegister(app, settings::组合框1);
  const bool rewardOff = core::ReadSetting(app.files, kRewardFile) == "no";
  app.ui.SetChecked(settings::单选框2, !rewardOff);
  app.ui.SetChecked(settings::单选框1, rewardOff);
}

void OnSaveFakeEndClick(app::App& app) {
  Save(app, kPresetFile, app.ui.Text(settings::编辑框1));
}

void OnBrowseSplashPictureClick(app::App& app) {
  static const std::string kPrompt = text::Gbk("选一张图片（建议白底）");
  app.ui.SetText(settings::编辑框2, app.ui.BrowseForPath(kPrompt));  // "" when cancelled
}

void OnSaveSplashPictureClick(app::App& app) {
  Save(app, kSplashPictureFile, app.ui.Text(settings::编辑框2));
}

void OnRewardOnClick(app::App& app) {
  Save(app, kRewardFile, "yes");
}

void OnRewardOffClick(app::App& app) {
  Save(app, kRewardFile, "no");
}

}  // namespace admin
