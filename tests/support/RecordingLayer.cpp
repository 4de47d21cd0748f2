#include "support/RecordingLayer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/Gbk.h"
#include "ui/Resources.h"

namespace testing_support {
namespace {

using ui::ControlId;
using ui::Kind;
using ui::WindowId;

std::vector<std::string> ItemsOf(std::string_view utf8) {
  std::vector<std::string> items;
  for (std::size_t start = 0; !utf8.empty();) {
    const std::size_t end = utf8.find('\n', start);
    items.push_back(core::Utf8ToGbk(utf8.substr(start, end - start)));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return items;
}

bool HoldsText(Kind kind) {
  return kind != Kind::Timer && kind != Kind::PictureBox && kind != Kind::PageContainer &&
         kind != Kind::ListBox;
}

bool Editable(const ui::ControlSpec& row) {
  return row.kind == Kind::ComboBox && row.comboStyle != ui::ComboStyle::DropDownList;
}

// Radio buttons exclude each other within the container (or page) that holds them.
bool SameGroup(const ui::ControlSpec& a, const ui::ControlSpec& b) {
  const bool sameContainer = a.container && b.container ? std::strcmp(a.container, b.container) == 0
                                                        : a.container == b.container;
  return sameContainer && a.page == b.page;
}

}  // namespace

RecordingLayer::RecordingLayer(const ui::HandlerTable& handlers)
    : handlers_(handlers), thread_([this] { RunUntil([] { return false; }); }) {}

RecordingLayer::~RecordingLayer() {
  Stop();
}

void RecordingLayer::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void RecordingLayer::Queue(std::function<void()> work) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return;
    work_.push_back(std::move(work));
    ++queued_;
  }
  changed_.notify_all();
}

void RecordingLayer::Do(std::function<void()> fn) {
  // fn is kept by the queue: it may still run, in a modal load, after Do returns.
  std::unique_lock lock(mutex_);
  if (stopping_) return;
  work_.push_back(std::move(fn));
  const uint64_t mine = ++queued_;
  changed_.notify_all();
  if (!changed_.wait_for(lock, std::chrono::seconds(60),
                         [&] { return stopping_ || (taken_ >= mine && idle_); })) {
    std::fprintf(stderr, "the recording layer's UI thread did not become idle within 60 s\n");
    std::abort();
  }
}

void RecordingLayer::RunUntil(const std::function<bool()>& done) {
  std::unique_lock lock(mutex_);
  while (!stopping_ && !done()) {
    if (work_.empty()) {
      idle_ = true;
      changed_.notify_all();
      changed_.wait(lock, [&] { return stopping_ || !work_.empty(); });
      continue;
    }
    idle_ = false;
    std::function<void()> work = std::move(work_.front());
    work_.pop_front();
    ++taken_;
    lock.unlock();
    work();
    lock.lock();
  }
}

void RecordingLayer::Post(std::function<void()> work) {
  Queue([this, work = std::move(work)] {
    if (!Ended()) work();
  });
}

void RecordingLayer::Deliver(ui::Handler h) {
  if (!Ended()) handlers_.Call(h);
}

RecordingLayer::OpenWindow* RecordingLayer::Find(WindowId w) const {
  const auto i = static_cast<std::size_t>(w);
  return i < open_.size() ? open_[i].get() : nullptr;
}

RecordingLayer::Control* RecordingLayer::Find(ControlId c) const {
  OpenWindow* window = Find(c.window);
  return window && c.index < window->controls.size() ? &window->controls[c.index] : nullptr;
}

RecordingLayer::Control* RecordingLayer::Require(ControlId c) {
  if (Ended()) return nullptr;
  Control* control = Find(c);
  if (!control) {
    std::fprintf(stderr, "a handler touched a control of a window that is not open\n");
    EndProgram(1);
  }
  return control;
}

bool RecordingLayer::LoadWindow(WindowId w, std::optional<WindowId> owner, bool modal) {
  if (Ended() || w >= WindowId::Count) return false;
  if (Find(w)) return true;  // raised; nothing is rebuilt
  const ui::WindowSpec& row = ui::Window(w);
  auto window = std::make_unique<OpenWindow>();
  window->owner = owner && Find(*owner) ? owner : std::nullopt;
  window->modal = modal;
  window->opening = ++openings_;
  for (const ui::ControlSpec& c : row.controls) {
    Control& control = window->controls.emplace_back(Control{
        &c, HoldsText(c.kind) ? core::Utf8ToGbk(c.text) : "", c.visible, c.enabled, c.checked});
    control.items = ItemsOf(c.items);
    const int count = static_cast<int>(control.items.size());
    if (c.kind == Kind::ComboBox) control.selection = c.selection < count ? c.selection : -1;
    if (c.kind == Kind::Timer) control.interval = std::max(c.interval, 0);
    if (c.kind == Kind::PictureBox) control.picture = std::string(ui::Picture(c.picture));
  }
  const uint64_t opening = window->opening;
  open_[static_cast<std::size_t>(w)] = std::move(window);
  ++builds_[static_cast<std::size_t>(w)];
  Deliver(row.created);
  // The created handler may have closed the window again.
  auto stillThisOpening = [&] {
    const OpenWindow* open = Find(w);
    return open && open->opening == opening;
  };
  if (modal) RunUntil([&] { return Ended() || !stillThisOpening(); });
  return true;
}

