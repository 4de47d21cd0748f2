#include "support/ReadOnlyFolder.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>

#include "ui/Backend.h"

namespace testing_support {
namespace {

// Root writes into any folder by its capability to override permissions. A
// thread's capabilities are its own and pass to the threads it starts.
void OverridePermissions(bool on) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
  if (::syscall(SYS_capget, &header, data) != 0) return;
  constexpr unsigned kOverride = 1u << CAP_DAC_OVERRIDE;
  if (on && (data[0].permitted & kOverride)) data[0].effective |= kOverride;
  if (!on) data[0].effective &= ~kOverride;
  ::syscall(SYS_capset, &header, data);
}

}  // namespace

ReadOnlyFolder::ReadOnlyFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
  namespace fs = std::filesystem;
  fs::permissions(folder_,
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  ui::RunOnUiThread([] { OverridePermissions(false); });
}

ReadOnlyFolder::~ReadOnlyFolder() {
  ui::RunOnUiThread([] { OverridePermissions(true); });
  std::filesystem::permissions(folder_, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
}

bool ReadOnlyFolder::Refuses() const {
  bool refused = false;
  ui::RunOnUiThread([&] {
    const std::filesystem::path probe = folder_ / "write-test";
    std::FILE* f = std::fopen(probe.c_str(), "wb");
    refused = f == nullptr;
    if (f) {
      std::fclose(f);
      std::remove(probe.c_str());
    }
  });
  return refused;
}

}  // namespace testing_support
