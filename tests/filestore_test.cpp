#include "core/FileStore.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "core/ResourceFile.h"
#include "support/TempDir.h"
#include "support/TextLiterals.h"
#include "ui/FontFaces.h"

namespace {

namespace fs = std::filesystem;
using testing_support::G;

class FileStoreTest : public testing::Test {
 protected:
  void SetUp() override { dir_ = testing_support::MakeTempDir("brevant-store"); }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
  int asked_ = 0;
  core::FileStore store_{[this] {
    ++asked_;
    return dir_;
  }};
};

TEST_F(FileStoreTest, EitherSeparatorNamesTheSameFileInTheRunDirectory) {
  EXPECT_TRUE(store_.Write("\\admin_pwd.vlok", "secret"));
  EXPECT_EQ(store_.Read("/admin_pwd.vlok"), "secret");
  EXPECT_EQ(store_.Path("\\root\\root.vlok"), dir_ / "root" / "root.vlok");
  // The run directory is asked for anew by every operation.
  const int before = asked_;
  store_.Exists("a");
  store_.Read("a");
  EXPECT_EQ(asked_, before + 2);
}

TEST_F(FileStoreTest, EmptyAndMissingFilesAndZeroBytes) {
  EXPECT_FALSE(store_.Exists("RS.vlok"));
  EXPECT_EQ(store_.Read("RS.vlok"), "");
  EXPECT_TRUE(store_.Write("RS.vlok", ""));
  EXPECT_TRUE(store_.Exists("RS.vlok"));
  EXPECT_EQ(fs::file_size(dir_ / "RS.vlok"), 0u);
  store_.Write("CH.vlok", std::string("ab\0cd", 5));
  EXPECT_EQ(store_.Read("CH.vlok"), "ab");
  EXPECT_EQ(store_.ReadWholeFile(store_.Path("CH.vlok")).size(), 5u);
  EXPECT_EQ(store_.ReadWholeFile(fs::path()), "");
  // A directory is not a readable file.
  fs::create_directory(dir_ / "folder");
  EXPECT_FALSE(store_.Exists("folder"));
  EXPECT_EQ(store_.Read("folder"), "");
}

TEST_F(FileStoreTest, WholeFileWritesReplaceTheFileAndLeaveNoTemporaryFiles) {
  EXPECT_TRUE(store_.WriteWholeFile(store_.Path("1.vlok"), {"1", "", "2"}));
  EXPECT_EQ(store_.Read("1.vlok"), "12");
  EXPECT_TRUE(store_.Write("1.vlok", "7"));
  EXPECT_EQ(store_.Read("1.vlok"), "7");
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_)) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST_F(FileStoreTest, AFailedWriteKeepsTheOldFile) {
  // The target is a directory: nothing can replace it, and nothing else changes.
  fs::create_directory(dir_ / "language.vlok");
  EXPECT_FALSE(store_.Write("language.vlok", "English"));
  EXPECT_EQ(errno, EISDIR);  // the cause, for the message that explains it
  EXPECT_TRUE(fs::is_directory(dir_ / "language.vlok"));
  EXPECT_FALSE(store_.WriteWholeFile(dir_ / "missing" / "x.vlok", "x"));
  EXPECT_EQ(errno, ENOENT);
}

TEST_F(FileStoreTest, AReadOnlyFileKeepsItsContentAndALinkIsWrittenThrough) {
  // Marked read-only by the teacher: the write fails as a refused write,
  // although the directory would allow renaming a new file over it.
  store_.Write("RS.vlok", "30");
  fs::permissions(dir_ / "RS.vlok",
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_FALSE(store_.Write("RS.vlok", "45"));
  EXPECT_EQ(errno, EACCES);
  EXPECT_EQ(store_.Read("RS.vlok"), "30");
  fs::permissions(dir_ / "RS.vlok", fs::perms::owner_write, fs::perm_options::add);
#ifndef _WIN32
  // A link stays a link; the file it names gets the content, also when it
  // does not exist yet.
  fs::create_directory(dir_ / "kept");
  store_.WriteWholeFile(dir_ / "kept" / "CH.vlok", "old");
  fs::create_symlink("kept/CH.vlok", dir_ / "CH.vlok");
  fs::create_symlink(dir_ / "kept" / "new.vlok", dir_ / "1.vlok");
  EXPECT_TRUE(store_.Write("CH.vlok", "new"));
  EXPECT_TRUE(store_.Write("1.vlok", "5"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "CH.vlok"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "1.vlok"));
  EXPECT_EQ(store_.ReadTextFile(dir_ / "kept" / "CH.vlok"), "new");
  EXPECT_EQ(store_.ReadTextFile(dir_ / "kept" / "new.vlok"), "5");
#endif
}

// A teacher may write the settings files but not add files to the program's
// folder: such a file is written in place, one the teacher may not write
// keeps its content, and a missing one cannot be made; the failures say why.
// Checks the store in folder and returns what went wrong ("" for nothing).
std::string WriteWhereNoFileMayBeMade(const fs::path& folder) {
  core::FileStore store([folder] { return folder; });
  std::string wrong;
  auto check = [&wrong](bool holds, const char* what) {
    if (!holds) wrong += std::string(what) + "; ";
  };
  check(store.Write("RS.vlok", "45"), "the writable file is written");
  check(store.Read("RS.vlok") == "45", "it holds the new content");
  check(!store.Write("CH.vlok", "new") && errno == EACCES, "the file not to be written is refused");
  check(store.Read("CH.vlok") == "x", "it keeps its content");
  check(!store.Write("new.vlok", "1") && errno == EACCES, "a new file cannot be made");
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder)) ++entries;
  check(entries == 2, "nothing else is left in the folder");
  store.Write("RS.vlok", "30");
  return wrong;
}

