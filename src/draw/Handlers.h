#pragma once

#include "draw/Generator.h"

namespace app {
struct App;
}

namespace draw {

// Name lists.
void OnBrowseNameListClick(app::App& app);
void OnSaveNameListPathClick(app::App& app);
void OnSaveNameListChoiceClick(app::App& app);
void OnPickNameListClick(app::App& app);
void OnNameListPickerCreated(app::App& app);
void OnNameListPicked(app::App& app);

// The draw and its result window. The generator is the draw's own and lives
// as long as its bindings, so each draw goes on from the state the last left.
void OnStartDrawClick(app::App& app, Generator& generator);
void OnDrawResultWindowCreated(app::App& app);
void OnAnswerRightClick(app::App& app);
void OnAnswerWrongClick(app::App& app);
void OnDrawResultCloseClick(app::App& app);

}  // namespace draw
