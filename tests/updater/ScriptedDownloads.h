#pragma once

// The answers the standalone test server gives under /assets/<case>/kestrin.exe,
// shared by the server program and the tests that run in another process
// (the Windows build under Wine, which cannot hold the OpenSSL server itself).

#include <string>

namespace testing_support {

// The program file the whole answers carry.
inline std::string ScriptedProgram() {
  return "MZ" + std::string(200000, 'x');
}

// A test cap: below the "over-cap" answers, above every other.
constexpr long long kScriptedCapBytes = 1 << 20;

}  // namespace testing_support
