#include "app/shared/App.h"
#include "scores/ScoreBox.h"
#include "scores/Scores.h"

namespace scores {

void StepCurrentGroupScore(app::App& app, const CurrentGroup& current, double step) {
  if (current.group < 1 || current.group > 4) return;
  const ui::ControlId box = ScoreBox(current.group);
  app.ui.SetText(box, SteppedScore(app.ui.Text(box), step));
}

void ZeroCurrentGroupScore(app::App& app, const CurrentGroup& current) {
  if (current.group < 1 || current.group > 4) return;
  app.ui.SetText(ScoreBox(current.group), "0");
}

}  // namespace scores
