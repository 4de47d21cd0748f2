#include "app/ShellHandlers.h"
#include "app/shared/App.h"
#include "core/Text.h"
#include "ui/Catalogue.h"

namespace shell {

// The date in full, then the time only down to its last unit that is not 0.
std::string ClockText(const core::LocalTime& t) {
  static const std::string kYear = text::Gbk("年"), kMonth = text::Gbk("月"),
                           kDay = text::Gbk("日");
  static const std::string kHour = text::Gbk("时"), kMinute = text::Gbk("分"),
                           kSecond = text::Gbk("秒");
  std::string s =
      text::FromInt(t.year) + kYear + text::FromInt(t.month) + kMonth + text::FromInt(t.day) + kDay;
  if (t.second != 0) {
    s += text::FromInt(t.hour) + kHour + text::FromInt(t.minute) + kMinute +
         text::FromInt(t.second) + kSecond;
  } else if (t.minute != 0) {
    s += text::FromInt(t.hour) + kHour + text::FromInt(t.minute) + kMinute;
  } else if (t.hour != 0) {
    s += text::FromInt(t.hour) + kHour;
  }
  return s;
}

void OnClockTick(app::App& app) {
  app.ui.SetText(ui::MainWindow::time, ClockText(app.clock.Now()));
}

}  // namespace shell
