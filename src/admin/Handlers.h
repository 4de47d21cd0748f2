#pragma once

namespace app {
struct App;
}

namespace admin {

// The administrator and super-user doors.
void OnAdminSettingsClick(app::App& app);
void OnSetAdminPasswordClick(app::App& app);
void OnAdminLoginClick(app::App& app);
void OnRootSettingsClick(app::App& app);

// The administrator settings window.
void OnAdminSettingsWindowCreated(app::App& app);
void OnSaveFakeEndClick(app::App& app);
void OnBrowseSplashPictureClick(app::App& app);
void OnSaveSplashPictureClick(app::App& app);
void OnRewardOnClick(app::App& app);
void OnRewardOffClick(app::App& app);

// The super-user settings window.
void OnRootSettingsWindowCreated(app::App& app);
void OnSaveSplashOptionsClick(app::App& app);

}  // namespace admin
