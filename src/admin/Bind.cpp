#include "admin/Handlers.h"
#include "app/shared/App.h"

namespace admin {

void Bind(app::App& app, ui::HandlerTable& table) {
  table.Bind(ui::Handler::OnAdminSettingsClick, [&app] { OnAdminSettingsClick(app); });
  table.Bind(ui::Handler::OnRootSettingsClick, [&app] { OnRootSettingsClick(app); });
  table.Bind(ui::Handler::OnSetAdminPasswordClick, [&app] { OnSetAdminPasswordClick(app); });
  table.Bind(ui::Handler::OnAdminLoginClick, [&app] { OnAdminLoginClick(app); });
  table.Bind(ui::Handler::OnAdminSettingsWindowCreated,
             [&app] { OnAdminSettingsWindowCreated(app); });
  table.Bind(ui::Handler::OnRootSettingsWindowCreated,
             [&app] { OnRootSettingsWindowCreated(app); });
  table.Bind(ui::Handler::OnSaveFakeEndClick, [&app] { OnSaveFakeEndClick(app); });
  table.Bind(ui::Handler::OnBrowseSplashPictureClick, [&app] { OnBrowseSplashPictureClick(app); });
  table.Bind(ui::Handler::OnSaveSplashPictureClick, [&app] { OnSaveSplashPictureClick(app); });
  table.Bind(ui::Handler::OnRewardOnClick, [&app] { OnRewardOnClick(app); });
  table.Bind(ui::Handler::OnRewardOffClick, [&app] { OnRewardOffClick(app); });
  table.Bind(ui::Handler::OnSaveSplashOptionsClick, [&app] { OnSaveSplashOptionsClick(app); });
}

}  // namespace admin
