#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/FileStore.h"
#include "ui/HandlerTable.h"
#include "ui/Layer.h"
#include "updater/Fetch.h"
#include "updater/HttpClient.h"

namespace updater {

// The most each fetch accepts. A text beyond its cap counts as a failed
// fetch; a program file beyond its cap is not installed.
struct FetchLimits {
  int64_t maxTextBytes = int64_t{64} << 10;
  int64_t maxProgramBytes = int64_t{512} << 20;
};

// The handlers of UpdaterWindow. The fetches run in the background; their
// results arrive as later events on the UI thread. One fetch at a time: a
// click while one runs is ignored.
class Updater {
 public:
  // baseUrl ends in "/assets/".
  Updater(ui::Layer& ui, core::FileStore& files, HttpClient& http, std::string baseUrl,
          FetchLimits limits = {});

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
  void FinishDownload(FetchError error);

  ui::Layer& ui_;
  core::FileStore& files_;
  HttpClient& http_;
  std::string baseUrl_;
  FetchLimits limits_;
  bool busy_ = false;
  bool updateEnabled_ = false;
  std::string updateCaption_;  // the caption of "更新" while a download shows progress
  std::string shownProgress_;
};

}  // namespace updater
