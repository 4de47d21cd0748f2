#include "ui/LayerBase.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace ui {

LayerBase::LayerBase(const HandlerTable& handlers, LayerOptions options)
    : handlers_(handlers), options_(options) {}

WindowState* LayerBase::FindOpenWindow(WindowId w) const {
  const auto i = static_cast<std::size_t>(w);
  return i < open_.size() ? open_[i].get() : nullptr;
}

std::vector<WindowState*> LayerBase::OpenStates() const {
  std::vector<WindowState*> open;
  for (const std::unique_ptr<WindowState>& window : open_) {
    if (window) open.push_back(window.get());
  }
  return open;
}

std::optional<WindowId> LayerBase::FirstOpen(
    const std::function<bool(const WindowState&)>& holds) const {
  for (const WindowState* window : OpenStates()) {
    if (holds(*window)) return window->decl->id;
  }
  return std::nullopt;
}

bool LayerBase::IsOpen(WindowId w) const {
  return FindOpenWindow(w) != nullptr;
}

const ControlState* LayerBase::ReadyState(ControlId c) {
  WindowState* window = FindOpenWindow(c.window);
  if (!window || c.index >= window->states.size()) return nullptr;
  Prepare(*window);
  return &window->states[c.index];
}

void LayerBase::Deliver(Handler h) {
  if (!Ended()) handlers_.Call(h);
}

bool LayerBase::LoadWindow(WindowId w, std::optional<WindowId> owner, bool modal) {
  if (Ended() || w >= WindowId::Count) return false;
  if (WindowState* open = FindOpenWindow(w)) {
    Prepare(*open);
    RaiseNative(*open);
    return true;
  }
  const WindowSpec& decl = Window(w);
  if (owner && !IsOpen(*owner)) owner.reset();
  std::unique_ptr<WindowState> made = CreateNative(decl, owner, modal);
  if (!made) return false;
  made->decl = &decl;
  made->owner = owner;
  made->modal = modal;
  made->opening = ++openings_;
  made->states.resize(decl.controls.size());
  for (std::size_t i = 0; i < decl.controls.size(); ++i) made->states[i].decl = &decl.controls[i];
  WindowState& window = *made;
  const uint64_t opening = window.opening;
  open_[static_cast<std::size_t>(w)] = std::move(made);
  Created(window);
  // The window appears once its created handler has set it up: the main
  // window shows its stored language and scores from the first moment, and a
  // window closed by that handler (a splash closed at once) is never seen.
  Deliver(decl.created);
  const WindowState* stillOpen = FindOpenWindow(w);
  if (!stillOpen || stillOpen->opening != opening) return true;
  ShowNative(window, !startup_ || w != *startup_);
  if (modal) RunModalLoop(window);
  return true;
}

void LayerBase::CloseWindow(WindowId w) {
  if (!IsOpen(w)) return;
  if (startup_ && w == *startup_) {
    EndProgram(0);
    return;
  }
  Destroy(w);
}

void LayerBase::Destroy(WindowId w) {
  std::unique_ptr<WindowState>& slot = open_[static_cast<std::size_t>(w)];
  if (!slot) return;
  // Windows owned by this one go with it.
  for (int i = 0; i < kWindowCount; ++i) {
    if (open_[static_cast<std::size_t>(i)] && open_[static_cast<std::size_t>(i)]->owner == w)
      Destroy(static_cast<WindowId>(i));
  }
  std::unique_ptr<WindowState> window = std::move(slot);
  if (window->modal) EndModalLoop(*window);
  DestroyNative(*window);
}

void LayerBase::DestroyAll() {
  for (int i = 0; i < kWindowCount; ++i) Destroy(static_cast<WindowId>(i));
}

void LayerBase::EndProgram(int exitCode) {
  if (Ended()) return;
  exitCode_ = exitCode;
  CloseDialogs();
  DestroyAll();
  if (!options_.hostedEventLoop) QuitEventLoop(exitCode);
}

int LayerBase::Run(WindowId startup) {
  startup_ = startup;
  if (!LoadWindow(startup, kNoOwner, false)) {
    if (Ended()) return *exitCode_;
    Fatal("载入启动窗口失败");
    return 1;
  }
  if (Ended() || options_.hostedEventLoop) return exitCode_.value_or(0);
  const int code = RunEventLoop();
  return exitCode_.value_or(code);
}

void LayerBase::Fatal(const char* utf8Message) {
  std::fprintf(stderr, "%s\n", utf8Message);
  if (!options_.hostedEventLoop) ShowFatal(utf8Message);
  EndProgram(1);
}

bool LayerBase::Reach(ControlId c, Access access) {
  if (Ended()) return false;
  WindowState* window = FindOpenWindow(c.window);
  if (!window || c.index >= window->states.size()) {
    Fatal(access == Access::Read ? "读取组件属性时发现指定窗口尚未载入"
                                 : "修改组件属性时发现指定窗口尚未载入");
    return false;
  }
  Prepare(*window);
  return true;
}

