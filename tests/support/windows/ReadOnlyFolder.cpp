#include "support/ReadOnlyFolder.h"

#include <aclapi.h>
#include <windows.h>

#include <string>

namespace testing_support {
namespace {

// The folder's own access list: with deny, the current user may not add files
// or folders to it (Wine turns that into the Unix folder's permission bits);
// without, the folder inherits its parent's list again.
void SetAccessList(const std::filesystem::path& folder, bool deny) {
  EXPLICIT_ACCESSW entry{};
  entry.grfAccessPermissions = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY;
  entry.grfAccessMode = DENY_ACCESS;
  entry.grfInheritance = NO_INHERITANCE;
  entry.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
  wchar_t currentUser[] = L"CURRENT_USER";
  entry.Trustee.ptstrName = currentUser;
  PACL list = nullptr;
  if (deny && SetEntriesInAclW(1, &entry, nullptr, &list) != ERROR_SUCCESS) return;
  std::wstring path = folder.native();
  SetNamedSecurityInfoW(path.data(), SE_FILE_OBJECT,
                        DACL_SECURITY_INFORMATION | (deny ? PROTECTED_DACL_SECURITY_INFORMATION
                                                          : UNPROTECTED_DACL_SECURITY_INFORMATION),
                        nullptr, nullptr, list, nullptr);
  if (list) LocalFree(list);
}

}  // namespace

ReadOnlyFolder::ReadOnlyFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
  SetAccessList(folder_, true);
}

ReadOnlyFolder::~ReadOnlyFolder() {
  SetAccessList(folder_, false);
}

bool ReadOnlyFolder::Refuses() const {
  const std::wstring probe = (folder_ / L"write-test").native();
  HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return true;
  CloseHandle(file);
  return false;
}

}  // namespace testing_support
