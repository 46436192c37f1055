#pragma once

#include <string>

namespace kestrix::docs {

// The manual page kestrix.1 in the man macros.
std::string manPage();

} // namespace kestrix::docs
