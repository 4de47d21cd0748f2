#pragma once

#include <cstdint>
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
int WriteReplacing(const std::filesystem::path& path,
                   std::initializer_list<std::string_view> parts);

// Writes the parts over the existing file itself: opens it for writing (it is
// not created), truncates it, writes and makes sure the bytes are on the disk.
// For a file that may be written where no file may be made beside it; a
// failure part way leaves the file cut short. Returns 0 or an errno value.
int WriteInPlace(const std::filesystem::path& path, std::initializer_list<std::string_view> parts);

// Temporary files beside their targets, ".<target's name>.XXXXXX" with six
// letters or digits at the end. The writer holds its file from the moment it
// is made until it has been renamed over its target or removed, and the hold
// ends with the writer's process, however that ends. A held file is being
// written; one that is not held was left by a writer that has gone.
// (Linux: an exclusive lock on the open file; Windows: the open handle, which
// shares nothing but deletion.)
inline constexpr std::intptr_t kNoFile = -1;
// Makes a new held temporary file beside target, open for writing; its path
// goes to made. kNoFile, with errno set, when it cannot be made.
std::intptr_t CreateTemporaryFile(const std::filesystem::path& target, std::filesystem::path& made);
// Makes sure the file's bytes are on the disk, renames it over target and
// makes the new name last, and only then lets go of it. On failure the
// temporary file goes and target is as it was. Returns 0 or an errno value.
int PlaceTemporaryFile(std::intptr_t file, const std::filesystem::path& made,
                       const std::filesystem::path& target);
// Removes the temporary file and lets go of it.
void DiscardTemporaryFile(std::intptr_t file, const std::filesystem::path& made);
// Removes the regular file when no writer holds it; true when it was removed.
bool RemoveIfAbandoned(const std::filesystem::path& file);

}  // namespace core::native
