#pragma once

#include <filesystem>
#include <string_view>

namespace core {

// Whether path names a regular file (a link does not count) whose content is
// exactly bytes. Reads the file in pieces; a file that cannot be read does
// not hold them.
bool HoldsExactly(const std::filesystem::path& path, std::string_view bytes);

// Gives back the memory pages that hold a resource carried in the program
// file once it has been written out: the system reads them again from the
// program file if they are used later. Only for read-only data of the
// program file (the embedded resources); the pages of any other memory
// would lose their content. Does nothing where the system has no such call.
void ReleaseResourcePages(std::string_view resource);

}  // namespace core
