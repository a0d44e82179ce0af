/* An exe that breaks every promise check-pe looks for: the check of the checker. */
#include <windows.h>

__declspec(dllimport) int weak_dll_value(void);

int main(void) {
  return weak_dll_value() == 42 ? 0 : 1;
}
