#pragma once

#include <string>

#include "core/FileStore.h"

namespace updater {

// The updater's own messages, shown when a download does not install.
enum class Message {
  DownloadFailed,  // no answer, an error status, or a body cut short
  AnswerRefused,   // an answer whose completeness cannot be proved
  TooLarge,        // a file larger than the updater accepts
  NotAProgram,     // a file that is no Windows program, such as an error page
  SaveFailed,      // the file could not be written into the run directory
};

// The message as GBK text in the interface language stored in
// "language.vlok" of the run directory; Chinese for any other content.
std::string MessageText(Message message, const core::FileStore& files);

}  // namespace updater
