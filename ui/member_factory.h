// Creation of one member's window from its template record: one small function per kind.
// Each makes the window hidden, as a child of `parent`, with its kind's styles and the
// record's own bits, and gives it its font and initial state.
#pragma once

#include <windows.h>

#include "ui/window_template.h"

struct MemberFonts {
  HFONT default_font;  // DEFAULT_GUI_FONT
  HFONT own_font;      // the record's own font, or null
};

// The member's window, or null when it could not be created. A DropTarget has no window:
// for it the result is null and `made` stays true.
HWND create_member_window(HINSTANCE instance, HWND parent, const MemberRecord& record,
                          int32_t position, const MemberFonts& fonts, bool& made);
