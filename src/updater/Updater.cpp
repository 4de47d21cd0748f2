#include "updater/Updater.h"

#include <algorithm>

#include "core/SettingFile.h"
#include "core/Text.h"
#include "ui/Catalogue.h"
#include "updater/Messages.h"

namespace updater {
namespace {

namespace W = ui::UpdaterWindow;

const std::string& MessageTitle() {
  static const std::string text = text::Gbk("信息：");
  return text;
}

std::string_view TrailingBlanksDropped(std::string_view text) {
  while (!text.empty() &&
         (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

Message MessageFor(FetchError error) {
  switch (error) {
    case FetchError::Unprovable:
      return Message::AnswerRefused;
    case FetchError::TooLarge:
      return Message::TooLarge;
    case FetchError::NotAProgram:
      return Message::NotAProgram;
    case FetchError::Save:
      return Message::SaveFailed;
    default:
      return Message::DownloadFailed;
  }
}

}  // namespace

Updater::Updater(ui::Layer& ui, core::FileStore& files, HttpClient& http, std::string baseUrl,
                 FetchLimits limits)
    : ui_(ui), files_(files), http_(http), baseUrl_(std::move(baseUrl)), limits_(limits) {}

void Updater::Bind(ui::HandlerTable& table) {
  table.Bind(ui::Handler::OnCheckClick, [this] { OnCheckClick(); });
  table.Bind(ui::Handler::OnUpdateClick, [this] { OnUpdateClick(); });
}

void Updater::OnCheckClick() {
  if (busy_) return;
  busy_ = true;
  FetchText("version.txt", [this](std::string latestText) {
    ui_.SetText(W::编辑框1, latestText);
    FetchText("content.txt", [this](std::string notes) {
      ui_.SetText(W::编辑框2, notes);
      const double local = text::ToNumber(core::ReadSetting(files_, "version.txt"));
      const double latest = text::ToNumber(ui_.Text(W::编辑框1));
      if (local < latest) EnableUpdate();
      busy_ = false;
    });
  });
}

void Updater::OnUpdateClick() {
  if (busy_) return;
  busy_ = true;
  // The version is one folder name below the base URL, whatever it holds,
  // without the line end and blanks that an editor leaves after it.
  const std::string url =
      baseUrl_ +
      EncodePathSegment(std::string(TrailingBlanksDropped(ui_.Text(W::编辑框1))) + ".1") +
      "/kestrin.exe";
  updateCaption_ = ui_.Text(W::按钮2);
  shownProgress_.clear();
  // The caption shows the download under way before its first byte arrives.
  ShowProgress(0, 1);
  FetchProgramFile(
      http_, url, files_.Path("kestrin.exe"), limits_.maxProgramBytes,
      [this](int64_t received, int64_t total) { ShowProgress(received, total); },
      [this](FetchError error) { FinishDownload(error); });
}

void Updater::FetchText(const std::string& name, std::function<void(std::string)> fn) {
  updater::FetchText(
      http_, baseUrl_ + name, limits_.maxTextBytes,
      [fn = std::move(fn)](FetchError, std::string body) { fn(std::string(text::UpToNul(body))); });
}

void Updater::EnableUpdate() {
  if (updateEnabled_) return;
  updateEnabled_ = true;
  ui_.SetEnabled(W::按钮2, true);
}

void Updater::ShowProgress(int64_t received, int64_t total) {
  std::string shown;
  if (total > 0) {
    const int64_t percent = std::min<int64_t>(100, received * 100 / total);
    shown = text::FromInt(percent) + "%";
  } else {
    shown = text::FromInt(received / 1024) + " KB";
  }
  if (shown == shownProgress_) return;
  shownProgress_ = shown;
  ui_.SetText(W::按钮2, updateCaption_ + " " + shown);
}

// A failed download has left "kestrin.exe" as it was.
void Updater::FinishDownload(FetchError error) {
  ui_.SetText(W::按钮2, updateCaption_);
  busy_ = false;
  if (error != FetchError::None)
    ui_.ShowMessage(W::kWindow, MessageText(MessageFor(error), files_), MessageTitle());
}

}  // namespace updater
