#include <memory>

#include "app/shared/App.h"
#include "draw/Handlers.h"

namespace draw {

void Bind(app::App& app, ui::HandlerTable& table) {
  table.Bind(ui::Handler::OnPickNameListClick, [&app] { OnPickNameListClick(app); });
  table.Bind(ui::Handler::OnNameListPickerCreated, [&app] { OnNameListPickerCreated(app); });
  table.Bind(ui::Handler::OnNameListPicked, [&app] { OnNameListPicked(app); });
  table.Bind(ui::Handler::OnBrowseNameListClick, [&app] { OnBrowseNameListClick(app); });
  table.Bind(ui::Handler::OnSaveNameListPathClick, [&app] { OnSaveNameListPathClick(app); });
  table.Bind(ui::Handler::OnSaveNameListChoiceClick, [&app] { OnSaveNameListChoiceClick(app); });
  // A click that arrives while a draw is still running (inside its message box
  // or result window) is dropped, so no draw starts over a running one.
  table.Bind(ui::Handler::OnStartDrawClick, [&app, drawing = std::make_shared<bool>(false),
                                             generator = std::make_shared<Generator>()] {
    if (*drawing) return;
    *drawing = true;
    struct Done {
      bool& flag;
      ~Done() { flag = false; }
    } done{*drawing};
    OnStartDrawClick(app, *generator);
  });
  table.Bind(ui::Handler::OnDrawResultWindowCreated, [&app] { OnDrawResultWindowCreated(app); });
  table.Bind(ui::Handler::OnAnswerRightClick, [&app] { OnAnswerRightClick(app); });
  table.Bind(ui::Handler::OnAnswerWrongClick, [&app] { OnAnswerWrongClick(app); });
  table.Bind(ui::Handler::OnDrawResultCloseClick, [&app] { OnDrawResultCloseClick(app); });
}

}  // namespace draw
