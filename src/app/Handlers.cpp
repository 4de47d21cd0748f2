#include "app/Handlers.h"

#include "app/shared/App.h"

namespace shell {
void Bind(app::App& app, ui::HandlerTable& table);
}
namespace i18n {
void Bind(app::App& app, ui::HandlerTable& table);
}
namespace draw {
void Bind(app::App& app, ui::HandlerTable& table);
}
namespace scores {
void Bind(app::App& app, ui::HandlerTable& table);
}
namespace countdown {
void Bind(app::App& app, ui::HandlerTable& table);
}
namespace admin {
void Bind(app::App& app, ui::HandlerTable& table);
}
namespace companions {
void Bind(app::App& app, ui::HandlerTable& table);
}

namespace app {

void BindHandlers(App& app, ui::HandlerTable& table) {
  shell::Bind(app, table);
  i18n::Bind(app, table);
  draw::Bind(app, table);
  scores::Bind(app, table);
  countdown::Bind(app, table);
  admin::Bind(app, table);
  companions::Bind(app, table);
}

}  // namespace app
