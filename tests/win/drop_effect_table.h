// The drop effect expected for every key state and every set of effects a drag source
// allows, worked out by hand from the rule: Ctrl asks for a copy, Shift for a move, both for
// a link that is never taken; with neither, copy before move before link.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <iterator>

struct KeyRow {
  const char* keys;
  DWORD key_state;    // as OLE passes it, the mouse button included
  DWORD expected[8];  // indexed by the allowed effects: COPY 1 | MOVE 2 | LINK 4
};

// clang-format off
constexpr KeyRow kEffectTable[] = {
  //                                           allowed: 0  C  M  CM L  CL ML CML
  {"no key",     MK_LBUTTON,                            {0, 1, 2, 1, 4, 1, 2, 1}},
  {"Ctrl",       MK_LBUTTON | MK_CONTROL,               {0, 1, 0, 1, 0, 1, 0, 1}},
  {"Shift",      MK_LBUTTON | MK_SHIFT,                 {0, 0, 2, 2, 0, 0, 2, 2}},
  {"Ctrl+Shift", MK_LBUTTON | MK_CONTROL | MK_SHIFT,    {0, 0, 0, 0, 0, 0, 0, 0}},
  // Alt and the other buttons play no part.
  {"Alt",        MK_RBUTTON | MK_ALT,                   {0, 1, 2, 1, 4, 1, 2, 1}},
  {"Ctrl+Alt",   MK_CONTROL | MK_ALT,                   {0, 1, 0, 1, 0, 1, 0, 1}},
};
// clang-format on

constexpr DWORD kAllowedSets = std::size(kEffectTable[0].expected);
