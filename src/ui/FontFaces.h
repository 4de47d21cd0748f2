#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "core/ResourceFile.h"

namespace ui {

// One face of the program's font family: its bytes where the program carries
// it, the digest that tells copies of it from other files, and a file that may
// hold such a copy. The bytes must stay valid for as long as the window system
// runs.
struct FontFace {
  std::string_view bytes;
  core::FileDigest digest;
  std::filesystem::path copy;  // empty: none

  // Whether the copy is there and holds exactly the face. Reads the copy,
  // unless it was found whole earlier in this run and has not changed since.
  // Safe on any thread.
  bool CopyIsWhole() const;
};

struct FontFaces {
  FontFace regular, light, bold;
};

// The faces the main program carries whole. With a folder, each names its copy
// there: "wk.ttf", "wkL.ttf" and "wkB.ttf" (an empty folder is the current one).
FontFaces EmbeddedFontFaces(const std::optional<std::filesystem::path>& copies = std::nullopt);

// The same faces as copies in folder alone, without their bytes, for a program
// that does not carry them.
FontFaces FontFaceCopies(const std::filesystem::path& folder);

}  // namespace ui
