#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "i18n/Language.h"

namespace i18n {

// A message the program shows of its own accord, in every interface
// language (UTF-8 in the source), in the order of Language. "{}" marks where
// an argument goes, in order; the arguments are GBK texts such as file names.
using Message = PerLanguage<const char*>;

// The message in one language, as GBK.
std::string Say(const Message& message, Language language,
                std::initializer_list<std::string_view> args = {});

class LanguageSetting;

// The message in the language the teacher reads: the stored one, read now as
// the announcements read it; Chinese when the setting is none of them.
std::string Say(const LanguageSetting& setting, const Message& message,
                std::initializer_list<std::string_view> args = {});

// The program's own messages. Add a new one here and to kAllMessages, which
// the tests check for texts that GBK cannot hold.
namespace msg {

inline constexpr Message kHeadcountMissing{
    "人数必须至少为1，请在设置页设置人数。",
    "The number of students must be at least 1. Please set it on the Setting page.",
    "人数は1以上にしてください。設定ページで人数を設定してください。",
    "Число учеников должно быть не меньше 1. Укажите его на странице Настр."};

inline constexpr Message kPasswordNotSaved{
    "密码未能保存：无法写入程序目录中的密码文件，请检查后重试。",
    "The password was not saved: the password file in the program's folder could not be written. "
    "Please check and try again.",
    "パスワードを保存できませんでした。"
    "プログラムのフォルダーにあるパスワードファイルに書き込めません。"
    "確認してからもう一度お試しください。",
    "Пароль не сохранён: не удалось записать файл пароля в папке программы. Проверьте и попробуйте "
    "ещё раз."};

// A failed save: the title, one line per file ({} the file, {} the reason),
// then the reasons.
inline constexpr Message kSaveFailedTitle{"保存失败", "Save failed", "保存に失敗しました",
                                          "Ошибка сохранения"};
inline constexpr Message kCannotSaveFile{"无法保存文件 {}：{}。", "Could not save the file {}: {}.",
                                         "ファイル {} を保存できませんでした：{}。",
                                         "Не удалось сохранить файл {}: {}."};
inline constexpr Message kFolderInTheWay{
    "已有同名的文件夹", "a folder of the same name is in the way", "同じ名前のフォルダーがあります",
    "уже есть папка с таким именем"};
inline constexpr Message kNoProgramFolder{
    "程序所在的文件夹不存在", "the program's folder does not exist",
    "プログラムのフォルダーが存在しません", "папка программы не существует"};
inline constexpr Message kNoWritePermission{"没有写入权限", "there is no permission to write",
                                            "書き込みが許可されていません",
                                            "нет разрешения на запись"};
inline constexpr Message kReadOnlyDisk{"磁盘是只读的", "the disk is read-only",
                                       "ディスクは読み取り専用です", "диск только для чтения"};
inline constexpr Message kDiskFull{"磁盘空间不足", "the disk is full",
                                   "ディスクの空き容量が足りません", "на диске не хватает места"};
inline constexpr Message kFileInUse{"文件正在被使用", "the file is in use", "ファイルは使用中です",
                                    "файл занят другой программой"};
inline constexpr Message kPathTooLong{"路径太长", "the path is too long", "パスが長すぎます",
                                      "слишком длинный путь"};
inline constexpr Message kUnknownError{"未知错误", "unknown error", "不明なエラー",
                                       "неизвестная ошибка"};
inline constexpr Message kSystemError{"系统错误 {}", "system error {}", "システムエラー {}",
                                      "системная ошибка {}"};

// A name-list path with characters GBK cannot hold ({} the path as shown).
inline constexpr Message kPathNotStorable{
    "路径中有无法保存的字符（显示为“?”），程序将找不到这个名单文件。"
    "请把文件或文件夹改用常用的中英文字符命名后再保存。\r\n{}",
    "The path has characters that cannot be stored (shown as \"?\"), so the program would not find "
    "this name list. Please rename the file or folder with common Chinese or English characters "
    "and save again.\r\n{}",
    "パスに保存できない文字（「?"
    "」と表示）があるため、プログラムはこの名簿ファイルを見つけられません。"
    "ファイルまたはフォルダーを一般的な中国語か英語の文字で名前を付け直してから保存してください。\r"
    "\n{}",
    "В пути есть символы, которые нельзя сохранить (показаны как \"?\"), и программа не найдёт "
    "этот "
    "список. Переименуйте файл или папку обычными китайскими или латинскими буквами и сохраните "
    "снова.\r\n{}"};

// At start, when the program's folder takes no new file ({} the folder).
inline constexpr Message kFolderNotWritableTitle{"无法保存", "Cannot save", "保存できません",
                                                 "Сохранение невозможно"};
inline constexpr Message kFolderNotWritable{
    "程序所在的文件夹无法写入，设置和分数都不能保存在这里。"
    "请把程序复制到可以写入的文件夹（例如桌面），再从那里打开。\r\n{}",
    "Settings and scores cannot be saved in this folder: the program cannot write to it. Copy "
    "the program to a folder you can write to, such as the desktop, and start it from there.\r\n{}",
    "このフォルダーには書き込めないため、設定とスコアを保存できません。"
    "プログラムをデスクトップなど書き込めるフォルダーにコピーして、"
    "そこから起動してください。\r\n{}",
    "В этой папке нельзя сохранить настройки и очки: программа не может в неё записывать. "
    "Скопируйте программу в папку, доступную для записи, например на рабочий стол, и запустите "
    "её оттуда.\r\n{}"};

// The register of name lists is longer than the program reads ({} the file,
// {} how many lines were read).
inline constexpr Message kRegisterCutShort{
    "名单记录文件 {} 太长，只读取了前 {} 行。后面的名单没有读取，不能在这里选择。",
    "The register of name lists {} is too long: only its first {} lines were read. The lists "
    "after them were not read and cannot be chosen here.",
    "名簿の記録ファイル {} が長すぎるため、最初の {} 行だけを読み込みました。"
    "それ以降の名簿は読み込まれていないため、ここでは選べません。",
    "Файл со списками {} слишком длинный: прочитаны только первые {} строк. Списки после них не "
    "прочитаны, и их здесь нельзя выбрать."};

inline constexpr const Message* kAllMessages[] = {
    &kHeadcountMissing,  &kPasswordNotSaved, &kSaveFailedTitle,
    &kCannotSaveFile,    &kFolderInTheWay,   &kNoProgramFolder,
    &kNoWritePermission, &kReadOnlyDisk,     &kDiskFull,
    &kFileInUse,         &kPathTooLong,      &kUnknownError,
    &kSystemError,       &kPathNotStorable,  &kFolderNotWritableTitle,
    &kFolderNotWritable, &kRegisterCutShort,
};

}  // namespace msg
}  // namespace i18n