void RecordingLayer::CloseWindow(WindowId w) {
  if (!Find(w)) return;
  if (startup_ == w) {
    EndProgram(0);
    return;
  }
  Destroy(w);
}

void RecordingLayer::Destroy(WindowId w) {
  if (!Find(w)) return;
  // Windows owned by this one go with it.
  for (int i = 0; i < ui::kWindowCount; ++i) {
    if (open_[i] && open_[i]->owner == w) Destroy(static_cast<WindowId>(i));
  }
  open_[static_cast<std::size_t>(w)].reset();
}

bool RecordingLayer::IsOpen(WindowId w) const {
  return Find(w) != nullptr;
}

std::string RecordingLayer::Text(ControlId c) {
  const Control* control = Require(c);
  if (!control) return {};
  const ui::ControlSpec& row = *control->row;
  if (row.kind == Kind::ListBox || (row.kind == Kind::ComboBox && !Editable(row))) {
    return control->selection >= 0 ? control->items[static_cast<std::size_t>(control->selection)]
                                   : "";
  }
  return control->text;
}

void RecordingLayer::SetText(ControlId c, std::string_view text) {
  Control* control = Require(c);
  if (!control) return;
  const ui::ControlSpec& row = *control->row;
  if (row.kind == Kind::ComboBox ? Editable(row) : HoldsText(row.kind)) control->text = text;
}

bool RecordingLayer::Visible(ControlId c) {
  const Control* control = Require(c);
  return control && control->visible;
}

void RecordingLayer::SetVisible(ControlId c, bool visible) {
  if (Control* control = Require(c)) control->visible = visible;
}

bool RecordingLayer::Enabled(ControlId c) {
  const Control* control = Require(c);
  return control && control->enabled;
}

void RecordingLayer::SetEnabled(ControlId c, bool enabled) {
  if (Control* control = Require(c)) control->enabled = enabled;
}

int RecordingLayer::Selection(ControlId c) {
  const Control* control = Require(c);
  return control ? control->selection : -1;
}

void RecordingLayer::SetSelection(ControlId c, int index) {
  Control* control = Require(c);
  if (!control || (control->row->kind != Kind::ComboBox && control->row->kind != Kind::ListBox))
    return;
  control->selection = std::clamp(index, -1, static_cast<int>(control->items.size()) - 1);
  if (Editable(*control->row) && control->selection >= 0) {
    control->text = control->items[static_cast<std::size_t>(control->selection)];
  }
}

int RecordingLayer::AddItem(ControlId c, std::string_view text) {
  Control* control = Require(c);
  if (!control || (control->row->kind != Kind::ComboBox && control->row->kind != Kind::ListBox))
    return -1;
  control->items.emplace_back(text);
  return static_cast<int>(control->items.size()) - 1;
}

bool RecordingLayer::Checked(ControlId c) {
  const Control* control = Require(c);
  return control && control->row->kind == Kind::RadioButton && control->checked;
}

void RecordingLayer::SetChecked(ControlId c, bool checked) {
  Control* control = Require(c);
  if (control && control->row->kind == Kind::RadioButton) control->checked = checked;
}

void RecordingLayer::SetPicture(ControlId c, std::string encoded) {
  Control* control = Require(c);
  if (control && control->row->kind == Kind::PictureBox) control->picture = std::move(encoded);
}

void RecordingLayer::SetInterval(ControlId c, int ms) {
  Control* control = Require(c);
  if (control && control->row->kind == Kind::Timer) control->interval = std::max(ms, 0);
}

int RecordingLayer::Page(ControlId c) {
  const Control* control = Require(c);
  return control ? control->page : 0;
}

void RecordingLayer::SetPage(ControlId c, int page) {
  Control* control = Require(c);
  if (!control || control->row->kind != Kind::PageContainer) return;
  control->page = std::clamp(page, 0, std::max(1, static_cast<int>(control->items.size())) - 1);
}

void RecordingLayer::ShowMessage(std::optional<WindowId> owner, std::string_view text,
                                 std::string_view title) {
  if (Ended()) return;
  messages_.push_back(
      {std::string(text), std::string(title), owner && Find(*owner) ? owner : std::nullopt});
}

std::string RecordingLayer::BrowseForPath(std::string_view prompt) {
  if (Ended()) return {};
  browsePrompts_.emplace_back(prompt);
  if (browseAnswers_.empty()) return {};
  std::string answer = std::move(browseAnswers_.front());
  browseAnswers_.pop_front();
  return answer;
}

int RecordingLayer::Run(WindowId startup) {
  startup_ = startup;
  if (!LoadWindow(startup, ui::kNoOwner, false) && !Ended()) EndProgram(1);
  return exitCode_.value_or(0);
}

