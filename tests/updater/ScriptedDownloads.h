#pragma once

// The answers the standalone test server gives under /assets/<case>/kestrin.exe,
// shared by the server program and the tests that run in another process
// (the Windows build under Wine, which cannot hold the OpenSSL server itself).

#include <cstddef>
#include <string>

namespace testing_support {

// The smallest shape of a Windows program the updater installs: "MZ", the
// offset 0x40 at 0x3C, "PE\0\0" there; then filler up to size bytes (at
// least 0x44).
inline std::string WindowsProgram(std::size_t size, char filler = 'x') {
  std::string program(size, filler);
  program.replace(0, 2, "MZ");
  program.replace(0x3C, 4, std::string("\x40\0\0\0", 4));
  program.replace(0x40, 4, std::string("PE\0\0", 4));
  return program;
}

// The program file the whole answers carry.
inline std::string ScriptedProgram() {
  return WindowsProgram(200002);
}

// What a server's error page answered with 200 OK looks like.
inline const char* kErrorPage = "<html>Not Found</html>\n";

// A test cap: below the "over-cap" answers, above every other.
constexpr long long kScriptedCapBytes = 1 << 20;

}  // namespace testing_support
