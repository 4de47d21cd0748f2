#pragma once

#include "app/shared/AppState.h"
#include "app/shared/BackgroundWork.h"
#include "core/Clock.h"
#include "core/FileStore.h"
#include "i18n/LanguageSetting.h"
#include "platform/Platform.h"
#include "ui/HandlerTable.h"
#include "ui/Layer.h"

namespace app {

// The foundation, under the names the handlers use.
using core::Clock;
using core::FileStore;
using core::LocalTime;
using core::SystemClock;
namespace fs = std::filesystem;

// What every handler works with: the window layer, the run-directory files,
// the clock, the operating system's services and the program-wide state.
struct App {
  ui::Layer& ui;
  FileStore& files;
  Clock& clock;
  platform::Platform& platform;
  AppState& state;
  // The files every start writes, written while the program runs on.
  BackgroundWork& startWrites;
  // "language.vlok" as the captions, the draw and the messages read it.
  i18n::LanguageSetting language{files};
  bool started = false;  // the start work has run to its end
};

}  // namespace app
