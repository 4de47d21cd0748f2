#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace core {
class FileStore;
}

namespace draw {

// How much of the register of name-list files the program reads. A register
// grows by one line a save and a class has a few lists; far more lines than
// these are a file gone wrong, and reading it all would hold up every draw.
inline constexpr std::size_t kMaxRegisterLines = 10000;
inline constexpr std::size_t kMaxRegisterBytes = std::size_t{4} << 20;

// The register's lines as the lists on screen and the draw read them
// (RegisterLines), from its start: at most kMaxRegisterLines lines, in its
// first kMaxRegisterBytes bytes; a line those bytes cut off is not read.
// whole tells whether that was all of it.
struct RegisterRead {
  std::vector<std::string> lines;
  bool whole = true;
};
RegisterRead ReadRegister(const core::FileStore& files);

}  // namespace draw
