#pragma once

#include <windows.h>

#include <string>

#include "ui/win32/Widgets.h"

namespace ui::win32 {

// The pieces the window procedure of the program's classes is made of, each
// in a file of its own.

// Captions: where a control draws its caption, and the drawing, smaller if
// it does not fit there; the vertical alignment places the block of lines.
CaptionArea CaptionAreaOf(const Widget& w, const RECT& client, int dpi);
void DrawCaption(HDC dc, const CaptionArea& area, const std::wstring& text, const ControlSpec& decl,
                 int dpi, COLORREF color, HAlign halign, VAlign valign);

// Pictures: the drawn picture goes; the picture is decoded for the box's size
// unless it is already; drawn into dc.
void ReleaseDrawn(Widget& w);
void DecodePicture(HWND hwnd, Widget& w);
void PaintPicture(HWND hwnd, Widget& w, HDC dc);

// Painting: on the screen (WM_PAINT), and everything the window shows into
// dc, background included.
void Paint(HWND hwnd, Widget& w);
void PaintAll(HWND hwnd, Widget& w, HDC dc);
// Where the window's client area begins in the ancestor's (nullptr: the screen).
POINT OriginIn(HWND hwnd, HWND ancestor);

// A super button's mouse messages.
LRESULT SuperButtonMouse(HWND hwnd, Widget& w, UINT msg, LPARAM lp);

}  // namespace ui::win32
