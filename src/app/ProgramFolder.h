#pragma once

#include <QString>

namespace kestrix {

// The folder the program's data lies in, ending with "/": the executable's own
// folder when it holds InitList.ini (the build folder), else the shared data
// folder of an installed program, ../share/kestrix/ beside it.
QString programFolderFor(const QString &executableFolder);

} // namespace kestrix
