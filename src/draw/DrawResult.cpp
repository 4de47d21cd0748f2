#include <string>

#include "app/shared/App.h"
#include "core/Text.h"
#include "draw/Handlers.h"
#include "ui/Catalogue.h"

namespace draw {
namespace {

namespace result = ui::DrawResultWindow;

// The drawn student's name (or number), the form of address read at start,
// then the praise.
void Praise(app::App& app, const std::string& suffix, const std::string& title) {
  app.ui.ShowMessage(result::kWindow, app.state.lastDrawnName + app.state.formOfAddress + suffix,
                     title);
}

}  // namespace

void OnDrawResultWindowCreated(app::App& app) {
  app.ui.SetText(result::标签1, app.state.lastAnnouncement);
}

void OnAnswerRightClick(app::App& app) {
  static const std::string kSuffix = text::Gbk("：你真棒！"), kTitle = text::Gbk("正确");
  Praise(app, kSuffix, kTitle);
}

void OnAnswerWrongClick(app::App& app) {
  static const std::string kSuffix = text::Gbk("：不要灰心，再接再厉！"),
                           kTitle = text::Gbk("错误");
  Praise(app, kSuffix, kTitle);
}

void OnDrawResultCloseClick(app::App& app) {
  app.ui.CloseWindow(result::kWindow);
}

}  // namespace draw
