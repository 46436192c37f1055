#pragma once

class QStyle;

namespace kestrix {

// The application's style with check boxes and tabs as compact as the fixed
// layout needs them. Lives as long as the program.
QStyle *FormStyle();

} // namespace kestrix
