#pragma once

#include <string>
#include <string_view>

namespace app {
struct App;
}

// The scoreboard of four groups. A group's score is the text of its score box;
// every operation reads that text and writes a text back.
namespace scores {

// The group that the step and zero buttons act on: 1 to 4, or 0 before any
// "选择" button has been pressed. Chosen only through those buttons and lost
// at exit; the program never shows it.
struct CurrentGroup {
  int group = 0;
};

// The text a score box shows after a step: its text read as a number, plus
// step, written back. A number too large to stay finite counts as no number,
// like any other text that is none.
std::string SteppedScore(std::string_view boxText, double step);
// A score file's text: its bytes up to the first zero byte or 0x1A.
std::string_view ScoreText(std::string_view bytes);

void StepCurrentGroupScore(app::App& app, const CurrentGroup& current, double step);
void ZeroCurrentGroupScore(app::App& app, const CurrentGroup& current);

// Writes all four boxes to "1.vlok".."4.vlok"; a file that cannot be written
// is reported to the teacher.
void OnSaveScoresClick(app::App& app);
// Start work: each score file present is read into its box, then deleted.
void LoadGroupScores(app::App& app);

}  // namespace scores
