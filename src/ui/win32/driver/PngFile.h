#pragma once

#include <windows.h>

#include <string>

namespace ui::win32 {

// Writes a 32-bit top-down BGRA picture as a PNG file.
bool WritePng(const std::wstring& path, const void* bgra, int width, int height);

}  // namespace ui::win32
