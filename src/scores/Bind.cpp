#include <memory>

#include "app/shared/App.h"
#include "scores/Scores.h"

namespace scores {

void Bind(app::App& app, ui::HandlerTable& table) {
  // The current group lives as long as the bindings that use it.
  auto current = std::make_shared<CurrentGroup>();
  auto pick = [current](int group) { return [current, group] { current->group = group; }; };
  auto step = [&app, current](double by) {
    return [&app, current, by] { StepCurrentGroupScore(app, *current, by); };
  };

  table.Bind(ui::Handler::OnPickGroup1Click, pick(1));
  table.Bind(ui::Handler::OnPickGroup2Click, pick(2));
  table.Bind(ui::Handler::OnPickGroup3Click, pick(3));
  table.Bind(ui::Handler::OnPickGroup4Click, pick(4));
  table.Bind(ui::Handler::OnScorePlus1Click, step(+1));
  table.Bind(ui::Handler::OnScorePlus5Click, step(+5));
  table.Bind(ui::Handler::OnScorePlus10Click, step(+10));
  table.Bind(ui::Handler::OnScoreMinus1Click, step(-1));
  table.Bind(ui::Handler::OnScoreMinus5Click, step(-5));
  table.Bind(ui::Handler::OnScoreMinus10Click, step(-10));
  table.Bind(ui::Handler::OnScoreZeroClick,
             [&app, current] { ZeroCurrentGroupScore(app, *current); });
  table.Bind(ui::Handler::OnSaveScoresClick, [&app] { OnSaveScoresClick(app); });
}

}  // namespace scores
