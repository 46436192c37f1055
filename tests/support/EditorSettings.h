#pragma once

#include "app/Editor.h"

namespace kestrix {

// Changes one setting through the Editor's command, as the options dialog
// does: the settings file is written when the Editor has a user folder.
template<class T>
void changeSetting(Editor &editor, T Settings::*field, const T &value)
{
    Settings settings = editor.settings();
    settings.*field = value;
    editor.changeSettings(settings);
}

} // namespace kestrix
