#pragma once

#include <QString>

namespace kestrix {

// Creates folder and every missing folder above it, each readable by its
// owner alone (mode 0700): the per-user files may hold private boards.
// Folders that exist keep their mode. Throws KestrixError naming the folder
// when it cannot be made or a part of the path is not a folder.
void createPrivateFolder(const QString &folder);

} // namespace kestrix
