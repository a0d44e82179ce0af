#include "app/message_loop.h"

#include <windows.h>

#include "ui/main_window.h"

int run_message_loop(MainWindow& window) {
  MSG message;
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 0;
    if (window.handle_key_message(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}
