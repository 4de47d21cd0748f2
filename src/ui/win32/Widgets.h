#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/CaptionFit.h"
#include "ui/ControlSpec.h"

namespace ui::win32 {

class Win32Layer;

// What a window of the program's own classes is.
enum class Role : uint8_t {
  Top,               // a window of the catalogue
  PageArea,          // a page container: a plain area holding its pages
  Page,              // one page of a page container
  Group,             // a group box, drawn here so that it can hold controls
  Label,             // a label that fills its background
  TransparentLabel,  // a label that draws only its text
  SuperButton,       // a flat button with colour pairs for its states
  Picture,           // a picture box; it may hold controls
  EditHost,          // the area of an edit box; the edit control sits centred in it
};

// The state of one window of the program's classes, kept in its user data.
struct Widget {
  Role role = Role::Top;
  Win32Layer* layer = nullptr;  // cleared when the window is closing
  WindowId window{};
  const WindowSpec* windowDecl = nullptr;
  const ControlSpec* decl = nullptr;  // nullptr for Top
  // Top: the scale, in dots per inch, the window and its controls are laid
  // out at.
  int dpi = 96;
  // Super buttons.
  bool hover = false, pressed = false, tracking = false;
  // Picture boxes: the encoded bytes (a picture the program carries stays
  // where it is), and once drawn, the picture at its drawn size
  // (premultiplied BGRA), where it goes and the size of the box it was made
  // for: a box of another size draws it anew.
  std::string encoded;
  std::string_view builtIn;
  HBITMAP drawn = nullptr;
  RECT drawnRect{};
  SIZE drawnFor{-1, -1};
  // A picture the program carries is decoded once for each size and kept.
  bool sharedDrawn = false;
};

inline constexpr wchar_t kTopClass[] = L"BrevantWindow";
inline constexpr wchar_t kControlClass[] = L"BrevantControl";
inline constexpr int kFirstControlId = 1000;

void RegisterWindowClasses();
Widget* WidgetOf(HWND hwnd);
// The scale the window's top-level window is laid out at; the screen's for a
// window not of the program's classes.
int DpiOf(HWND hwnd);
// Creates a window of the program's classes; it owns widget from now on.
HWND CreateWidget(Widget* widget, const std::wstring& text, DWORD style, DWORD exStyle, int x,
                  int y, int w, int h, HWND parent, int id);

// The window's text (a control's caption, a window's title).
std::wstring WindowText(HWND hwnd);

// The colour a container shows behind its controls.
COLORREF BackgroundOf(HWND container);
COLORREF ToColorRef(Color c, int systemColor);
HBRUSH BrushFor(COLORREF color);

// Replaces the picture of a picture box; it is decoded when first drawn.
void SetPictureBytes(HWND picture, std::string encoded);
// The same for a picture the program carries, which lives as long as it
// does: it is decoded once for each size and kept.
void SetBuiltInPicture(HWND picture, std::string_view resource);
// Whether the picture box shows a picture (decoding it if need be).
bool HasPicture(HWND picture);

// A closed window stops reaching the layer at once and is destroyed once the
// handler that closed it has returned.
void CloseLater(HWND top);
bool IsControlOfOurs(HWND hwnd);

// Draws the window and everything inside it into dc, whose origin is the
// window's top-left corner, as it shows on the screen.
void PrintTree(HWND hwnd, HDC dc);

// Where a control draws its caption, and whether words wrap there.
struct CaptionArea {
  RECT rect;
  bool wrap = false;
};

// How captions are drawn: DrawTextW's flags, and whether the text drawn so
// with the font stays inside the area (each line, or wrapping each word,
// within its width, and every line within its height).
UINT CaptionFlags(bool wrap);
bool CaptionFitsIn(HDC dc, HFONT font, const std::wstring& text, const CaptionArea& area);
// The pixel size, at 96 dots per inch, of a font's characters in a window
// laid out at dpi.
int CharacterPx(HDC dc, HFONT font, int dpi);
// The control's font when the text fits the area; otherwise the same face at
// the largest smaller size where it does, but not below the smallest size.
HFONT CaptionFont(HDC dc, const std::wstring& text, const Font& decl, const CaptionArea& area,
                  int dpi);

// The font and area a control of ours draws its caption with, for the test
// driver; nothing for controls without a caption.
struct CaptionLayout {
  HFONT font;
  CaptionArea area;
};
std::optional<CaptionLayout> CaptionLayoutOf(HWND hwnd);

// A 32-bit top-down bitmap of width x height whose pixels are at *bits.
HBITMAP TopDownBitmap(int width, int height, void** bits);

}  // namespace ui::win32
