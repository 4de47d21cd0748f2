#include "app/ShellHandlers.h"
#include "app/shared/App.h"

namespace shell {

void Bind(app::App& app, ui::HandlerTable& table) {
  table.Bind(ui::Handler::OnMainWindowCreated, [&app] { OnMainWindowCreated(app); });
  table.Bind(ui::Handler::OnSaveDrawSetupClick, [&app] { OnSaveDrawSetupClick(app); });
  table.Bind(ui::Handler::OnCloseMainClick, [&app] { OnCloseMainClick(app); });
  table.Bind(ui::Handler::OnScoreNavClick, [&app] { OnScoreNavClick(app); });
  table.Bind(ui::Handler::OnDrawNavClick, [&app] { OnDrawNavClick(app); });
  table.Bind(ui::Handler::OnAboutNavClick, [&app] { OnAboutNavClick(app); });
  table.Bind(ui::Handler::OnSettingsNavClick, [&app] { OnSettingsNavClick(app); });
  table.Bind(ui::Handler::OnClockTick, [&app] { OnClockTick(app); });
  table.Bind(ui::Handler::OnSplashWindowCreated, [&app] { OnSplashWindowCreated(app); });
  table.Bind(ui::Handler::OnSplashTimerTick, [&app] { OnSplashTimerTick(app); });
  table.Bind(ui::Handler::OnSplashPictureMouseDown, [&app] { OnSplashPictureMouseDown(app); });
}

}  // namespace shell
