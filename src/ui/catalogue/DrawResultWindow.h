#pragma once

#include "ui/ControlSpec.h"
#include "ui/catalogue/Schemes.h"

// The tables are laid out as rows, one control a row.
// clang-format off
namespace ui::catalogue {

inline constexpr ControlSpec kDrawResultWindowControls[] = {
    {.name = "标签1", .kind = Kind::Label, .left = 16, .top = 24, .width = 416, .height = 72,
     .text = "恭喜xx同学被选中", .font = Bold(32), .textColor = kBlack, .halign = HAlign::Center, .wrap = true},
    {.name = "标签2", .kind = Kind::Label, .left = 24, .top = 120, .width = 120, .height = 56,
     .text = "是否正确？", .font = Px(24), .textColor = kBlack, .wrap = true},
    {.name = "超级按钮1", .kind = Kind::SuperButton, .left = 152, .top = 112, .width = 136, .height = 64,
     .text = "正确", .font = Px(21), .scheme = kResultScheme, .handler = Handler::OnAnswerRightClick},
    {.name = "超级按钮2", .kind = Kind::SuperButton, .left = 304, .top = 112, .width = 128, .height = 64,
     .text = "错误", .font = Px(21), .scheme = kResultScheme, .handler = Handler::OnAnswerWrongClick},
    {.name = "超级按钮3", .kind = Kind::SuperButton, .left = 16, .top = 192, .width = 416, .height = 48,
     .text = "确定（不选择）", .font = Px(24), .scheme = kResultScheme, .handler = Handler::OnDrawResultCloseClick},
};

inline constexpr WindowSpec kDrawResultWindow{
    .id = WindowId::DrawResultWindow, .name = "DrawResultWindow", .width = 460, .height = 303,
    .border = Border::Fixed, .systemMenu = true, .minimizeBox = true, .taskbar = true, .topmost = true,
    .created = Handler::OnDrawResultWindowCreated, .controls = kDrawResultWindowControls};

}  // namespace ui::catalogue

namespace ui::DrawResultWindow {
inline constexpr WindowId kWindow = WindowId::DrawResultWindow;
inline constexpr ControlId 标签1 = Control(kWindow, catalogue::kDrawResultWindowControls, "标签1");
inline constexpr ControlId 标签2 = Control(kWindow, catalogue::kDrawResultWindowControls, "标签2");
inline constexpr ControlId 超级按钮1 = Control(kWindow, catalogue::kDrawResultWindowControls, "超级按钮1");
inline constexpr ControlId 超级按钮2 = Control(kWindow, catalogue::kDrawResultWindowControls, "超级按钮2");
inline constexpr ControlId 超级按钮3 = Control(kWindow, catalogue::kDrawResultWindowControls, "超级按钮3");
}  // namespace ui::DrawResultWindow
// clang-format on
