#pragma once

#include <string>
#include <string_view>

namespace updater {

// The address a redirect leads to: the Location value as the server sent it
// (absolute, without scheme, from the host's root, or relative to the
// answering address's folder), resolved against the address that answered.
// The fragment is dropped; dot segments are left for the server.
std::wstring RedirectTarget(std::wstring_view from, std::wstring_view location);

}  // namespace updater
