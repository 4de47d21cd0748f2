#pragma once

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

// The draw and its result window.
void OnStartDrawClick(app::App& app);
void OnDrawResultWindowCreated(app::App& app);
void OnAnswerRightClick(app::App& app);
void OnAnswerWrongClick(app::App& app);
void OnDrawResultCloseClick(app::App& app);

}  // namespace draw
