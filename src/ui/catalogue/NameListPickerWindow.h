#pragma once

#include "ui/ControlSpec.h"

// The tables are laid out as rows, one control a row.
// clang-format off
namespace ui::catalogue {

inline constexpr ControlSpec kNameListPickerWindowControls[] = {
    {.name = "列表框1", .kind = Kind::ListBox, .left = 0, .top = 0, .width = 312, .height = 248,
     .handler = Handler::OnNameListPicked},
};

inline constexpr WindowSpec kNameListPickerWindow{
    .id = WindowId::NameListPickerWindow, .name = "NameListPickerWindow", .width = 316, .height = 272,
    .border = Border::Fixed, .systemMenu = true, .minimizeBox = false, .taskbar = true, .topmost = true,
    .created = Handler::OnNameListPickerCreated, .controls = kNameListPickerWindowControls};

}  // namespace ui::catalogue

namespace ui::NameListPickerWindow {
inline constexpr WindowId kWindow = WindowId::NameListPickerWindow;
inline constexpr ControlId 列表框1 = Control(kWindow, catalogue::kNameListPickerWindowControls, "列表框1");
}  // namespace ui::NameListPickerWindow
// clang-format on
