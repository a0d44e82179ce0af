// The input filter of an edit box that takes digits and the minus sign: typed characters
// (WM_CHAR) of code 0x20 or above other than "0" to "9" and "-" are dropped; control
// characters, pasted text and text set by the program pass unchanged.
#pragma once

#include <windows.h>

bool typed_character_passes(WPARAM character);

// Puts the filter in front of the edit box's window procedure.
bool attach_digits_filter(HWND edit);
