#pragma once

#include "ui/ControlSpec.h"

// The tables are laid out as rows, one control a row.
// clang-format off
namespace ui::catalogue {

inline constexpr ControlSpec kAdminSettingsWindowControls[] = {
    // Draw set-up: preset result and name lists.
    {.name = "分组框1", .kind = Kind::GroupBox, .left = 24, .top = 24, .width = 560, .height = 216,
     .text = "随机选人相关", .font = Px(12)},
    {.name = "标签1", .kind = Kind::Label, .container = "分组框1", .left = 40, .top = 24, .width = 72,
     .height = 24, .text = "Fake_end：", .font = Px(12), .textColor = kBlack, .wrap = true},
    {.name = "编辑框1", .kind = Kind::EditBox, .container = "分组框1", .left = 128, .top = 24, .width = 168,
     .height = 24, .font = Px(12), .textColor = kBlack, .backColor = kWhite},
    {.name = "按钮1", .kind = Kind::Button, .container = "分组框1", .left = 320, .top = 24, .width = 224,
     .height = 24, .text = "save", .font = Px(12), .handler = Handler::OnSaveFakeEndClick},
    {.name = "标签3", .kind = Kind::Label, .container = "分组框1", .left = 40, .top = 64, .width = 88,
     .height = 24, .text = "Namelist_path：", .font = Px(12), .textColor = kBlack, .wrap = true},
    {.name = "按钮6", .kind = Kind::Button, .container = "分组框1", .left = 144, .top = 64, .width = 152,
     .height = 24, .text = "browse", .font = Px(12), .handler = Handler::OnBrowseNameListClick},
    {.name = "按钮5", .kind = Kind::Button, .container = "分组框1", .left = 320, .top = 64, .width = 224,
     .height = 24, .text = "save", .font = Px(12), .handler = Handler::OnSaveNameListPathClick},
    {.name = "编辑框3", .kind = Kind::EditBox, .container = "分组框1", .left = 40, .top = 104, .width = 504,
     .height = 24, .font = Px(12), .textColor = kBlack, .backColor = kWhite},
    {.name = "标签4", .kind = Kind::Label, .container = "分组框1", .left = 40, .top = 152, .width = 104,
     .height = 24, .text = "Namelist_to_use：", .font = Px(12), .textColor = kBlack, .wrap = true},
    {.name = "组合框1", .kind = Kind::ComboBox, .container = "分组框1", .left = 160, .top = 152, .width = 136,
     .height = 20, .font = SystemFace(), .comboStyle = ComboStyle::DropDownList},
    {.name = "按钮7", .kind = Kind::Button, .container = "分组框1", .left = 320, .top = 152, .width = 224,
     .height = 24, .text = "save", .font = Px(12), .handler = Handler::OnSaveNameListChoiceClick},

    // Start-up: the splash picture.
    {.name = "分组框2", .kind = Kind::GroupBox, .left = 24, .top = 248, .width = 560, .height = 64,
     .text = "启动相关", .font = Px(12)},
    {.name = "标签2", .kind = Kind::Label, .container = "分组框2", .left = 24, .top = 24, .width = 88,
     .height = 24, .text = "Flash_Screen：", .font = Px(12), .textColor = kBlack, .wrap = true},
    {.name = "编辑框2", .kind = Kind::EditBox, .container = "分组框2", .left = 128, .top = 24, .width = 168,
     .height = 24, .font = Px(12), .textColor = kBlack, .backColor = kWhite},
    {.name = "按钮3", .kind = Kind::Button, .container = "分组框2", .left = 320, .top = 24, .width = 104,
     .height = 24, .text = "browse", .font = Px(12), .handler = Handler::OnBrowseSplashPictureClick},
    {.name = "按钮2", .kind = Kind::Button, .container = "分组框2", .left = 440, .top = 24, .width = 104,
     .height = 24, .text = "save", .font = Px(12), .handler = Handler::OnSaveSplashPictureClick},

    // The reward switch.
    {.name = "分组框3", .kind = Kind::GroupBox, .left = 24, .top = 320, .width = 560, .height = 56,
     .font = SystemFace()},
    {.name = "标签5", .kind = Kind::Label, .container = "分组框3", .left = 8, .top = 16, .width = 128,
     .height = 32, .text = "课堂激励：", .font = Px(14), .textColor = kBlack, .wrap = true},
    {.name = "单选框1", .kind = Kind::RadioButton, .container = "分组框3", .left = 176, .top = 24, .width = 112,
     .height = 16, .text = "关闭", .font = Px(12), .checked = true, .handler = Handler::OnRewardOffClick},
    {.name = "单选框2", .kind = Kind::RadioButton, .container = "分组框3", .left = 352, .top = 24, .width = 112,
     .height = 16, .text = "启用", .font = Px(12), .handler = Handler::OnRewardOnClick},

    {.name = "按钮4", .kind = Kind::Button, .left = 24, .top = 384, .width = 560, .height = 40,
     .text = "检查更新", .font = Px(14), .handler = Handler::OnCheckUpdateClick},
};

inline constexpr WindowSpec kAdminSettingsWindow{
    .id = WindowId::AdminSettingsWindow, .name = "AdminSettingsWindow", .width = 613, .height = 480,
    .border = Border::Fixed, .systemMenu = true, .minimizeBox = true, .taskbar = true, .topmost = true,
    .created = Handler::OnAdminSettingsWindowCreated, .controls = kAdminSettingsWindowControls};

}  // namespace ui::catalogue

namespace ui::AdminSettingsWindow {
inline constexpr WindowId kWindow = WindowId::AdminSettingsWindow;
inline constexpr ControlId 分组框1 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "分组框1");
inline constexpr ControlId 标签1 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "标签1");
inline constexpr ControlId 编辑框1 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "编辑框1");
inline constexpr ControlId 按钮1 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "按钮1");
inline constexpr ControlId 标签3 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "标签3");
inline constexpr ControlId 按钮6 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "按钮6");
inline constexpr ControlId 按钮5 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "按钮5");
inline constexpr ControlId 编辑框3 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "编辑框3");
inline constexpr ControlId 标签4 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "标签4");
inline constexpr ControlId 组合框1 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "组合框1");
inline constexpr ControlId 按钮7 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "按钮7");
inline constexpr ControlId 分组框2 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "分组框2");
inline constexpr ControlId 标签2 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "标签2");
inline constexpr ControlId 编辑框2 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "编辑框2");
inline constexpr ControlId 按钮3 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "按钮3");
inline constexpr ControlId 按钮2 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "按钮2");
inline constexpr ControlId 分组框3 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "分组框3");
inline constexpr ControlId 标签5 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "标签5");
inline constexpr ControlId 单选框1 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "单选框1");
inline constexpr ControlId 单选框2 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "单选框2");
inline constexpr ControlId 按钮4 = Control(kWindow, catalogue::kAdminSettingsWindowControls, "按钮4");
}  // namespace ui::AdminSettingsWindow
// clang-format on