void RecordingLayer::EndProgram(int exitCode) {
  if (Ended()) return;
  exitCode_ = exitCode;
  for (int i = 0; i < ui::kWindowCount; ++i) Destroy(static_cast<WindowId>(i));
}

// ---- The user's side.

bool RecordingLayer::Reaches(WindowId w) const {
  if (Ended() || !Find(w) || messagesTaken_ < messages_.size()) return false;
  const std::optional<WindowId> modal = ModalWindow();
  return !modal || *modal == w;
}

RecordingLayer::Control* RecordingLayer::TakesInput(ControlId c) {
  Control* control = Reaches(c.window) ? Find(c) : nullptr;
  return control && IsShown(c) && control->enabled ? control : nullptr;
}

bool RecordingLayer::Click(ControlId c) {
  Control* control = TakesInput(c);
  if (!control) return false;
  const ui::ControlSpec& row = *control->row;
  if (row.kind == Kind::RadioButton) {
    for (Control& other : Find(c.window)->controls) {
      if (other.row->kind == Kind::RadioButton && SameGroup(*other.row, row)) other.checked = false;
    }
    control->checked = true;
  }
  // The handler runs from the event loop, as the click's event would.
  Queue([this, h = row.handler] { Deliver(h); });
  return true;
}

bool RecordingLayer::Type(ControlId edit, std::string_view gbk) {
  Control* control = TakesInput(edit);
  if (!control || control->row->kind != Kind::EditBox ||
      control->row->editMode == ui::EditMode::ReadOnly) {
    return false;
  }
  control->text = gbk;
  return true;
}

bool RecordingLayer::ChooseItem(ControlId combo, int index) {
  Control* control = TakesInput(combo);
  if (!control || control->row->kind != Kind::ComboBox || index < 0 ||
      index >= static_cast<int>(control->items.size())) {
    return false;
  }
  SetSelection(combo, index);
  return true;
}

bool RecordingLayer::SelectItem(ControlId list, int index) {
  Control* control = TakesInput(list);
  if (!control || control->row->kind != Kind::ListBox || index < 0 ||
      index >= static_cast<int>(control->items.size())) {
    return false;
  }
  control->selection = index;
  return true;
}

bool RecordingLayer::DoubleClickItem(ControlId list, int index) {
  if (!SelectItem(list, index)) return false;
  Queue([this, h = Find(list)->row->handler] { Deliver(h); });
  return true;
}

bool RecordingLayer::FireTimer(ControlId timer) {
  const Control* control = Ended() ? nullptr : Find(timer);
  if (!control || control->row->kind != Kind::Timer || control->interval <= 0) return false;
  Queue([this, h = control->row->handler] { Deliver(h); });
  return true;
}

bool RecordingLayer::CloseByUser(WindowId w) {
  if (!Reaches(w)) return false;
  if (startup_ == w) {
    EndProgram(0);
  } else {
    Destroy(w);
  }
  return true;
}

std::vector<WindowId> RecordingLayer::OpenWindows() const {
  std::vector<WindowId> windows;
  for (int i = 0; i < ui::kWindowCount; ++i) {
    if (open_[i]) windows.push_back(static_cast<WindowId>(i));
  }
  return windows;
}

std::optional<WindowId> RecordingLayer::ModalWindow() const {
  std::optional<WindowId> top;
  uint64_t latest = 0;
  for (int i = 0; i < ui::kWindowCount; ++i) {
    if (open_[i] && open_[i]->modal && open_[i]->opening > latest) {
      latest = open_[i]->opening;
      top = static_cast<WindowId>(i);
    }
  }
  return top;
}

bool RecordingLayer::IsShown(ControlId c) const {
  const Control* control = Find(c);
  if (!control || !control->visible) return false;
  const char* container = control->row->container;
  if (!container) return true;
  const OpenWindow& window = *Find(c.window);
  for (uint16_t i = 0; i < c.index; ++i) {
    const Control& holder = window.controls[i];
    if (std::strcmp(holder.row->name, container) != 0) continue;
    if (holder.row->kind == Kind::PageContainer) {
      const int pages = std::max(1, static_cast<int>(holder.items.size()));
      if (std::clamp<int>(control->row->page, 0, pages - 1) != holder.page) return false;
    }
    return IsShown({c.window, i});
  }
  return true;
}

std::vector<std::string> RecordingLayer::Items(ControlId c) const {
  const Control* control = Find(c);
  const bool hasItems =
      control && (control->row->kind == Kind::ComboBox || control->row->kind == Kind::ListBox);
  return hasItems ? control->items : std::vector<std::string>{};
}

int RecordingLayer::Interval(ControlId timer) const {
  const Control* control = Find(timer);
  return control ? control->interval : -1;
}

std::string RecordingLayer::Picture(ControlId box) const {
  const Control* control = Find(box);
  return control ? control->picture : std::string();
}

int RecordingLayer::Builds(WindowId w) const {
  return builds_[static_cast<std::size_t>(w)];
}

std::optional<ui::MessageBoxInfo> RecordingLayer::TakeMessage() {
  if (messagesTaken_ == messages_.size()) return std::nullopt;
  return messages_[messagesTaken_++];
}

}  // namespace testing_support
