#pragma once

#include <string>
#include <string_view>

#include "i18n/Language.h"

namespace draw {

// The announcement of a drawn number (or of the preset result standing in its
// place) and of a drawn name, with the form of address, in one language.
// Plain concatenation, no spaces added.
std::string NumberAnnouncement(i18n::Language language, std::string_view number,
                               std::string_view formOfAddress);
std::string NameAnnouncement(i18n::Language language, std::string_view name,
                             std::string_view formOfAddress);

}  // namespace draw
