#pragma once

#include <string>

#include "ui/Ids.h"

namespace scores {

// The score box of group 1..4 and the file that keeps its score.
ui::ControlId ScoreBox(int group);
std::string ScoreFile(int group);

}  // namespace scores
