// One copy per run directory on Windows: the copy that runs holds a mutex
// named after the folder, in the session's own namespace, and waits on an
// event of the same family. A later start finds the mutex, lets that copy
// take the foreground, sets the event and ends. The system drops the objects
// with the last process that holds them, so a killed copy blocks nothing.

#include "platform/RunDirectoryClaim.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <thread>

namespace platform {
namespace {

// "Local\Brevant-<hash>" and a suffix: an object name holds no "\" after its
// namespace and no more than MAX_PATH characters, a path may hold both, so a
// hash of the folder's full path, case-folded as the file system compares
// names, stands for it.
std::wstring ObjectName(const std::filesystem::path& folder, const wchar_t* suffix) {
  const DWORD size = GetFullPathNameW(folder.c_str(), 0, nullptr, nullptr);
  std::wstring full(size, L'\0');
  full.resize(GetFullPathNameW(folder.c_str(), size, full.data(), nullptr));
  if (full.empty()) full = folder.native();
  // Short 8.3 names name the same folder as its long name.
  std::wstring longName(full.size() + MAX_PATH, L'\0');
  const DWORD n =
      GetLongPathNameW(full.c_str(), longName.data(), static_cast<DWORD>(longName.size()));
  if (n > 0 && n < longName.size()) full.assign(longName.data(), n);
  while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
  if (!full.empty()) {
    LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, full.c_str(), static_cast<int>(full.size()),
                 full.data(), static_cast<int>(full.size()));
  }
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (wchar_t c : full) {
    hash ^= static_cast<std::uint16_t>(c);
    hash *= 1099511628211ull;
  }
  std::wstring name = L"Local\\Brevant-";
  for (int shift = 60; shift >= 0; shift -= 4) name += L"0123456789abcdef"[(hash >> shift) & 0xF];
  return name + suffix;
}

constexpr wchar_t kMutex[] = L"", kRequest[] = L".forward", kProcess[] = L".process";

// Lets the copy that holds the folder come to the front and asks it to. It
// may have made its mutex a moment ago and not be listening yet, so this
// tries for a while.
void AskForward(const std::filesystem::path& folder) {
  HANDLE request = nullptr;
  for (int attempt = 0; attempt < 60; ++attempt) {
    request = OpenEventW(EVENT_MODIFY_STATE, FALSE, ObjectName(folder, kRequest).c_str());
    if (request) break;
    Sleep(50);
  }
  if (!request) return;
  if (HANDLE process =
          OpenFileMappingW(FILE_MAP_READ, FALSE, ObjectName(folder, kProcess).c_str())) {
    if (const void* view = MapViewOfFile(process, FILE_MAP_READ, 0, 0, sizeof(DWORD))) {
      AllowSetForegroundWindow(*static_cast<const DWORD*>(view));
      UnmapViewOfFile(view);
    }
    CloseHandle(process);
  }
  SetEvent(request);
  CloseHandle(request);
}

class WindowsClaim final : public ListeningClaim {
 public:
  explicit WindowsClaim(HANDLE mutex, const std::filesystem::path& folder) : mutex_(mutex) {
    if (!mutex_) return;
    // Which process may take the foreground when asked: this one.
    process_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(DWORD),
                                  ObjectName(folder, kProcess).c_str());
    if (void* view =
            process_ ? MapViewOfFile(process_, FILE_MAP_WRITE, 0, 0, sizeof(DWORD)) : nullptr) {
      *static_cast<DWORD*>(view) = GetCurrentProcessId();
      UnmapViewOfFile(view);
    }
    stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    request_ = CreateEventW(nullptr, FALSE, FALSE, ObjectName(folder, kRequest).c_str());
    if (stop_ && request_) thread_ = std::thread([this] { Listen(); });
  }
  ~WindowsClaim() override {
    if (thread_.joinable()) {
      SetEvent(stop_);
      thread_.join();
    }
    for (HANDLE h : {request_, stop_, process_, mutex_}) {
      if (h) CloseHandle(h);
    }
  }

 private:
  void Listen() {
    const HANDLE events[] = {stop_, request_};
    while (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) Asked();
  }

  HANDLE mutex_ = nullptr, process_ = nullptr, stop_ = nullptr, request_ = nullptr;
  std::thread thread_;
};

}  // namespace

std::unique_ptr<RunDirectoryClaim> ClaimOnThisSystem(const std::filesystem::path& runDirectory) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, ObjectName(runDirectory, kMutex).c_str());
  if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    AskForward(runDirectory);
    return nullptr;
  }
  return std::make_unique<WindowsClaim>(mutex, runDirectory);
}

}  // namespace platform
