// Quorvane's entry: prepares the process, builds the main window from its template, runs the
// message loop and ends with the quit message's code.
#include <windows.h>
#include <ole2.h>

#include "app/message_loop.h"
#include "ui/fatal_error.h"
#include "ui/main_window.h"
#include "ui/texts.h"
#include "ui/window_template.h"

namespace {

// Load DLLs only from the system folder, and end the process on heap corruption.
// SetDefaultDllDirectories is looked up rather than imported: Windows 7 without its
// update KB2533623 lacks it, and an import would keep the program from starting there.
// Without it, at least the current folder leaves the DLL search.
void harden_process() {
  using SetDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const auto set_default_dll_directories = reinterpret_cast<SetDirectoriesFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  if (!set_default_dll_directories || !set_default_dll_directories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    SetDllDirectoryA("");
  }
  HeapSetInformation(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0);
}

// Makes the folder of the program file the current directory, so that a relative output
// folder is taken relative to it.
void enter_program_folder() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  char* last_separator = nullptr;
  for (char* at = path; *at != '\0'; at = CharNextA(at)) {
    if (*at == '\\') last_separator = at;
  }
  if (!last_separator) return;
  *last_separator = '\0';
  SetCurrentDirectoryA(path);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  harden_process();
  const bool ole_ready = SUCCEEDED(OleInitialize(nullptr));
  enter_program_folder();

  const WindowTemplate& layout = main_window_template();
  if (!template_is_valid(layout)) report_fatal_error(ui_text(UiText::template_unreadable));
  std::unique_ptr<MainWindow> window = MainWindow::build(instance, layout);
  if (!window) report_fatal_error(ui_text(UiText::window_load_failed));

  window->set_loop_begun();
  int exit_code = 0;
  if (window->exists()) exit_code = run_message_loop(*window);
  window.reset();

  if (ole_ready) OleUninitialize();
  return exit_code;
}
