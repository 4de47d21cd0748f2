#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

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
  // Super buttons.
  bool hover = false, pressed = false, tracking = false;
  // Picture boxes: the encoded bytes until first drawn, then the picture at
  // its drawn size (premultiplied BGRA) and where it goes.
  std::string encoded;
  HBITMAP drawn = nullptr;
  RECT drawnRect{};
  // A picture the program carries is decoded once for each size and kept.
  const char* builtIn = nullptr;
  bool sharedDrawn = false;
};

inline constexpr wchar_t kTopClass[] = L"BrevantWindow";
inline constexpr wchar_t kControlClass[] = L"BrevantControl";
inline constexpr int kFirstControlId = 1000;

void RegisterWindowClasses();
Widget* WidgetOf(HWND hwnd);
// Creates a window of the program's classes; it owns widget from now on.
HWND CreateWidget(Widget* widget, const std::wstring& text, DWORD style, DWORD exStyle, int x, int y, int w, int h,
                  HWND parent, int id);

// The colour a container shows behind its controls.
COLORREF BackgroundOf(HWND container);
COLORREF ToColorRef(Color c, int systemColor);
HBRUSH BrushFor(COLORREF color);

// Replaces the picture of a picture box; it is decoded when first drawn.
// builtIn: the bytes are the program's own and live as long as it does.
void SetPictureBytes(HWND picture, std::string_view encoded, bool builtIn = false);
// Whether the picture box shows a picture (decoding it if need be).
bool HasPicture(HWND picture);

// A closed window stops reaching the layer at once and is destroyed once the
// handler that closed it has returned.
void CloseLater(HWND top);
bool IsControlOfOurs(HWND hwnd);

// Draws the window and everything inside it into dc, whose origin is the
// window's top-left corner, as it shows on the screen.
void PrintTree(HWND hwnd, HDC dc);

// A 32-bit top-down bitmap of width x height whose pixels are at *bits.
HBITMAP TopDownBitmap(int width, int height, void** bits);

}  // namespace ui::win32
