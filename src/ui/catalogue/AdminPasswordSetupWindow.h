#pragma once

#include "ui/ControlSpec.h"

// The tables are laid out as rows, one control a row.
// clang-format off
namespace ui::catalogue {

inline constexpr ControlSpec kAdminPasswordSetupWindowControls[] = {
    {.name = "标签1", .kind = Kind::Label, .left = 24, .top = 24, .width = 152, .height = 32,
     .text = "Admin密码设置", .font = Bold(21), .textColor = kBlack, .wrap = true},
    {.name = "标签2", .kind = Kind::Label, .left = 24, .top = 80, .width = 48, .height = 24, .text = "密码：",
     .font = Bold(19), .textColor = kBlack, .wrap = true},
    {.name = "编辑框1", .kind = Kind::EditBox, .left = 88, .top = 72, .width = 208, .height = 40, .font = Px(12),
     .textColor = kBlack, .backColor = kWhite, .editMode = EditMode::Password},
    {.name = "标签3", .kind = Kind::Label, .left = 24, .top = 128, .width = 88, .height = 24,
     .text = "确认密码：", .font = Bold(19), .textColor = kBlack, .wrap = true},
    {.name = "编辑框2", .kind = Kind::EditBox, .left = 128, .top = 120, .width = 168, .height = 40,
     .font = Px(12), .textColor = kBlack, .backColor = kWhite, .editMode = EditMode::Password},
    {.name = "按钮1", .kind = Kind::Button, .left = 304, .top = 72, .width = 56, .height = 88, .text = "设置",
     .font = Px(12), .handler = Handler::OnSetAdminPasswordClick},
};

// A bare frame: no caption bar and no close box; it is left through its button.
inline constexpr WindowSpec kAdminPasswordSetupWindow{
    .id = WindowId::AdminPasswordSetupWindow, .name = "AdminPasswordSetupWindow", .width = 380, .height = 196,
    .border = Border::Fixed, .systemMenu = false, .minimizeBox = false, .taskbar = true, .topmost = true,
    .controls = kAdminPasswordSetupWindowControls};

}  // namespace ui::catalogue

namespace ui::AdminPasswordSetupWindow {
inline constexpr WindowId kWindow = WindowId::AdminPasswordSetupWindow;
inline constexpr ControlId 标签1 = Control(kWindow, catalogue::kAdminPasswordSetupWindowControls, "标签1");
inline constexpr ControlId 标签2 = Control(kWindow, catalogue::kAdminPasswordSetupWindowControls, "标签2");
inline constexpr ControlId 编辑框1 = Control(kWindow, catalogue::kAdminPasswordSetupWindowControls, "编辑框1");
inline constexpr ControlId 标签3 = Control(kWindow, catalogue::kAdminPasswordSetupWindowControls, "标签3");
inline constexpr ControlId 编辑框2 = Control(kWindow, catalogue::kAdminPasswordSetupWindowControls, "编辑框2");
inline constexpr ControlId 按钮1 = Control(kWindow, catalogue::kAdminPasswordSetupWindowControls, "按钮1");
}  // namespace ui::AdminPasswordSetupWindow
// clang-format on
