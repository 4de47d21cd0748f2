#pragma once

#include <sys/types.h>

#include <filesystem>
#include <initializer_list>
#include <string_view>

// The Linux writers of whole files, shared by the file store, the updater and
// the platform's own files, so that each write is as safe as the others.
namespace core::native {

// Writes every byte to the open file: a write that a signal interrupts is
// made again, and one that the system cuts short goes on from where it
// stopped. Returns 0, or the errno value of the failure (EIO when the disk
// takes no byte at all).
int WriteAll(int fd, std::string_view bytes);

// Writes the parts in order with WriteAll and makes sure they are on the
// disk before it reports success. Returns 0 or an errno value.
int WriteAllAndSync(int fd, std::initializer_list<std::string_view> parts);

// As WriteReplacing, with the new file's permission bits given.
int WriteReplacing(const std::filesystem::path& path, std::initializer_list<std::string_view> parts,
                   mode_t mode);

}  // namespace core::native
