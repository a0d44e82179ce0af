#include "ui/drop_effect.h"

#include <ole2.h>

DWORD drop_effect(bool can_drop, DWORD key_state, DWORD allowed) {
  if (!can_drop) return DROPEFFECT_NONE;
  const bool control = (key_state & MK_CONTROL) != 0;
  const bool shift = (key_state & MK_SHIFT) != 0;
  if (control || shift) {
    const DWORD asked = control && shift ? DROPEFFECT_LINK
                        : control        ? DROPEFFECT_COPY
                                         : DROPEFFECT_MOVE;
    if ((allowed & asked) == 0 || asked == DROPEFFECT_LINK) return DROPEFFECT_NONE;
    return asked;
  }
  constexpr DWORD kPreferred[] = {DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_LINK};
  for (DWORD effect : kPreferred) {
    if (allowed & effect) return effect;
  }
  return DROPEFFECT_NONE;
}
