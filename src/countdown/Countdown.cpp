#include "countdown/Countdown.h"

#include <limits>

#include "app/shared/App.h"
#include "core/Text.h"
#include "ui/Catalogue.h"

namespace countdown {
namespace {

constexpr int kOneSecond = 1000;

std::string TwoDigits(int32_t n) {
  return (n < 10 ? "0" : "") + text::FromInt(n);
}

}  // namespace

int32_t SecondsFor(double minutes) {
  const double seconds = minutes * 60.0;
  if (!(seconds > 0)) return 0;  // also NaN, which atof reads from "nan"
  if (seconds >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(seconds);
}

std::string DisplayText(int32_t seconds) {
  static const std::string kHours = text::Gbk("小时"), kMinutes = text::Gbk("分钟"),
                           kSeconds = text::Gbk("秒");
  return TwoDigits(seconds / 3600) + kHours + TwoDigits(seconds % 3600 / 60) + kMinutes +
         TwoDigits(seconds % 3600 % 60) + kSeconds;
}

// Starts or restarts from the value now in the box; the displays change from
// the first tick on.
void OnStartCountdownClick(app::App& app) {
  app.ui.SetVisible(ui::MainWindow::具体倒计时1, true);
  app.state.countdownSeconds =
      SecondsFor(text::ToNumber(app.ui.Text(ui::MainWindow::倒计时待转换框)));
  app.ui.SetInterval(ui::MainWindow::时钟2, kOneSecond);
}

void OnCountdownTick(app::App& app) {
  int32_t& remaining = app.state.countdownSeconds;
  remaining -= 1;
  if (remaining <= 0) {
    // Whatever was typed, the final display reads zero.
    remaining = 0;
    app.ui.SetInterval(ui::MainWindow::时钟2, 0);
    static const std::string kWaiting = text::Gbk("等待");
    app.ui.SetText(ui::MainWindow::具体倒计时, kWaiting);
    app.ui.LoadWindow(ui::WindowId::CountdownDoneWindow, ui::WindowId::MainWindow, true);
    app.ui.SetVisible(ui::MainWindow::具体倒计时1, false);
  }
  const std::string display = DisplayText(remaining);
  app.ui.SetText(ui::MainWindow::具体倒计时, display);
  app.ui.SetText(ui::MainWindow::具体倒计时1, display);
}

void OnCountdownDoneOkClick(app::App& app) {
  app.ui.CloseWindow(ui::WindowId::CountdownDoneWindow);
}

}  // namespace countdown
