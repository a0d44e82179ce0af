// The effect a drop onto the source list would have, from the keys held and the effects the
// drag source allows. The cursor shows it while the drag is over the list.
#pragma once

#include <windows.h>

// `can_drop`: the dragged data holds a file list. `key_state`: OLE's MK_* bits (only
// MK_CONTROL and MK_SHIFT count). `allowed`: the DROPEFFECT_* bits the source allows.
// The result is one DROPEFFECT_* value; a drop may happen unless it is DROPEFFECT_NONE.
// Ctrl asks for a copy, Shift for a move, both together for a link, which is never taken;
// with neither the first of copy, move and link that the source allows is taken.
DWORD drop_effect(bool can_drop, DWORD key_state, DWORD allowed);
