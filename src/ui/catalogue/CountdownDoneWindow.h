#pragma once

#include "ui/ControlSpec.h"
#include "ui/catalogue/Schemes.h"

// The tables are laid out as rows, one control a row.
// clang-format off
namespace ui::catalogue {

inline constexpr ControlSpec kCountdownDoneWindowControls[] = {
    {.name = "透明标签1", .kind = Kind::TransparentLabel, .left = 24, .top = 16, .width = 960, .height = 264,
     .text = "INFO SUCCESS，倒计时结束", .font = Bold(64), .textColor = kBlack, .halign = HAlign::Center,
     .valign = VAlign::Center},
    {.name = "我知道了", .kind = Kind::SuperButton, .left = 88, .top = 280, .width = 816, .height = 200,
     .text = "我知道了", .font = Px(48), .scheme = kNoticeScheme, .handler = Handler::OnCountdownDoneOkClick},
};

inline constexpr WindowSpec kCountdownDoneWindow{
    .id = WindowId::CountdownDoneWindow, .name = "CountdownDoneWindow", .width = 1003, .height = 554,
    .border = Border::Fixed, .systemMenu = true, .minimizeBox = true, .taskbar = true, .topmost = true,
    .controls = kCountdownDoneWindowControls};

}  // namespace ui::catalogue

namespace ui::CountdownDoneWindow {
inline constexpr WindowId kWindow = WindowId::CountdownDoneWindow;
inline constexpr ControlId 透明标签1 = Control(kWindow, catalogue::kCountdownDoneWindowControls, "透明标签1");
inline constexpr ControlId 我知道了 = Control(kWindow, catalogue::kCountdownDoneWindowControls, "我知道了");
}  // namespace ui::CountdownDoneWindow
// clang-format on
