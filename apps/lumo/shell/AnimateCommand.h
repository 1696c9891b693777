#pragma once

#include "apps/lumo/animate/LipSyncGenerator.h"

#include <string>

namespace vel::lumo {

// lumo --animate=LIST: adds the animations the list names (lip sync, blinks,
// candle flicker, with their default settings, over the whole animation) to
// the document, each as one step, and saves the result to output the safe
// way, without a window. What each did goes to standard error, the written
// path to standard output; a failure is one line naming the file and the
// reason, and nothing is written. Answers 0 on success, 1 on failure.
int AnimateCommand(const std::string& document, const std::string& list, const std::string& output,
                   const LipSyncSettings& lipSync);

} // namespace vel::lumo
