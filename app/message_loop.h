// The message loop of the main window: keyboard messages go through the window's own
// keyboard handling before they are translated and dispatched.
#pragma once

class MainWindow;

// Runs until the quit message and gives its code.
int run_message_loop(MainWindow& window);
