#pragma once

namespace core {

// What kind of cause made a write fail, from the errno value the file store
// leaves (on Windows it maps the system's error codes to these values).
enum class WriteFailure {
  Unknown,  // no cause known (0)
  NoPermission,
  ReadOnlyDisk,
  DiskFull,  // no space, or the quota is used up
  InUse,     // another program holds the file
  PathTooLong,
  Other,  // any other cause; shown with its number
};

WriteFailure WriteFailureOf(int error);

}  // namespace core
