#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "updater/HttpClient.h"

namespace updater {

// Why a fetch gave nothing. Everything but None is a failed fetch.
enum class FetchError {
  None,
  Network,      // no answer, a transport error, or the connection was cut
  Status,       // an answer other than 2xx
  Unprovable,   // a body whose end cannot be told from a cut: no length, not chunked, or encoded
  Incomplete,   // fewer or more bytes than announced, or nothing at all
  TooLarge,     // more than the fetch allows
  NotAProgram,  // a program file that is no Windows program (an error page, say)
  Save,         // the file could not be written
};

// Judges one answer as it arrives. A body counts as whole only when the
// transfer ended cleanly and its framing proves the end: the received count
// equals a Content-Length, or a chunked body ended with its last chunk. A
// body that ends when the connection closes cannot be told from one cut
// short, and an encoded body was not asked for; both are refused.
class BodyCheck {
 public:
  explicit BodyCheck(int64_t maxBytes) : maxBytes_(maxBytes) {}

  FetchError Head(const ResponseHead& head);
  FetchError Data(std::size_t bytes);
  FetchError End(bool transferOk) const;

  int64_t Received() const { return received_; }
  int64_t Expected() const { return expected_; }  // -1 when not announced

 private:
  int64_t maxBytes_;
  int64_t expected_ = -1;
  int64_t received_ = 0;
  bool chunked_ = false;
};

// GETs a small text whole, at most maxBytes; done gets the body, or "" and
// the reason when the fetch failed.
void FetchText(HttpClient& http, const std::string& url, int64_t maxBytes,
               std::function<void(FetchError, std::string)> done);

// GETs a program file into target. The body goes into a temporary file beside
// target as it arrives, and replaces target only when it is whole, not empty
// and a Windows program (WindowsProgramCheck); otherwise target stays as it
// was and the temporary file goes. A body that cannot be a program is given
// up as soon as that shows.
// progress gets the bytes so far and the announced total (-1 when unknown).
void FetchProgramFile(HttpClient& http, const std::string& url, const std::filesystem::path& target,
                      int64_t maxBytes, std::function<void(int64_t, int64_t)> progress,
                      std::function<void(FetchError)> done);

// A text as one segment of a URL path: letters, digits and "-._~" stay, every
// other byte ("/" too) is percent-encoded, so the text cannot leave its folder.
std::string EncodePathSegment(std::string_view bytes);

}  // namespace updater
