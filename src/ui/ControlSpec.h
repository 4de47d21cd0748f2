#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>

#include "ui/Handler.h"
#include "ui/Ids.h"

namespace ui {

enum class Kind : uint8_t {
  SuperButton,
  TransparentLabel,
  Label,
  EditBox,
  Button,
  RadioButton,
  GroupBox,
  ComboBox,
  ListBox,
  PictureBox,
  Timer,
  PageContainer,
};

struct Color {
  bool isDefault = true;  // the system's colour for the element
  uint8_t r = 0, g = 0, b = 0;
  friend constexpr bool operator==(Color, Color) = default;
};
constexpr Color Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return {false, r, g, b};
}
inline constexpr Color kDefaultColor{};
inline constexpr Color kWhite = Rgb(255, 255, 255);
inline constexpr Color kBlack = Rgb(0, 0, 0);
inline constexpr Color kAccent = Rgb(169, 69, 71);
inline constexpr Color kLightGrey = Rgb(192, 192, 192);
inline constexpr Color kGrey = Rgb(128, 128, 128);
inline constexpr Color kRed = Rgb(255, 0, 0);

// "霞鹜文楷等宽 GB", "霞鹜文楷等宽 GB Light", or the system's default face.
enum class Face : uint8_t { WenKai, WenKaiLight, System };

struct Font {
  Face face = Face::System;
  int16_t px = 0;  // character height in pixels; 0 = the default size
  int16_t weight = 400;
  bool italic = false;
};
constexpr Font Px(int16_t px, int16_t weight = 400, bool italic = false) {
  return {Face::WenKai, px, weight, italic};
}
constexpr Font Bold(int16_t px, bool italic = false) {
  return {Face::WenKai, px, 700, italic};
}
constexpr Font LightFace(int16_t px, int16_t weight = 300) {
  return {Face::WenKaiLight, px, weight, false};
}
constexpr Font SystemFace(int16_t px = 0) {
  return {Face::System, px, 400, false};
}
inline constexpr Font kDefaultFont{};

// Colour pairs of a super button: resting, pointer over it, and the third pair
// (shown while the button is held down).
struct Scheme {
  Color restText, restBack, hoverText, hoverBack, thirdText, thirdBack;
};

enum class HAlign : uint8_t { Left, Center, Right };
enum class VAlign : uint8_t { Top, Center, Bottom };
enum class EditMode : uint8_t { Normal, ReadOnly, Password };
enum class ComboStyle : uint8_t { Simple, EditableDropDown, DropDownList };
enum class PictureMode : uint8_t { Natural, Stretched, Fit };
enum class Asset : uint8_t { None, LogoMark, PublisherLogo, SplashPicture };

// One control of a window, as the catalogue declares it. Texts are UTF-8 in
// the source; the window layer turns them into the shown texts.
struct ControlSpec {
  const char* name = "";
  Kind kind = Kind::Label;
  const char* container =
      nullptr;       // nullptr: the window; else a group box, picture box or page container
  int8_t page = -1;  // the page when the container is a page container
  int16_t left = 0, top = 0, width = 0, height = 0;
  const char* text = "";  // caption or initial text; CR LF as "\r\n"
  Font font = kDefaultFont;
  Color textColor = kDefaultColor;
  Color backColor = kDefaultColor;
  HAlign halign = HAlign::Left;
  VAlign valign = VAlign::Top;
  bool wrap = false;
  bool visible = true;
  bool enabled = true;
  bool frame = true;  // edit boxes and picture boxes
  EditMode editMode = EditMode::Normal;
  Scheme scheme{};  // super buttons
  ComboStyle comboStyle = ComboStyle::DropDownList;
  const char* items = "";  // combo and list items, or page titles, separated by '\n'
  int selection = -1;      // initial selection of a combo box
  bool checked = false;    // radio buttons
  int interval = 0;        // timers, in ms
  PictureMode pictureMode = PictureMode::Fit;
  Asset picture = Asset::None;
  Handler handler = Handler::None;  // the event of the kind: clicked, tick, item double-clicked,
                                    // left button pressed
};

enum class Border : uint8_t { None, Fixed };

struct WindowSpec {
  WindowId id;
  const char* name;
  const char* caption = "";
  int16_t width = 0, height = 0;  // outer size
  Border border = Border::Fixed;
  bool systemMenu = true;  // close box
  bool minimizeBox = true;
  bool taskbar = true;
  bool topmost = false;
  bool dragAnywhere = false;
  Color background = kDefaultColor;
  Handler created = Handler::None;
  std::span<const ControlSpec> controls;
};

// Finds a control's row at compile time; a name that is not in the table does
// not compile.
consteval ControlId Control(WindowId w, std::span<const ControlSpec> table, std::string_view name) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (std::string_view(table[i].name) == name) return ControlId{w, static_cast<uint16_t>(i)};
  }
  throw std::logic_error("no such control");
}

}  // namespace ui
