#pragma once

#include <string>

namespace kestrix::docs {

// Completion scripts that complete the options, the board files (.zvb) and
// the other files each option takes.
std::string bashCompletion();
std::string zshCompletion();
std::string fishCompletion();

} // namespace kestrix::docs
