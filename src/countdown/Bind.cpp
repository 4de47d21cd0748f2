#include "app/shared/App.h"
#include "countdown/Countdown.h"

namespace countdown {

void Bind(app::App& app, ui::HandlerTable& table) {
  table.Bind(ui::Handler::OnStartCountdownClick, [&app] { OnStartCountdownClick(app); });
  table.Bind(ui::Handler::OnCountdownTick, [&app] { OnCountdownTick(app); });
  table.Bind(ui::Handler::OnCountdownDoneOkClick, [&app] { OnCountdownDoneOkClick(app); });
}

}  // namespace countdown