#ifndef _WIN32
// The folder belongs to root and only root may add files to it, as a school
// installs the program; the checks run as another user.
TEST_F(FileStoreTest, AWritableFileIsWrittenInPlaceWhereNoFileMayBeMade) {
  store_.Write("RS.vlok", "30");
  store_.Write("CH.vlok", "x");
  ::chmod((dir_ / "RS.vlok").c_str(), 0666);
  ::chmod((dir_ / "CH.vlok").c_str(), 0644);
  if (::geteuid() != 0) {
    // Not root: the folder is made read-only for its owner, this user.
    ::chmod(dir_.c_str(), 0555);
    ::chmod((dir_ / "CH.vlok").c_str(), 0444);
    const std::string wrong = WriteWhereNoFileMayBeMade(dir_);
    ::chmod(dir_.c_str(), 0755);
    EXPECT_EQ(wrong, "");
    return;
  }
  ::chmod(dir_.c_str(), 0755);
  int report[2];
  ASSERT_EQ(::pipe(report), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(report[0]);
    const uid_t nobody = 65534;
    std::string wrong = ::setgid(nobody) == 0 && ::setuid(nobody) == 0
                            ? WriteWhereNoFileMayBeMade(dir_)
                            : std::string("cannot become nobody");
    (void)!::write(report[1], wrong.data(), wrong.size());
    ::_exit(0);
  }
  ::close(report[1]);
  std::string wrong;
  char buffer[512];
  for (ssize_t n; (n = ::read(report[0], buffer, sizeof buffer)) > 0;)
    wrong.append(buffer, static_cast<std::size_t>(n));
  ::close(report[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (wrong == "cannot become nobody") GTEST_SKIP() << "this process may not change its user";
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(wrong, "");
}
#else
// Windows: scripts/brevant.sh makes such a folder for the run under Wine (the
// Linux folder cannot take new files, "RS.vlok" may be written, "CH.vlok" is
// read-only) and names it in BREVANT_LOCKED_FOLDER.
TEST(FileStoreLockedFolder, AWritableFileIsWrittenInPlaceWhereNoFileMayBeMade) {
  const char* folder = std::getenv("BREVANT_LOCKED_FOLDER");
  if (!folder) GTEST_SKIP() << "no folder that refuses new files: BREVANT_LOCKED_FOLDER is not set";
  EXPECT_EQ(WriteWhereNoFileMayBeMade(folder), "");
}
#endif

TEST_F(FileStoreTest, ReplacingAProgramFileKeepsItsRunBit) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows files have no run bit";
#endif
  const fs::path program = dir_ / "downloader.exe";
  store_.WriteWholeFile(program, "old");
  fs::permissions(program, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
  store_.WriteWholeFile(program, "new");
  EXPECT_EQ(store_.ReadTextFile(program), "new");
  EXPECT_NE(fs::status(program).permissions() & fs::perms::owner_exec, fs::perms::none);
#ifndef _WIN32
  // A new file gets the bits the process's creation mask allows.
  const mode_t before = ::umask(027);
  store_.Write("new.vlok", "1");
  ::umask(before);
  EXPECT_EQ(fs::status(dir_ / "new.vlok").permissions() & fs::perms::mask,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
#endif
}

TEST_F(FileStoreTest, DeleteReportsAMissingFile) {
  store_.Write("4.vlok", "1");
  EXPECT_TRUE(store_.Delete("4.vlok"));
  EXPECT_FALSE(store_.Delete("4.vlok"));
}

TEST_F(FileStoreTest, SequentialModesLinesAndEnds) {
  const fs::path record = store_.Path("namelist_record.vlok");
  EXPECT_EQ(store_.OpenFile(record, core::FileStore::kReadWriteExisting),
            0);  // mode 3 needs the file
  int f = store_.OpenFile(record, core::FileStore::kWriteCreate);
  ASSERT_NE(f, 0);
  store_.SeekToEnd(f);
  EXPECT_TRUE(store_.WriteLine(f, "a.txt"));
  store_.CloseFile(f);
  f = store_.OpenFile(record, core::FileStore::kWriteCreate);  // mode 5 keeps what is there
  store_.SeekToEnd(f);
  store_.WriteLine(f, "");
  store_.WriteLine(f, "b.txt");
  store_.CloseFile(f);
  EXPECT_EQ(store_.ReadWholeFile(record), "a.txt\r\n\r\nb.txt\r\n");

  f = store_.OpenFile(record, core::FileStore::kReadWriteExisting);
  EXPECT_EQ(store_.ReadLine(f), "a.txt");
  EXPECT_EQ(store_.ReadLine(f), "");
  EXPECT_EQ(store_.ReadLine(f), "b.txt");
  EXPECT_EQ(store_.ReadLine(f), "");
  store_.CloseFile(f);

  store_.Write("t.vlok", std::string("one\r\ntwo\x1Athree\0", 15));
  f = store_.OpenFile(store_.Path("t.vlok"), core::FileStore::kReadWriteExisting);
  EXPECT_EQ(store_.ReadLine(f), "one");
  EXPECT_EQ(store_.ReadLine(f), "two");  // 0x1A ends the line
  store_.CloseFile(f);
  f = store_.OpenFile(store_.Path("t.vlok"), core::FileStore::kReadWriteExisting);
  EXPECT_EQ(store_.ReadText(f), "one\r\ntwo");
  store_.CloseFile(f);
  EXPECT_EQ(store_.ReadLine(f), "");  // a closed file number reads nothing
}

}  // namespace

// Names and run directories in Chinese mean the same characters on every
// system, not the GBK bytes of their text.
// A copy of a resource is known by its size and CRC-32 alone: only a file
// with exactly the resource's bytes matches.
TEST_F(FileStoreTest, OnlyAWholeCopyMatchesItsResourcesDigest) {
  const std::string resource = "glyphs and more glyphs";
  const core::FileDigest digest = core::DigestOf(resource);
  const fs::path copy = dir_ / "copy.ttf";
  std::string altered = resource;
  altered[3] ^= 1;
  for (const std::string& bytes : {resource.substr(1), resource + "x", altered, std::string()}) {
    ASSERT_TRUE(store_.WriteWholeFile(copy, bytes));
    EXPECT_FALSE(core::MatchesDigest(copy, digest)) << bytes;
  }
  ASSERT_TRUE(store_.WriteWholeFile(copy, resource));
  EXPECT_TRUE(core::MatchesDigest(copy, digest));
  EXPECT_FALSE(core::MatchesDigest(dir_ / "missing.ttf", digest));
  EXPECT_FALSE(core::MatchesDigest(dir_, core::DigestOf("")));

  // A face's copy found whole once is asked about again without reading it,
  // until it changes.
  const ui::FontFace face{resource, digest, copy};
  EXPECT_TRUE(face.CopyIsWhole());
  ASSERT_TRUE(store_.WriteWholeFile(copy, altered));
  fs::last_write_time(copy, fs::last_write_time(copy) + std::chrono::seconds(2));
  EXPECT_FALSE(face.CopyIsWhole());
  EXPECT_FALSE((ui::FontFace{resource, digest, {}}.CopyIsWhole()));
}

TEST(FileStorePaths, TextsNameFilesByTheirCharacters) {
  const fs::path root = testing_support::MakeTempDir("brevant-paths");
  const fs::path runDir = root / fs::path(u8"程序");
  fs::create_directory(runDir);
  core::FileStore store([&runDir] { return runDir; });
  EXPECT_TRUE(store.Write(G("名单.vlok"), G("张三")));
  EXPECT_TRUE(fs::is_regular_file(runDir / fs::path(u8"名单.vlok")));
  EXPECT_EQ(store.Read(G("名单.vlok")), G("张三"));
  const std::string typed = G("一班.txt");
  EXPECT_EQ(core::FileStore::PathFromText(typed), fs::path(u8"一班.txt"));
  const int f = store.OpenFile(store.Path(G("记录.vlok")), core::FileStore::kWriteCreate);
  ASSERT_NE(f, 0);
  EXPECT_TRUE(store.WriteLine(f, "x"));
  store.CloseFile(f);
  EXPECT_EQ(fs::file_size(runDir / fs::path(u8"记录.vlok")), 3u);
  EXPECT_TRUE(store.Delete(G("名单.vlok")));
  EXPECT_FALSE(fs::exists(runDir / fs::path(u8"名单.vlok")));
  fs::remove_all(root);
}
