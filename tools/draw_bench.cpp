// Figures for the draw from large name lists and for the name-list picker,
// on the offscreen window system, acting as the teacher through the driver:
//   brevant-draw-bench              draws and picker (median and best of 9)
//   brevant-draw-bench --huge       also the picker with 1,000,000 register lines
//   brevant-draw-bench --corpus     misreads over every generated two- and
//                                   three-character name (takes minutes)
// A draw is timed from the click on the draw button until the result box is
// up with the announcement; the row "numbers only" is the same click without
// a name list, the part of the time that does not depend on the list.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/Gbk.h"
#include "draw/NameListFile.h"
#include "support/NameCorpus.h"
#include "support/TestProgram.h"
#include "ui/Backend.h"

namespace {

using testing_support::G;
using testing_support::NameCorpus;
using testing_support::TestProgram;
using Clock = std::chrono::steady_clock;
constexpr int kRounds = 9;

struct Figures {
  double median = 0, best = 0;
};

Figures Time(const std::function<void()>& before, const std::function<void()>& action,
             const std::function<void()>& after) {
  std::vector<double> ms;
  for (int i = 0; i < kRounds; ++i) {
    before();
    const auto start = Clock::now();
    action();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    after();
  }
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms.front()};
}

// A name list of n names, one per line, CR LF in GBK and LF in UTF-8.
std::string NameList(const NameCorpus& corpus, int n, bool utf8) {
  std::string list;
  for (int i = 0; i < n; ++i) {
    const std::string name = corpus.Name(static_cast<std::size_t>(i) * 7 % corpus.Count());
    list += utf8 ? name + "\n" : core::Utf8ToGbk(name) + "\r\n";
  }
  return list;
}

void BenchDraw(const NameCorpus& corpus, int n, const char* encoding) {
  TestProgram p;
  if (std::strcmp(encoding, "none") != 0)
    p.Write("namelist.txt", NameList(corpus, n, std::strcmp(encoding, "UTF-8") == 0));
  p.Write("RS.vlok", std::to_string(n));
  p.Write("CH.vlok", G("同学"));
  p.Write("ynreward.vlok", "no");
  p.StartPastSplash();
  p.ui().Click(ui::MainWindow::随机选人);
  std::string label;
  const Figures f = Time([] {}, [&] { p.ui().Click(ui::MainWindow::随机选人开始); },
                         [&] {
                           label = p.ui().Text(ui::MainWindow::标签5);
                           p.ui().AnswerMessageBox();
                         });
  std::printf("draw  %7d names  %-12s median %8.1f ms  best %8.1f ms  (%s)\n", n,
              std::strcmp(encoding, "none") == 0 ? "numbers only" : encoding, f.median, f.best,
              core::GbkToUtf8(label).c_str());
}

// The reading of the list alone: detection, conversion and splitting.
void BenchRead(const NameCorpus& corpus, int n, bool utf8) {
  const std::string list = NameList(corpus, n, utf8);
  std::size_t names = 0;
  const Figures f = Time([] {}, [&] { names = draw::NamesOfFile(list).size(); }, [] {});
  std::printf("read  %7d names  %-12s median %8.1f ms  best %8.1f ms  (%zu names)\n", n,
              utf8 ? "UTF-8" : "GBK", f.median, f.best, names);
}

void BenchPicker(int lines) {
  TestProgram p;
  p.Write("RS.vlok", "30");
  p.Write("CH.vlok", "");
  std::string record;
  const std::string folder = G("/home/teacher/名单/班级");
  for (int i = 1; i <= lines; ++i) record += folder + std::to_string(i) + ".txt\r\n";
  p.Write("namelist_record.vlok", record);
  p.Write("namelist_to_use.vlok", std::to_string(lines / 2));
  p.StartPastSplash();
  p.ui().Click(ui::MainWindow::随机选人);
  const int rounds = lines > 200000 ? 1 : kRounds;
  std::vector<double> ms;
  std::size_t items = 0;
  for (int i = 0; i < rounds; ++i) {
    const auto start = Clock::now();
    p.ui().Click(ui::MainWindow::超级按钮18);
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    // A register beyond what is read says so in a box first.
    while (p.ui().AnswerMessageBox()) {
    }
    items = p.ui().Items(ui::NameListPickerWindow::列表框1).size();
    p.ui().CloseByUser(ui::WindowId::NameListPickerWindow);
  }
  std::sort(ms.begin(), ms.end());
  std::printf("picker %7d register lines            median %8.1f ms  best %8.1f ms  (%zu items)\n",
              lines, ms[ms.size() / 2], ms.front(), items);
}

// Every generated name, GBK and UTF-8, alone and in lists of 40.
int CountMisreads(const NameCorpus& corpus) {
  long misreads = 0, lists = 0;
  std::string gbkList, utf8List;
  std::vector<std::string> names;
  const auto start = Clock::now();
  for (std::size_t i = 0; i < corpus.Count(); ++i) {
    const std::string utf8 = corpus.Name(i), gbk = core::Utf8ToGbk(utf8);
    const std::vector<std::string> alone{gbk};
    for (const std::string* bytes : {&gbk, &utf8}) {
      if (draw::NamesOfFile(*bytes) != alone) {
        if (++misreads <= 20)
          std::printf("misread alone: %s (%s)\n", utf8.c_str(), bytes == &gbk ? "GBK" : "UTF-8");
      }
    }
    gbkList += gbk + "\r\n";
    utf8List += utf8 + "\n";
    names.push_back(gbk);
    if (names.size() == 40) {
      lists += 2;
      for (const std::string* bytes : {&gbkList, &utf8List}) {
        if (draw::NamesOfFile(*bytes) != names) {
          if (++misreads <= 20)
            std::printf("misread list from: %s\n", core::GbkToUtf8(names.front()).c_str());
        }
      }
      gbkList.clear(), utf8List.clear(), names.clear();
    }
  }
  std::printf(
      "corpus: %zu names (%zu of two characters), each alone as GBK and as UTF-8, and %ld lists of "
      "40: "
      "%ld misread, %.0f s\n",
      corpus.Count(), corpus.TwoCharacterCount(), lists, misreads,
      std::chrono::duration<double>(Clock::now() - start).count());
  return misreads == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const bool corpusOnly = argc > 1 && std::strcmp(argv[1], "--corpus") == 0;
  const bool huge = argc > 1 && std::strcmp(argv[1], "--huge") == 0;
  const NameCorpus corpus;
  if (corpusOnly) return CountMisreads(corpus);
  if (argc > 1 && std::strcmp(argv[1], "--read") == 0) {  // the reading alone, for a profiler
    for (const bool utf8 : {false, true}) BenchRead(corpus, 100000, utf8);
    return 0;
  }
  return ui::RunWithUiThread(argc, argv, ui::EmbeddedFontFaces(), [&] {
    const bool pickerOnly = argc > 1 && std::strcmp(argv[1], "--picker") == 0;
    for (const int n : {10000, 100000}) {
      if (pickerOnly) break;
      for (const char* encoding : {"none", "GBK", "UTF-8"}) BenchDraw(corpus, n, encoding);
      for (const bool utf8 : {false, true}) BenchRead(corpus, n, utf8);
    }
    BenchPicker(100000);
    if (huge) BenchPicker(1000000);
    std::fflush(stdout);
    return 0;
  });
}
