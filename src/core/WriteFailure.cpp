#include "core/WriteFailure.h"

#include <cerrno>

namespace core {

WriteFailure WriteFailureOf(int error) {
  switch (error) {
    case 0:
      return WriteFailure::Unknown;
    case EACCES:
    case EPERM:
      return WriteFailure::NoPermission;
    case EROFS:
      return WriteFailure::ReadOnlyDisk;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return WriteFailure::DiskFull;
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
      return WriteFailure::InUse;
    case ENAMETOOLONG:
      return WriteFailure::PathTooLong;
    default:
      return WriteFailure::Other;
  }
}

}  // namespace core
