// The output folder field's two fillers: the desktop folder when the window has been
// created, and the shell's folder browser behind the ">>" button.
#pragma once

#include <string>

// `path` ending in exactly one backslash: one is appended unless the path's last character
// already is one (a double-byte character whose second byte is 0x5C is not). Empty stays
// empty. The path is kept whole, whatever its length.
std::string with_trailing_backslash(const std::string& path);

// The current user's desktop folder ending in one backslash; empty when the lookup fails.
std::string desktop_folder_text();

// The folder picked in the classic folder browser, as the shell gives its path (no trailing
// backslash but for a drive's root); empty after Cancel or for an item without a path.
// Every top-level window of the thread is disabled while the browser is open and restored
// afterwards; the foreground and active windows are given back.
std::string browse_for_folder(const char* title);
