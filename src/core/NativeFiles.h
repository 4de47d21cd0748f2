#pragma once

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string_view>

// The few file operations that differ between systems, for the file store.
namespace core::native {

// fopen with a path of any characters.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

// The process's file-creation mask (POSIX permission bits), read without
// changing it, so that it is safe while other threads make files.
unsigned FileCreationMask();

// Whether this process may open the existing file for writing.
bool MayWrite(const std::filesystem::path& path);

// Writes the parts in order to a new temporary file in the directory of path,
// makes sure they are on the disk and renames the file over path, so that a
// failure leaves the old file as it was. A replaced file keeps its permission
// bits. Returns 0, or the first cause of failure as an errno value.
int WriteReplacing(const std::filesystem::path& path, std::initializer_list<std::string_view> parts);

}  // namespace core::native
