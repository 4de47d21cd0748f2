#pragma once

#include "ui/ControlSpec.h"

// The tables are laid out as rows, one control a row.
// clang-format off
namespace ui::catalogue {

inline constexpr ControlSpec kAdminLoginWindowControls[] = {
    {.name = "标签1", .kind = Kind::Label, .left = 24, .top = 24, .width = 168, .height = 56,
     .text = "验证密码：", .font = Bold(29), .textColor = kBlack, .wrap = true},
    {.name = "编辑框1", .kind = Kind::EditBox, .left = 24, .top = 96, .width = 304, .height = 48, .font = Px(12),
     .textColor = kBlack, .backColor = kWhite, .editMode = EditMode::Password},
    {.name = "按钮1", .kind = Kind::Button, .left = 24, .top = 160, .width = 312, .height = 40, .text = "验证",
     .font = Px(12), .handler = Handler::OnAdminLoginClick},
};

inline constexpr WindowSpec kAdminLoginWindow{
    .id = WindowId::AdminLoginWindow, .name = "AdminLoginWindow", .width = 380, .height = 250,
    .border = Border::Fixed, .systemMenu = true, .minimizeBox = true, .taskbar = true, .topmost = true,
    .controls = kAdminLoginWindowControls};

}  // namespace ui::catalogue

namespace ui::AdminLoginWindow {
inline constexpr WindowId kWindow = WindowId::AdminLoginWindow;
inline constexpr ControlId 标签1 = Control(kWindow, catalogue::kAdminLoginWindowControls, "标签1");
inline constexpr ControlId 编辑框1 = Control(kWindow, catalogue::kAdminLoginWindowControls, "编辑框1");
inline constexpr ControlId 按钮1 = Control(kWindow, catalogue::kAdminLoginWindowControls, "按钮1");
}  // namespace ui::AdminLoginWindow
// clang-format on
