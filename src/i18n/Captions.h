#pragma once

#include <string>
#include <utility>
#include <vector>

#include "i18n/Language.h"
#include "ui/Ids.h"

namespace i18n {

// The product line of the About page: "VLOK Software-Brevant V" and the
// program's version (GBK).
std::string ProductLine();

// The captions of MainWindow in a language, GBK, in the order they are
// applied; none for Chinese, whose texts are the design texts.
std::vector<std::pair<ui::ControlId, std::string>> CaptionsOf(Language language);

}  // namespace i18n
