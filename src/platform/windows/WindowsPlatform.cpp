// The platform services on Windows: the shell's known folders, shell links
// as desktop shortcuts, CreateProcess for starting programs.

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <string>
#include <system_error>

#include "platform/Platform.h"

namespace platform {
namespace {

fs::path KnownFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return fs::path(path);
}

// The GBK bytes of a name as the system's characters.
std::wstring FromGbk(const std::string& gbk) {
  if (gbk.empty()) return {};
  const int n = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), out.data(), n);
  return out;
}

template <typename T>
struct Released {
  T* p = nullptr;
  ~Released() {
    if (p) p->Release();
  }
};

class WindowsPlatform final : public Platform {
 public:
  fs::path ProgramDirectory() override {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
      if (n == 0) return {};
      if (n < path.size()) {
        path.resize(n);
        return fs::path(path).parent_path();
      }
      path.resize(path.size() * 2);
    }
  }

  // The system's font folder. Copying there needs administrator rights; the
  // program itself always has its embedded faces.
  fs::path FontFolder() override { return KnownFolder(CSIDL_FONTS); }

  fs::path DesktopFolder() override { return KnownFolder(CSIDL_DESKTOPDIRECTORY); }

  // A shell link "<name>.lnk" that starts target with no arguments in a
  // normal window.
  bool CreateShortcut(const fs::path& desktopFolder, const std::string& name,
                      const fs::path& target) override {
    std::error_code error;
    const std::wstring shownName = FromGbk(name);
    if (!fs::is_directory(desktopFolder, error) || shownName.empty() || shownName == L"." ||
        shownName == L".." || shownName.find_first_of(L"\\/:*?\"<>|") != std::wstring::npos) {
      return false;
    }
    const fs::path program = fs::absolute(target, error);
    if (error) return false;
    const bool started = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    bool saved = false;
    {
      Released<IShellLinkW> link;
      Released<IPersistFile> file;
      if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkW, reinterpret_cast<void**>(&link.p))) &&
          SUCCEEDED(link.p->SetPath(program.c_str())) && SUCCEEDED(link.p->SetArguments(L"")) &&
          SUCCEEDED(link.p->SetWorkingDirectory(program.parent_path().c_str())) &&
          SUCCEEDED(link.p->SetShowCmd(SW_SHOWNORMAL)) &&
          SUCCEEDED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p)))) {
        const fs::path lnk = desktopFolder / (shownName + L".lnk");
        saved = SUCCEEDED(file.p->Save(lnk.c_str(), TRUE));
      }
    }
    if (started) CoUninitialize();
    return saved;
  }

  // Starts the program file with no arguments (its own path as the command
  // line) and gives it up to a second to be ready for input.
  bool RunProgram(const fs::path& program) override {
    std::error_code error;
    if (!fs::is_regular_file(program, error)) return false;
    const fs::path full = fs::absolute(program, error);
    if (error) return false;
    std::wstring commandLine = L"\"" + full.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(full.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        full.parent_path().c_str(), &startup, &process)) {
      return false;
    }
    WaitForInputIdle(process.hProcess, 1000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
  }

  std::unique_ptr<RunDirectoryClaim> ClaimRunDirectory(const fs::path& runDirectory) override {
    return ClaimOnThisSystem(runDirectory);
  }
};

}  // namespace

std::unique_ptr<Platform> CreateSystemPlatform() {
  return std::make_unique<WindowsPlatform>();
}

}  // namespace platform
