#pragma once

#include "ui/HandlerTable.h"

namespace app {

struct App;

// Binds every handler of the program to the table.
void BindHandlers(App& app, ui::HandlerTable& table);

}  // namespace app
