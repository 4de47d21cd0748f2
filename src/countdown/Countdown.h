#pragma once

#include <cstdint>
#include <string>

namespace app {
struct App;
}

// The countdown of the draw page: minutes typed by the teacher, counted down
// in whole seconds on the page and in the navigation bar.
namespace countdown {

// The seconds to count for a typed number of minutes: truncated toward zero,
// at most the largest 32-bit value; zero, negative and non-numbers give 0.
int32_t SecondsFor(double minutes);
// "01小时00分钟59秒" (GBK); hours of 100 and more in full.
std::string DisplayText(int32_t seconds);

void OnStartCountdownClick(app::App& app);
void OnCountdownTick(app::App& app);
void OnCountdownDoneOkClick(app::App& app);

}  // namespace countdown
