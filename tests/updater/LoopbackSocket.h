#pragma once

// The few socket calls of the TLS test server, kept apart so that the server
// itself is plain C++ and OpenSSL.

#include <cstdint>

namespace testing_support::loopback {

using Socket = std::intptr_t;
constexpr Socket kNoSocket = -1;

// A listening socket on 127.0.0.1 at a port the system chooses.
Socket Listen(int& port);
// The next connection, or kNoSocket when none came (after Shutdown, say).
Socket Accept(Socket listener);
// Wakes every thread blocked on the socket; Close it after they are done.
void Shutdown(Socket socket);
// The two ways a connection ends: an orderly close (FIN) or a reset (RST).
void Close(Socket socket);
void Reset(Socket socket);

}  // namespace testing_support::loopback
