#include "admin/LoadAdminPassword.h"

#include "app/App.h"

namespace admin {

void LoadAdminPassword(app::App& app) {
  app.state.adminPassword = app.files.Read("admin_pwd.vlok");
}

}  // namespace admin
