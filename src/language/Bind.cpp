#include "app/shared/App.h"
#include "language/LanguageStep.h"

namespace i18n {

void Bind(app::App& app, ui::HandlerTable& table) {
  table.Bind(ui::Handler::OnSaveLanguageClick, [&app] { OnSaveLanguageClick(app); });
}

}  // namespace i18n