bool LayerBase::TimerRuns(ControlId c) {
  const ControlState* state = ReadyState(c);
  return state && state->decl->kind == Kind::Timer && state->interval > 0 && !Ended();
}

bool LayerBase::FireTimer(ControlId c) {
  if (!TimerRuns(c)) return false;
  Deliver(ReadyState(c)->decl->handler);
  return true;
}

void LayerBase::SetInterval(ControlId c, int ms) {
  if (!Reach(c, Access::Write)) return;
  WindowState& window = *FindOpenWindow(c.window);
  ControlState& timer = window.states[c.index];
  if (timer.decl->kind != Kind::Timer) return;
  ms = std::max(ms, 0);
  if (ms == timer.interval) return;
  timer.interval = ms;
  RestartTimer(window, c.index, options_.manualTimers ? 0 : ms);
}

int LayerBase::Page(ControlId c) {
  if (!Reach(c, Access::Read)) return 0;
  return ReadyState(c)->page;
}

void LayerBase::SetPage(ControlId c, int page) {
  if (!Reach(c, Access::Write)) return;
  WindowState& window = *FindOpenWindow(c.window);
  ControlState& area = window.states[c.index];
  if (area.decl->kind != Kind::PageContainer) return;
  area.page = std::clamp(page, 0, PageCount(*area.decl) - 1);
  ShowPageNative(window, c.index, area.page);
}

std::optional<LayerBase::Native> LayerBase::NativeOf(ControlId c, Access access) {
  if (!Reach(c, access)) return std::nullopt;
  WindowState& window = *FindOpenWindow(c.window);
  const ControlSpec& decl = *window.states[c.index].decl;
  if (decl.kind == Kind::Timer) return std::nullopt;
  return Native{window, c.index, decl};
}

std::optional<LayerBase::Native> LayerBase::ListOf(ControlId c, Access access) {
  std::optional<Native> control = NativeOf(c, access);
  if (control && control->decl.kind != Kind::ComboBox && control->decl.kind != Kind::ListBox)
    return std::nullopt;
  return control;
}

std::string LayerBase::Text(ControlId c) {
  const std::optional<Native> control = NativeOf(c, Access::Read);
  return control ? ReadText(*control) : std::string();
}

void LayerBase::SetText(ControlId c, std::string_view text) {
  WindowState* window = Ended() ? nullptr : FindOpenWindow(c.window);
  if (window && c.index < window->states.size() && DeferText(*window, c.index, text)) return;
  if (const std::optional<Native> control = NativeOf(c, Access::Write)) WriteText(*control, text);
}

bool LayerBase::FlagOf(ControlId c, Flag flag) {
  const std::optional<Native> control = NativeOf(c, Access::Read);
  return control && (flag != Flag::Checked || control->decl.kind == Kind::RadioButton) &&
         ReadFlag(*control, flag);
}

void LayerBase::SetFlag(ControlId c, Flag flag, bool on) {
  const std::optional<Native> control = NativeOf(c, Access::Write);
  if (control && (flag != Flag::Checked || control->decl.kind == Kind::RadioButton))
    WriteFlag(*control, flag, on);
}

int LayerBase::Selection(ControlId c) {
  const std::optional<Native> list = ListOf(c, Access::Read);
  return list ? ReadSelection(*list) : -1;
}

void LayerBase::SetSelection(ControlId c, int index) {
  if (const std::optional<Native> list = ListOf(c, Access::Write))
    WriteSelection(*list, std::clamp(index, -1, ItemCount(*list) - 1));
}

int LayerBase::AddItem(ControlId c, std::string_view text) {
  const std::optional<Native> list = ListOf(c, Access::Write);
  return list ? AppendItem(*list, text) : -1;
}

void LayerBase::SetPicture(ControlId c, std::string encoded) {
  const std::optional<Native> control = NativeOf(c, Access::Write);
  if (control && control->decl.kind == Kind::PictureBox) ShowPicture(*control, std::move(encoded));
}

std::vector<std::string> LayerBase::Items(ControlId c) {
  const ControlState* state = ReadyState(c);
  if (!state || (state->decl->kind != Kind::ComboBox && state->decl->kind != Kind::ListBox))
    return {};
  const Native list{*FindOpenWindow(c.window), c.index, *state->decl};
  std::vector<std::string> items;
  for (int i = 0, count = ItemCount(list); i < count; ++i) items.push_back(ItemText(list, i));
  return items;
}

void LayerBase::ShowMessage(std::optional<WindowId> owner, std::string_view text,
                            std::string_view title) {
  if (Ended()) return;
  ShowMessageBox(owner ? FindOpenWindow(*owner) : nullptr, text, title);
}

std::string LayerBase::BrowseForPath(std::string_view prompt) {
  return Ended() ? std::string() : Browse(prompt);
}

}  // namespace ui
