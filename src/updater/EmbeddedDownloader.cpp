#include "companions/EmbeddedDownloader.h"

#include <cstddef>

// The bytes come from EmbeddedDownloader.S, which includes the stripped
// updater program whole.
extern "C" {
extern const char brevant_downloader_begin[], brevant_downloader_end[];
}

namespace companions {

std::string_view EmbeddedDownloader() {
  return {brevant_downloader_begin,
          static_cast<std::size_t>(brevant_downloader_end - brevant_downloader_begin)};
}

}  // namespace companions
