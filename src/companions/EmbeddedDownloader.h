#pragma once

#include <string_view>

namespace companions {

// The updater program's file as the main program carries it, written out as
// "downloader.exe" at every start.
std::string_view EmbeddedDownloader();

}  // namespace companions
