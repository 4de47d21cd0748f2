#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "app/shared/App.h"
#include "core/SettingFile.h"
#include "core/Text.h"
#include "draw/Announcement.h"
#include "draw/DrawPool.h"
#include "draw/Handlers.h"
#include "draw/NameListFile.h"
#include "draw/NameListRegister.h"
#include "draw/RegisterFile.h"
#include "i18n/Language.h"
#include "i18n/Messages.h"
#include "ui/Catalogue.h"

namespace draw {
namespace {

constexpr const char* kPresetFile = "fake_end.vlok";
constexpr const char* kDefaultNameList = "namelist.txt";
constexpr const char* kRewardFile = "ynreward.vlok";
constexpr int kPasses = 3;

// What the announcement names: a name from a list, or only the number; and
// what the result window hands to the praise messages.
struct Source {
  std::optional<std::string> name;
  std::string handedOn;
};

// Entry k (1-based) of a list, or nothing when k names no entry.
std::optional<std::string> Entry(const std::vector<std::string>& list, int64_t k) {
  if (k < 1 || k > static_cast<int64_t>(list.size())) return std::nullopt;
  return list[static_cast<std::size_t>(k - 1)];
}

// A random entry position of the pool, 1..size. Between covers every size the
// int range holds; beyond it the generator's 15-bit output is below the size.
int64_t PickPosition(Generator& generator, int64_t size) {
  if (size <= std::numeric_limits<int>::max()) return generator.Between(1, static_cast<int>(size));
  return 1 + generator.Next() % size;
}

// Fills 标签5 in the stored language; any other setting keeps its text.
template <typename MakeText>
void FillResultLabel(app::App& app, MakeText make) {
  if (const auto language = app.language.Match()) {
    app.ui.SetText(ui::MainWindow::标签5, make(*language));
  }
}

void TellHeadcountMissing(app::App& app) {
  const std::string text = i18n::Say(app.language, i18n::msg::kHeadcountMissing);
  app.ui.SetText(ui::MainWindow::标签5, text);
  app.ui.ShowMessage(ui::MainWindow::kWindow, text, "ERROR");
}

// The chosen register list when a choice is stored, otherwise "namelist.txt"
// when present. A choice naming no register line, a missing or empty list and
// a number beyond the names leave the number alone to announce.
Source ChooseSource(app::App& app, int32_t drawn) {
  auto& files = app.files;
  auto& state = app.state;
  const std::string number = text::FromInt(drawn);
  if (files.Exists(kChoiceFile)) {
    // A choice beyond the lines read names no list, like one beyond the end.
    state.firstDrawList = ReadRegister(files).lines;
    const std::string path =
        Entry(state.firstDrawList, text::ToInt(core::ReadSetting(files, kChoiceFile))).value_or("");
    state.secondDrawList.clear();
    if (!path.empty())
      state.secondDrawList = NamesOfFile(files.ReadWholeFile(RegisteredPath(app, path)));
    if (auto name = Entry(state.secondDrawList, drawn)) return {name, *name};
    return {std::nullopt, number};
  }
  if (files.Exists(kDefaultNameList)) {
    state.secondDrawList = NamesOfFile(files.ReadWholeFile(files.Path(kDefaultNameList)));
    if (auto name = Entry(state.secondDrawList, drawn)) return {name, number};
  }
  return {std::nullopt, number};
}

}  // namespace

void OnStartDrawClick(app::App& app, Generator& generator) {
  auto& files = app.files;
  auto& state = app.state;
  DrawPool pool;
  generator.Seed(app.clock.TickCount());

  // A stored preset result is announced in the number's place; nothing of
  // the last draw changes.
  if (files.Exists(kPresetFile)) {
    const std::string preset = core::ReadSetting(files, kPresetFile);
    const std::string formOfAddress = app.ui.Text(ui::MainWindow::编辑框6);
    FillResultLabel(app,
                    [&](i18n::Language l) { return NumberAnnouncement(l, preset, formOfAddress); });
    app.ui.ShowMessage(ui::MainWindow::kWindow, app.ui.Text(ui::MainWindow::标签5), "FAKE");
    return;
  }

  // Three passes over a pool that grows by 1..N each pass; the third pass's
  // number is the result, so numbers drawn earlier are less likely.
  for (int pass = 1; pass <= kPasses; ++pass) {
    generator.Seed(app.clock.TickCount());
    pool.AppendRange(text::ToInt(app.ui.Text(ui::MainWindow::编辑框5)));
    if (pool.Size() == 0) {  // a headcount below 1: nothing to draw from
      TellHeadcountMissing(app);
      return;
    }
    state.lastDrawnNumber = pool.Take(PickPosition(generator, pool.Size()));
  }
  const int32_t drawn = state.lastDrawnNumber;

  const Source source = ChooseSource(app, drawn);
  const std::string formOfAddress = app.ui.Text(ui::MainWindow::编辑框6);
  FillResultLabel(app, [&](i18n::Language l) {
    return source.name ? NameAnnouncement(l, *source.name, formOfAddress)
                       : NumberAnnouncement(l, text::FromInt(drawn), formOfAddress);
  });

  if (core::ReadSetting(files, kRewardFile) == "no") {
    static const std::string kTitle = text::Gbk("信息：");
    app.ui.ShowMessage(ui::MainWindow::kWindow, app.ui.Text(ui::MainWindow::标签5), kTitle);
    return;
  }
  state.lastAnnouncement = app.ui.Text(ui::MainWindow::标签5);
  state.lastDrawnName = source.handedOn;
  app.ui.LoadWindow(ui::WindowId::DrawResultWindow, ui::MainWindow::kWindow, /*modal=*/true);
}

}  // namespace draw
