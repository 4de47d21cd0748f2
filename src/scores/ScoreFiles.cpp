#include <string_view>

#include "app/shared/App.h"
#include "app/shared/SaveReport.h"
#include "core/SettingFile.h"
#include "scores/ScoreBox.h"
#include "scores/Scores.h"

namespace scores {

void OnSaveScoresClick(app::App& app) {
  app::SaveReport save(app, ui::WindowId::MainWindow);
  for (int group = 1; group <= 4; ++group)
    save.Write(ScoreFile(group), app.ui.Text(ScoreBox(group)));
  save.Finish();
}

// The saved scores reach one start only: a start that loads them deletes them.
void LoadGroupScores(app::App& app) {
  for (int group = 1; group <= 4; ++group) {
    const core::fs::path path = app.files.Path(ScoreFile(group));
    if (!app.files.FileExists(path)) continue;
    app.ui.SetText(ScoreBox(group), ScoreText(core::ReadSettingBytes(app.files, ScoreFile(group))));
    app.files.RemoveFile(path);
  }
}

}  // namespace scores
