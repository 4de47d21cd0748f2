#pragma once

#include <cstdint>
#include <string_view>

namespace ui {

// Every event handler of the program, by name. The window catalogue binds
// control events to these names; the program fills one table entry per name.
#define BREVANT_HANDLERS(X)       \
  X(OnMainWindowCreated)          \
  X(OnSaveDrawSetupClick)         \
  X(OnCloseMainClick)             \
  X(OnScoreNavClick)              \
  X(OnDrawNavClick)               \
  X(OnAboutNavClick)              \
  X(OnSettingsNavClick)           \
  X(OnClockTick)                  \
  X(OnSplashWindowCreated)        \
  X(OnSplashTimerTick)            \
  X(OnSplashPictureMouseDown)     \
  X(OnSaveLanguageClick)          \
  X(OnPickNameListClick)          \
  X(OnNameListPickerCreated)      \
  X(OnNameListPicked)             \
  X(OnBrowseNameListClick)        \
  X(OnSaveNameListPathClick)      \
  X(OnSaveNameListChoiceClick)    \
  X(OnStartDrawClick)             \
  X(OnDrawResultWindowCreated)    \
  X(OnAnswerRightClick)           \
  X(OnAnswerWrongClick)           \
  X(OnDrawResultCloseClick)       \
  X(OnPickGroup1Click)            \
  X(OnPickGroup2Click)            \
  X(OnPickGroup3Click)            \
  X(OnPickGroup4Click)            \
  X(OnScorePlus1Click)            \
  X(OnScorePlus5Click)            \
  X(OnScorePlus10Click)           \
  X(OnScoreMinus1Click)           \
  X(OnScoreMinus5Click)           \
  X(OnScoreMinus10Click)          \
  X(OnScoreZeroClick)             \
  X(OnSaveScoresClick)            \
  X(OnStartCountdownClick)        \
  X(OnCountdownTick)              \
  X(OnCountdownDoneOkClick)       \
  X(OnAdminSettingsClick)         \
  X(OnRootSettingsClick)          \
  X(OnSetAdminPasswordClick)      \
  X(OnAdminLoginClick)            \
  X(OnAdminSettingsWindowCreated) \
  X(OnRootSettingsWindowCreated)  \
  X(OnSaveFakeEndClick)           \
  X(OnBrowseSplashPictureClick)   \
  X(OnSaveSplashPictureClick)     \
  X(OnRewardOnClick)              \
  X(OnRewardOffClick)             \
  X(OnSaveSplashOptionsClick)     \
  X(OnCheckUpdateClick)           \
  X(OnCheckClick)                 \
  X(OnUpdateClick)

enum class Handler : uint16_t {
  None,
#define BREVANT_HANDLER_ENUM(name) name,
  BREVANT_HANDLERS(BREVANT_HANDLER_ENUM)
#undef BREVANT_HANDLER_ENUM
      Count
};

inline constexpr std::size_t kHandlerCount = static_cast<std::size_t>(Handler::Count);

constexpr std::string_view HandlerName(Handler h) {
  switch (h) {
#define BREVANT_HANDLER_NAME(name) \
  case Handler::name:              \
    return #name;
    BREVANT_HANDLERS(BREVANT_HANDLER_NAME)
#undef BREVANT_HANDLER_NAME
    default:
      return {};
  }
}

}  // namespace ui
