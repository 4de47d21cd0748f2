#pragma once

#include "ui/ControlSpec.h"

// The tables are laid out as rows, one control a row.
// clang-format off
namespace ui::catalogue {

// The window of the updater program. It has no created handler: nothing
// happens until the user presses "检查".
inline constexpr ControlSpec kUpdaterWindowControls[] = {
    {.name = "标签1", .kind = Kind::Label, .left = 16, .top = 24, .width = 88, .height = 48,
     .text = "最新版：", .font = Bold(16), .textColor = kBlack, .wrap = true},
    {.name = "编辑框1", .kind = Kind::EditBox, .left = 120, .top = 24, .width = 232, .height = 48,
     .font = Px(16), .textColor = kBlack, .backColor = kWhite},
    {.name = "按钮1", .kind = Kind::Button, .left = 16, .top = 88, .width = 160, .height = 56, .text = "检查",
     .font = Px(16), .handler = Handler::OnCheckClick},
    {.name = "按钮2", .kind = Kind::Button, .left = 192, .top = 88, .width = 160, .height = 56, .text = "更新",
     .font = Px(16), .enabled = false, .handler = Handler::OnUpdateClick},
    {.name = "编辑框2", .kind = Kind::EditBox, .left = 16, .top = 160, .width = 336, .height = 48,
     .font = Px(16), .textColor = kBlack, .backColor = kWhite},
};

inline constexpr WindowSpec kUpdaterWindow{
    .id = WindowId::UpdaterWindow, .name = "UpdaterWindow", .caption = "更新器", .width = 380, .height = 250,
    .border = Border::Fixed, .systemMenu = true, .minimizeBox = true, .taskbar = true, .topmost = false,
    .controls = kUpdaterWindowControls};

}  // namespace ui::catalogue

namespace ui::UpdaterWindow {
inline constexpr WindowId kWindow = WindowId::UpdaterWindow;
inline constexpr ControlId 标签1 = Control(kWindow, catalogue::kUpdaterWindowControls, "标签1");
inline constexpr ControlId 编辑框1 = Control(kWindow, catalogue::kUpdaterWindowControls, "编辑框1");
inline constexpr ControlId 按钮1 = Control(kWindow, catalogue::kUpdaterWindowControls, "按钮1");
inline constexpr ControlId 按钮2 = Control(kWindow, catalogue::kUpdaterWindowControls, "按钮2");
inline constexpr ControlId 编辑框2 = Control(kWindow, catalogue::kUpdaterWindowControls, "编辑框2");
}  // namespace ui::UpdaterWindow
// clang-format on
