#include "ui/Resources.h"

extern "C" {
extern const char brevant_logo_mark_begin[], brevant_logo_mark_end[];
extern const char brevant_publisher_logo_begin[], brevant_publisher_logo_end[];
extern const char brevant_splash_picture_begin[], brevant_splash_picture_end[];
}

namespace ui {
namespace {

std::string_view Block(const char* begin, const char* end) {
  return {begin, static_cast<std::size_t>(end - begin)};
}

}  // namespace

std::string_view Picture(Asset asset) {
  switch (asset) {
    case Asset::LogoMark:
      return Block(brevant_logo_mark_begin, brevant_logo_mark_end);
    case Asset::PublisherLogo:
      return Block(brevant_publisher_logo_begin, brevant_publisher_logo_end);
    case Asset::SplashPicture:
      return Block(brevant_splash_picture_begin, brevant_splash_picture_end);
    case Asset::None:
      break;
  }
  return {};
}

}  // namespace ui
