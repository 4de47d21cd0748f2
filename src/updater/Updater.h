#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/FileStore.h"
#include "ui/HandlerTable.h"
#include "ui/Layer.h"
#include "updater/HttpClient.h"

namespace updater {

// The handlers of UpdaterWindow. The fetches run in the background; their
// results arrive as later events on the UI thread. One fetch at a time: a
// click while one runs is ignored.
class Updater {
 public:
  // baseUrl ends in "/assets/".
  Updater(ui::Layer& ui, core::FileStore& files, HttpClient& http, std::string baseUrl);

  void Bind(ui::HandlerTable& table);

  // Shows the server's latest version and notes and enables "更新" when that
  // version is newer than the local "version.txt".
  void OnCheckClick();
  // Downloads the companion program of the version shown into "kestrin.exe".
  void OnUpdateClick();

  bool Busy() const { return busy_; }

 private:
  // GETs a text below the base URL; fn gets it up to its first zero byte, or
  // "" when the fetch failed.
  void FetchText(const std::string& name, std::function<void(std::string)> fn);
  void EnableUpdate();
  void ShowProgress(int64_t received, int64_t total);
  void FinishDownload(const HttpResponse& response);

  ui::Layer& ui_;
  core::FileStore& files_;
  HttpClient& http_;
  std::string baseUrl_;
  bool busy_ = false;
  bool updateEnabled_ = false;
  std::string updateCaption_;  // the caption of "更新" while a download shows progress
  std::string shownProgress_;
};

// The bytes of a text as a URL path: letters, digits, "-._~" and "/" stay,
// every other byte is percent-encoded.
std::string EncodePath(std::string_view bytes);

}  // namespace updater
