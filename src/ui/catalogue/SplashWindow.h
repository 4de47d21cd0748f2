#pragma once

#include "ui/ControlSpec.h"
#include "ui/catalogue/Credits.h"

// The tables are laid out as rows, one control a row.
// clang-format off
namespace ui::catalogue {

inline constexpr ControlSpec kSplashWindowControls[] = {
    {.name = "图片框1", .kind = Kind::PictureBox, .left = 0, .top = 0, .width = 384, .height = 256,
     .backColor = kWhite, .frame = false, .pictureMode = PictureMode::Fit, .picture = Asset::SplashPicture,
     .handler = Handler::OnSplashPictureMouseDown},
    {.name = "透明标签1", .kind = Kind::TransparentLabel, .container = "图片框1", .left = 0, .top = 208,
     .width = 112, .height = 40,
     .text = "制作者：" BREVANT_CREDIT_PROGRAMMER "\r\n\r\n配色设计：" BREVANT_CREDIT_COLOUR_DESIGN, .font = Bold(12),
     .textColor = kLightGrey, .halign = HAlign::Left, .wrap = true},
    {.name = "时钟1", .kind = Kind::Timer, .container = "图片框1", .left = 304, .top = 224, .interval = 2000,
     .handler = Handler::OnSplashTimerTick},
};

inline constexpr WindowSpec kSplashWindow{
    .id = WindowId::SplashWindow, .name = "SplashWindow", .width = 380, .height = 250,
    .border = Border::None, .systemMenu = false, .minimizeBox = false, .taskbar = false,
    .background = kWhite, .created = Handler::OnSplashWindowCreated, .controls = kSplashWindowControls};

}  // namespace ui::catalogue

namespace ui::SplashWindow {
inline constexpr WindowId kWindow = WindowId::SplashWindow;
inline constexpr ControlId 图片框1 = Control(kWindow, catalogue::kSplashWindowControls, "图片框1");
inline constexpr ControlId 透明标签1 = Control(kWindow, catalogue::kSplashWindowControls, "透明标签1");
inline constexpr ControlId 时钟1 = Control(kWindow, catalogue::kSplashWindowControls, "时钟1");
}  // namespace ui::SplashWindow
// clang-format on
