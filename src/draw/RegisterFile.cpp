#include "draw/RegisterFile.h"

#include "core/FileStore.h"
#include "draw/NameListFile.h"
#include "draw/NameListRegister.h"

namespace draw {

RegisterRead ReadRegister(const core::FileStore& files) {
  RegisterRead read;
  std::string bytes = files.ReadFileStart(files.Path(kRegisterFile), kMaxRegisterBytes + 1);
  if (bytes.size() > kMaxRegisterBytes) {
    // The line the limit cuts through is dropped whole: part of a path names
    // another file.
    read.whole = false;
    bytes.resize(kMaxRegisterBytes);
    const std::size_t end = bytes.find_last_of(std::string_view("\n\0\x1A", 3));
    bytes.resize(end == std::string::npos ? 0 : end + 1);
  }
  read.lines = RegisterLines(bytes, kMaxRegisterLines + 1);
  if (read.lines.size() > kMaxRegisterLines) {
    read.lines.pop_back();
    read.whole = false;
  }
  return read;
}

}  // namespace draw
