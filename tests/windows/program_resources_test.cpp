// The programs' icon and version as the task bar and Explorer read them: the
// updater that the main program carries, checked whole, and the window class
// of this test program, which carries the same icon.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "companions/EmbeddedDownloader.h"
#include "support/TempDir.h"
#include "ui/win32/Widgets.h"

namespace {

namespace fs = std::filesystem;

std::wstring VersionText(const std::vector<BYTE>& info, const std::wstring& name) {
  wchar_t* value = nullptr;
  UINT size = 0;
  const std::wstring key = L"\\StringFileInfo\\040904B0\\" + name;
  if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &size) || !value)
    return L"";
  return value;
}

// The sizes of the images in an icon group (0 in the directory stands for 256).
std::set<int> IconSizes(HMODULE image, int id) {
  HRSRC group = FindResourceW(image, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
  if (!group) return {};
  const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(image, group)));
  const int count = bytes[4] | bytes[5] << 8;
  std::set<int> sizes;
  for (int i = 0; i < count; ++i) sizes.insert(bytes[6 + 14 * i] == 0 ? 256 : bytes[6 + 14 * i]);
  return sizes;
}

TEST(ProgramResources, IconAndVersionAsTheSystemShowsThem) {
  const fs::path dir = testing_support::MakeTempDir("brevant-resources");
  const fs::path file = dir / "downloader.exe";
  {
    const std::string_view program = companions::EmbeddedDownloader();
    std::ofstream(file, std::ios::binary)
        .write(program.data(), static_cast<std::streamsize>(program.size()));
  }
  DWORD ignored = 0;
  std::vector<BYTE> info(GetFileVersionInfoSizeW(file.c_str(), &ignored));
  ASSERT_FALSE(info.empty()) << "the updater has no version resource";
  ASSERT_TRUE(GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  const std::string version = BREVANT_VERSION;
  EXPECT_EQ(VersionText(info, L"ProductName"), L"Brevant");
  EXPECT_EQ(VersionText(info, L"ProductVersion"), std::wstring(version.begin(), version.end()));
  EXPECT_EQ(VersionText(info, L"OriginalFilename"), L"downloader.exe");
  EXPECT_NE(VersionText(info, L"FileDescription"), L"");
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size) && fixed);
  EXPECT_EQ(std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                std::to_string(HIWORD(fixed->dwFileVersionLS)),
            version);

  HMODULE image = LoadLibraryExW(file.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(IconSizes(image, 1), (std::set<int>{16, 24, 32, 48, 64, 128, 256}));
  HICON big = static_cast<HICON>(LoadImageW(image, MAKEINTRESOURCEW(1), IMAGE_ICON, 256, 256, 0));
  EXPECT_NE(big, nullptr) << "the 256-pixel image does not decode";
  if (big) DestroyIcon(big);
  FreeLibrary(image);
  std::error_code error;
  fs::remove_all(dir, error);

  // The windows take the icon in both sizes.
  WNDCLASSEXW window{};
  window.cbSize = sizeof window;
  ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), ui::win32::kTopClass, &window));
  EXPECT_NE(window.hIcon, nullptr);
  EXPECT_NE(window.hIconSm, nullptr);
}

}  // namespace
