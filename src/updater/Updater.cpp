#include "updater/Updater.h"

#include <algorithm>

#include "core/Text.h"
#include "companions/ProgramFile.h"
#include "ui/Catalogue.h"

namespace updater {
namespace {

namespace W = ui::UpdaterWindow;

const std::string& DownloadFailed() {
  static const std::string text = text::Gbk("下载失败，请稍后再试。");
  return text;
}

const std::string& MessageTitle() {
  static const std::string text = text::Gbk("信息：");
  return text;
}

}  // namespace

Updater::Updater(ui::Layer& ui, core::FileStore& files, HttpClient& http, std::string baseUrl)
    : ui_(ui), files_(files), http_(http), baseUrl_(std::move(baseUrl)) {}

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
      const double local = text::ToNumber(files_.Read("version.txt"));
      const double latest = text::ToNumber(ui_.Text(W::编辑框1));
      if (local < latest) EnableUpdate();
      busy_ = false;
    });
  });
}

void Updater::OnUpdateClick() {
  if (busy_) return;
  busy_ = true;
  const std::string url = baseUrl_ + EncodePath(ui_.Text(W::编辑框1)) + ".1/kestrin.exe";
  updateCaption_ = ui_.Text(W::按钮2);
  shownProgress_.clear();
  http_.Get(
      url, [this](int64_t received, int64_t total) { ShowProgress(received, total); },
      [this](HttpResponse response) { FinishDownload(response); });
}

void Updater::FetchText(const std::string& name, std::function<void(std::string)> fn) {
  http_.Get(baseUrl_ + name, nullptr, [fn = std::move(fn)](HttpResponse response) {
    fn(response.ok ? std::string(text::UpToNul(response.body)) : std::string());
  });
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

void Updater::FinishDownload(const HttpResponse& response) {
  ui_.SetText(W::按钮2, updateCaption_);
  // An empty or failed download never replaces "kestrin.exe"; the write
  // itself goes through a temporary file, so the old file stays until the
  // new one is complete.
  const bool saved =
      response.ok && !response.body.empty() &&
      companions::WriteProgramFile(files_, files_.Path("kestrin.exe"), response.body);
  busy_ = false;
  if (!saved) ui_.ShowMessage(W::kWindow, DownloadFailed(), MessageTitle());
}

std::string EncodePath(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    const bool keep = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
                      b == '-' || b == '.' || b == '_' || b == '~' || b == '/';
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
