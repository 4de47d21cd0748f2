#pragma once

#include <string>

#include "core/Clock.h"

namespace app {
struct App;
}

// The handlers of the main window's own life: the start work, the splash, the
// title clock, the page navigation and the draw set-up fields.
namespace shell {

void OnMainWindowCreated(app::App& app);
// A later start from the same folder gave way to this copy: its window comes
// to the front.
void OnAskedToComeForward(app::App& app);

// Start steps 2 to 4: the set-up boxes and the form of address.
void LoadDrawSetup(app::App& app);
void OnSaveDrawSetupClick(app::App& app);

void OnSplashWindowCreated(app::App& app);
void OnSplashTimerTick(app::App& app);
void OnSplashPictureMouseDown(app::App& app);

// The clock label's text for a moment, e.g. "2024年3月6日14时54分" (GBK).
std::string ClockText(const core::LocalTime& t);
void OnClockTick(app::App& app);

void OnScoreNavClick(app::App& app);
void OnDrawNavClick(app::App& app);
void OnAboutNavClick(app::App& app);
void OnSettingsNavClick(app::App& app);
void OnCloseMainClick(app::App& app);

}  // namespace shell
