#include "admin/LoadAdminPassword.h"

#include "app/shared/App.h"
#include "core/SettingFile.h"

namespace admin {

void LoadAdminPassword(app::App& app) {
  app.state.adminPassword = core::ReadSetting(app.files, "admin_pwd.vlok");
}

}  // namespace admin
