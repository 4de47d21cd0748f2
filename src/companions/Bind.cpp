#include "app/shared/App.h"
#include "companions/Companions.h"

namespace companions {

void Bind(app::App& app, ui::HandlerTable& table) {
  table.Bind(ui::Handler::OnCheckUpdateClick, [&app] { OnCheckUpdateClick(app); });
}

}  // namespace companions
