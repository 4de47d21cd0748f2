// How the controls of the program's classes fit and draw their captions.
#include "ui/win32/Fonts.h"
#include "ui/win32/WidgetParts.h"
#include "ui/win32/Widgets.h"

namespace ui::win32 {

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

UINT CaptionFlags(bool wrap) {
  return DT_NOPREFIX | (wrap ? DT_WORDBREAK : 0u);
}

bool CaptionFitsIn(HDC dc, HFONT font, const std::wstring& text, const CaptionArea& area) {
  HGDIOBJ old = SelectObject(dc, font);
  RECT need{0, 0, area.rect.right - area.rect.left, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need,
            CaptionFlags(area.wrap) | DT_CALCRECT);
  SelectObject(dc, old);
  return need.right <= area.rect.right - area.rect.left &&
         need.bottom <= area.rect.bottom - area.rect.top;
}

int CharacterPx(HDC dc, HFONT font, int dpi) {
  // The height the font was made for: the face's metrics round it.
  LOGFONTW made{};
  GetObjectW(font, sizeof made, &made);
  if (made.lfHeight < 0) return Unscaled(-made.lfHeight, dpi);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  return Unscaled(metrics.tmHeight - metrics.tmInternalLeading, dpi);
}

HFONT CaptionFont(HDC dc, const std::wstring& text, const Font& decl, const CaptionArea& area,
                  int dpi) {
  HFONT own = FontFor(decl, dpi);
  if (text.empty()) return own;
  const int ownPx = decl.px > 0 ? decl.px : CharacterPx(dc, own, dpi);
  auto at = [&](int px) {
    if (px == ownPx) return own;
    Font sized = decl;
    sized.px = static_cast<int16_t>(px);
    return FontFor(sized, dpi);
  };
  return at(FittingCaptionPx(ownPx, [&](int px) { return CaptionFitsIn(dc, at(px), text, area); }));
}

// Where a control draws its caption: labels on their whole area; a super
// button's caption keeps a little room at the sides; a group box's title is
// one line in the frame's top edge, indented from both sides.
CaptionArea CaptionAreaOf(const Widget& w, const RECT& client, int dpi) {
  switch (w.role) {
    case Role::SuperButton:
      return {{Scaled(2, dpi), 0, client.right - Scaled(2, dpi), client.bottom}, true};
    case Role::Group:
      return {{Scaled(8, dpi), 0, client.right - Scaled(8, dpi), 1 << 20}, false};
    default:
      return {client, w.decl && w.decl->wrap};
  }
}

// Draws a caption in its area with the control's alignment, smaller if it
// does not fit there. The vertical alignment places the block of lines.
void DrawCaption(HDC dc, const CaptionArea& area, const std::wstring& text, const ControlSpec& decl,
                 int dpi, COLORREF color, HAlign halign, VAlign valign) {
  if (text.empty()) return;
  RECT rect = area.rect;
  HGDIOBJ oldFont = SelectObject(dc, CaptionFont(dc, text, decl.font, area, dpi));
  SetTextColor(dc, color);
  SetBkMode(dc, TRANSPARENT);
  UINT flags = CaptionFlags(area.wrap);
  flags |= halign == HAlign::Left ? DT_LEFT : halign == HAlign::Center ? DT_CENTER : DT_RIGHT;
  RECT measured = rect;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, flags | DT_CALCRECT);
  const int height = measured.bottom - measured.top;
  const int room = rect.bottom - rect.top;
  if (valign == VAlign::Center) {
    rect.top += (room - height) / 2;
  } else if (valign == VAlign::Bottom) {
    rect.top += room - height;
  }
  rect.bottom = rect.top + height;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags | DT_NOCLIP);
  SelectObject(dc, oldFont);
}

std::optional<CaptionLayout> CaptionLayoutOf(HWND hwnd) {
  const Widget* w = IsControlOfOurs(hwnd) ? WidgetOf(hwnd) : nullptr;
  if (!w || !w->decl ||
      (w->role != Role::Label && w->role != Role::TransparentLabel &&
       w->role != Role::SuperButton && w->role != Role::Group)) {
    return std::nullopt;
  }
  RECT client;
  GetClientRect(hwnd, &client);
  const int dpi = DpiOf(hwnd);
  const CaptionArea area = CaptionAreaOf(*w, client, dpi);
  HDC dc = GetDC(hwnd);
  HFONT font = CaptionFont(dc, WindowText(hwnd), w->decl->font, area, dpi);
  ReleaseDC(hwnd, dc);
  return CaptionLayout{font, area};
}

}  // namespace ui::win32
