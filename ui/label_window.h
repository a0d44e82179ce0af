// Labels: windows of the program's own class that paint their caption themselves, left
// aligned on one line, vertically centred, "&" drawn as a plain character, black on the
// window's default colour.
#pragma once

#include <windows.h>

extern const char kLabelClassName[];

bool register_label_class(HINSTANCE instance);
