#include "updater/Fetch.h"

#include <cctype>
#include <memory>
#include <optional>
#include <utility>

#include "updater/PartFile.h"
#include "updater/WindowsProgramCheck.h"

namespace updater {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// A Content-Length of plain decimal digits; anything else (a list, a sign,
// an overflow) frames nothing.
std::optional<int64_t> ParseLength(std::string_view value) {
  value = Trim(value);
  if (value.empty() || value.size() > 18) return std::nullopt;
  int64_t n = 0;
  for (const char c : value) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

FetchError BodyCheck::Head(const ResponseHead& head) {
  if (head.status < 200 || head.status > 299) return FetchError::Status;
  const std::string_view coding = Trim(head.contentEncoding);
  if (!coding.empty() && !SameWord(coding, "identity")) return FetchError::Unprovable;
  const std::string_view transfer = Trim(head.transferEncoding);
  if (!transfer.empty() && !SameWord(transfer, "chunked")) return FetchError::Unprovable;
  chunked_ = !transfer.empty();
  if (!head.contentLength.empty()) {
    const auto length = ParseLength(head.contentLength);
    if (!length) return FetchError::Unprovable;
    expected_ = *length;
  }
  if (expected_ < 0 && !chunked_) return FetchError::Unprovable;
  if (expected_ > maxBytes_) return FetchError::TooLarge;
  return FetchError::None;
}

FetchError BodyCheck::Data(std::size_t bytes) {
  received_ += static_cast<int64_t>(bytes);
  if (received_ > maxBytes_) return FetchError::TooLarge;
  if (expected_ >= 0 && received_ > expected_) return FetchError::Incomplete;
  return FetchError::None;
}

FetchError BodyCheck::End(bool transferOk) const {
  if (!transferOk) return FetchError::Network;
  // With both headers the length must agree with what the chunks carried.
  if (expected_ >= 0 && received_ != expected_) return FetchError::Incomplete;
  return FetchError::None;
}

namespace {

// The state of one fetch, shared by the receiver's calls. The first failure
// is the one reported; it also stops the transfer.
struct Transfer {
  explicit Transfer(int64_t maxBytes) : check(maxBytes) {}
  BodyCheck check;
  FetchError error = FetchError::None;
  bool Keep(FetchError e) {
    if (error == FetchError::None) error = e;
    return error == FetchError::None;
  }
};

}  // namespace

void FetchText(HttpClient& http, const std::string& url, int64_t maxBytes,
               std::function<void(FetchError, std::string)> done) {
  struct Text : Transfer {
    using Transfer::Transfer;
    std::string body;
  };
  auto state = std::make_shared<Text>(maxBytes);
  http.Get(url,
           {
               [state](const ResponseHead& head) { return state->Keep(state->check.Head(head)); },
               [state](std::string_view bytes) {
                 if (!state->Keep(state->check.Data(bytes.size()))) return false;
                 state->body.append(bytes);
                 return true;
               },
               [state, done = std::move(done)](bool transferOk, std::string) {
                 state->Keep(state->check.End(transferOk));
                 if (state->error != FetchError::None) state->body.clear();
                 done(state->error, std::move(state->body));
               },
           });
}

void FetchProgramFile(HttpClient& http, const std::string& url, const std::filesystem::path& target,
                      int64_t maxBytes, std::function<void(int64_t, int64_t)> progress,
                      std::function<void(FetchError)> done) {
  struct Program : Transfer {
    using Transfer::Transfer;
    std::filesystem::path target;
    std::unique_ptr<PartFile> file;  // made once the head is accepted
    WindowsProgramCheck program;
  };
  auto state = std::make_shared<Program>(maxBytes);
  state->target = target;
  http.Get(url,
           {
               [state](const ResponseHead& head) {
                 if (!state->Keep(state->check.Head(head))) return false;
                 state->file = std::make_unique<PartFile>(state->target);
                 return state->Keep(state->file->Ok() ? FetchError::None : FetchError::Save);
               },
               [state, progress = std::move(progress)](std::string_view bytes) {
                 if (!state->Keep(state->check.Data(bytes.size()))) return false;
                 state->program.Add(bytes);
                 if (!state->Keep(state->program.Possible() ? FetchError::None
                                                            : FetchError::NotAProgram))
                   return false;
                 if (!state->Keep(state->file->Append(bytes) ? FetchError::None : FetchError::Save))
                   return false;
                 if (progress) progress(state->check.Received(), state->check.Expected());
                 return true;
               },
               [state, done = std::move(done)](bool transferOk, std::string) {
                 state->Keep(state->check.End(transferOk));
                 // An empty program file is no program.
                 if (state->check.Received() == 0) state->Keep(FetchError::Incomplete);
                 if (!state->program.Passed()) state->Keep(FetchError::NotAProgram);
                 if (state->error == FetchError::None && !(state->file && state->file->Commit()))
                   state->Keep(FetchError::Save);
                 state->file.reset();
                 done(state->error);
               },
           });
}

std::string EncodePathSegment(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    const bool keep = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
                      b == '-' || b == '.' || b == '_' || b == '~';
    if (keep) {
      out += c;
    } else {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 0x0F];
    }
  }
  return out;
}

}  // namespace updater
