#include "updater/Messages.h"

#include "core/SettingFile.h"
#include "core/Text.h"
#include "i18n/Language.h"

namespace updater {
namespace {

// Columns in the order of i18n::Language: Chinese, English, Japanese, Russian.
using Row = i18n::PerLanguage<const char*>;

constexpr Row kDownloadFailed = {
    "下载失败，请稍后再试。",
    "The download failed. Please try again later.",
    "ダウンロードに失敗しました。後でもう一度お試しください。",
    "Не удалось загрузить файл. Попробуйте позже.",
};
constexpr Row kAnswerRefused = {
    "无法确认服务器的回答是否完整，已保留原有文件。",
    "The server's answer could not be checked for completeness. The old file was kept.",
    "サーバーの応答が完全か確認できません。元のファイルはそのままです。",
    "Не удалось проверить полноту ответа сервера. Прежний файл сохранён.",
};
constexpr Row kTooLarge = {
    "要下载的文件过大，已取消下载。",
    "The file is too large. The download was cancelled.",
    "ファイルが大きすぎるため、ダウンロードを中止しました。",
    "Файл слишком большой. Загрузка отменена.",
};
constexpr Row kNotAProgram = {
    "下载到的文件不是 Windows 程序（服务器可能发来了错误页面），已保留原有文件。",
    "The downloaded file is not a Windows program (the server may have sent an error page). The "
    "old file was kept.",
    "ダウンロードしたファイルは Windows のプログラムではありません"
    "（サーバーがエラーページを送った可能性があります）。元のファイルはそのままです。",
    "Загруженный файл не является программой Windows (возможно, сервер прислал страницу ошибки). "
    "Прежний файл сохранён.",
};
constexpr Row kSaveFailed = {
    "无法保存 kestrin.exe，已保留原有文件。",
    "kestrin.exe could not be saved. The old file was kept.",
    "kestrin.exe を保存できませんでした。元のファイルはそのままです。",
    "Не удалось сохранить kestrin.exe. Прежний файл сохранён.",
};

const Row& RowOf(Message message) {
  switch (message) {
    case Message::DownloadFailed:
      return kDownloadFailed;
    case Message::AnswerRefused:
      return kAnswerRefused;
    case Message::TooLarge:
      return kTooLarge;
    case Message::NotAProgram:
      return kNotAProgram;
    case Message::SaveFailed:
      return kSaveFailed;
  }
  return kDownloadFailed;
}

}  // namespace

std::string MessageText(Message message, const core::FileStore& files) {
  const i18n::Language language = i18n::MatchLanguage(core::ReadSetting(files, "language.vlok"))
                                      .value_or(i18n::Language::Chinese);
  return text::Gbk(RowOf(message)[language]);
}

}  // namespace updater
