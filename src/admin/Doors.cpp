#include <string>

#include "admin/Handlers.h"
#include "app/shared/App.h"
#include "core/SettingFile.h"
#include "core/Text.h"
#include "i18n/Messages.h"
#include "ui/Catalogue.h"

namespace admin {
namespace {

constexpr const char* kPasswordFile = "admin_pwd.vlok";
constexpr const char* kSuperUserMarker = "root/root.vlok";

namespace setup = ui::AdminPasswordSetupWindow;
namespace login = ui::AdminLoginWindow;

}  // namespace

// The first use asks for a new password and then, once it is stored, for the
// password at once; later uses go straight to the login.
void OnAdminSettingsClick(app::App& app) {
  if (!app.files.Exists(kPasswordFile))
    app.ui.LoadWindow(setup::kWindow, ui::kNoOwner, /*modal=*/true);
  if (app.files.Exists(kPasswordFile))
    app.ui.LoadWindow(login::kWindow, ui::kNoOwner, /*modal=*/true);
}

void OnSetAdminPasswordClick(app::App& app) {
  const std::string password = app.ui.Text(setup::编辑框1);
  if (password != app.ui.Text(setup::编辑框2)) return;
  if (!app.files.Write(kPasswordFile, password)) {
    app.ui.ShowMessage(setup::kWindow, i18n::Say(app.language, i18n::msg::kPasswordNotSaved),
                       "admin");
    return;
  }
  // What the next start reads back from the file.
  app.state.adminPassword = core::SettingText(password);
  static const std::string kDone = text::Gbk("设置成功");
  app.ui.ShowMessage(setup::kWindow, kDone, "admin");
  app.ui.CloseWindow(setup::kWindow);
}

// A password is read back from its file as far as a settings file is read;
// a longer one typed in full is cut the same way, so it still passes.
void OnAdminLoginClick(app::App& app) {
  if (core::SettingText(app.ui.Text(login::编辑框1)) != app.state.adminPassword) {
    static const std::string kFailed = text::Gbk("admin登录失败，请检查密码"),
                             kTitle = text::Gbk("失败");
    app.ui.ShowMessage(login::kWindow, kFailed, kTitle);
    return;
  }
  static const std::string kPassed = text::Gbk("admin登录成功"), kTitle = text::Gbk("成功");
  app.ui.ShowMessage(login::kWindow, kPassed, kTitle);
  app.ui.LoadWindow(ui::WindowId::AdminSettingsWindow, ui::kNoOwner, /*modal=*/true);
  app.ui.CloseWindow(login::kWindow);
}

// The marker is placed by hand; without it the button does nothing.
void OnRootSettingsClick(app::App& app) {
  if (app.files.Exists(kSuperUserMarker)) {
    app.ui.LoadWindow(ui::WindowId::RootSettingsWindow, ui::WindowId::MainWindow, /*modal=*/false);
  }
}

}  // namespace admin
