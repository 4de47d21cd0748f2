// Settings and score files as the start reads them: capped, cut at the first
// zero byte (scores also at 0x1A), a score stepped and written back, the
// stored language matched.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzInput.h"
#include "core/FileStore.h"
#include "core/SettingFile.h"
#include "core/Text.h"
#include "i18n/Language.h"
#include "scores/Scores.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  core::FileStore files([] { return fuzz::ScratchFolder(); });
  FUZZ_CHECK(files.Write("1.vlok", input));

  const std::string bytes = core::ReadSettingBytes(files, "1.vlok");
  FUZZ_CHECK(bytes.size() <= core::kSettingFileBytes && input.starts_with(bytes));
  FUZZ_CHECK(input.size() <= core::kSettingFileBytes ? bytes.size() == input.size()
                                                     : bytes.size() + 1 >= core::kSettingFileBytes);
  const std::string setting = core::ReadSetting(files, "1.vlok");
  FUZZ_CHECK(setting.find('\0') == std::string::npos);

  const std::string_view score = scores::ScoreText(bytes);
  for (double step : {+1.0, -10.0}) {
    const std::string next = scores::SteppedScore(score, step);
    FUZZ_CHECK(std::isfinite(text::ToNumber(next)));
    FUZZ_CHECK(next.size() <= 32);
  }
  i18n::MatchLanguage(setting);
  return 0;
}
