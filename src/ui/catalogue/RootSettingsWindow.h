#pragma once

#include "ui/ControlSpec.h"

// The tables are laid out as rows, one control a row.
// clang-format off
namespace ui::catalogue {

// No radio button starts selected and the language has no selection: the
// created handler selects them from the stored settings.
inline constexpr ControlSpec kRootSettingsWindowControls[] = {
    // Splash options: each radio pair sits in a group box of its own.
    {.name = "分组框1", .kind = Kind::GroupBox, .left = 8, .top = 8, .width = 360, .height = 120,
     .text = "flash_screen", .font = Px(12)},
    {.name = "标签1", .kind = Kind::Label, .container = "分组框1", .left = 8, .top = 24, .width = 80,
     .height = 32, .text = "hide_author:", .font = Px(12), .textColor = kBlack, .wrap = true},
    {.name = "分组框3", .kind = Kind::GroupBox, .container = "分组框1", .left = 104, .top = 24, .width = 160,
     .height = 40, .font = SystemFace()},
    {.name = "单选框1", .kind = Kind::RadioButton, .container = "分组框3", .left = 8, .top = 8, .width = 56,
     .height = 24, .text = "Enable", .font = Px(12)},
    {.name = "单选框2", .kind = Kind::RadioButton, .container = "分组框3", .left = 88, .top = 8, .width = 64,
     .height = 24, .text = "Disable", .font = Px(12)},
    {.name = "标签2", .kind = Kind::Label, .container = "分组框1", .left = 8, .top = 72, .width = 112,
     .height = 32, .text = "ignore:", .font = Px(12), .textColor = kBlack, .wrap = true},
    {.name = "分组框2", .kind = Kind::GroupBox, .container = "分组框1", .left = 104, .top = 64, .width = 160,
     .height = 40, .font = SystemFace()},
    {.name = "单选框3", .kind = Kind::RadioButton, .container = "分组框2", .left = 8, .top = 8, .width = 56,
     .height = 24, .text = "Enable", .font = Px(12)},
    {.name = "单选框4", .kind = Kind::RadioButton, .container = "分组框2", .left = 88, .top = 8, .width = 64,
     .height = 24, .text = "Disable", .font = Px(12)},
    {.name = "按钮1", .kind = Kind::Button, .container = "分组框1", .left = 272, .top = 32, .width = 72,
     .height = 72, .text = "Save", .font = Px(12), .handler = Handler::OnSaveSplashOptionsClick},

    // Language.
    {.name = "分组框4", .kind = Kind::GroupBox, .left = 8, .top = 152, .width = 360, .height = 80,
     .text = "language", .font = Px(12)},
    {.name = "组合框1", .kind = Kind::ComboBox, .container = "分组框4", .left = 16, .top = 32, .width = 168,
     .height = 20, .font = Px(12), .comboStyle = ComboStyle::DropDownList,
     .items = "中文\nEnglish\n日本语\nРусский", .selection = -1},
    {.name = "按钮2", .kind = Kind::Button, .container = "分组框4", .left = 192, .top = 32, .width = 152,
     .height = 24, .text = "Save", .font = Px(12), .handler = Handler::OnSaveLanguageClick},
};

inline constexpr WindowSpec kRootSettingsWindow{
    .id = WindowId::RootSettingsWindow, .name = "RootSettingsWindow", .width = 380, .height = 276,
    .border = Border::Fixed, .systemMenu = true, .minimizeBox = true, .taskbar = true, .topmost = false,
    .created = Handler::OnRootSettingsWindowCreated, .controls = kRootSettingsWindowControls};

}  // namespace ui::catalogue

namespace ui::RootSettingsWindow {
inline constexpr WindowId kWindow = WindowId::RootSettingsWindow;
inline constexpr ControlId 分组框1 = Control(kWindow, catalogue::kRootSettingsWindowControls, "分组框1");
inline constexpr ControlId 标签1 = Control(kWindow, catalogue::kRootSettingsWindowControls, "标签1");
inline constexpr ControlId 分组框3 = Control(kWindow, catalogue::kRootSettingsWindowControls, "分组框3");
inline constexpr ControlId 单选框1 = Control(kWindow, catalogue::kRootSettingsWindowControls, "单选框1");
inline constexpr ControlId 单选框2 = Control(kWindow, catalogue::kRootSettingsWindowControls, "单选框2");
inline constexpr ControlId 标签2 = Control(kWindow, catalogue::kRootSettingsWindowControls, "标签2");
inline constexpr ControlId 分组框2 = Control(kWindow, catalogue::kRootSettingsWindowControls, "分组框2");
inline constexpr ControlId 单选框3 = Control(kWindow, catalogue::kRootSettingsWindowControls, "单选框3");
inline constexpr ControlId 单选框4 = Control(kWindow, catalogue::kRootSettingsWindowControls, "单选框4");
inline constexpr ControlId 按钮1 = Control(kWindow, catalogue::kRootSettingsWindowControls, "按钮1");
inline constexpr ControlId 分组框4 = Control(kWindow, catalogue::kRootSettingsWindowControls, "分组框4");
inline constexpr ControlId 组合框1 = Control(kWindow, catalogue::kRootSettingsWindowControls, "组合框1");
inline constexpr ControlId 按钮2 = Control(kWindow, catalogue::kRootSettingsWindowControls, "按钮2");
}  // namespace ui::RootSettingsWindow
// clang-format on
