#include <string_view>

#include "app/App.h"
#include "app/SaveReport.h"
#include "scores/ScoreBox.h"
#include "scores/Scores.h"

namespace scores {
namespace {

// A score file's text ends at its first zero byte or 0x1A.
std::string_view ScoreText(std::string_view bytes) {
  return bytes.substr(0, bytes.find_first_of(std::string_view("\0\x1A", 2)));
}

}  // namespace

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
    app.ui.SetText(ScoreBox(group), ScoreText(app.files.ReadWholeFile(path)));
    app.files.RemoveFile(path);
  }
}

}  // namespace scores
