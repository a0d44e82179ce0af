// quorvane_demo: shows Quorvane at work on a machine without a user at the screen. Starts
// quorvane.exe, adds one source file through the open-files dialog, sets the output folder,
// presses 开始分割, prints and closes the message box, then waits until `go_on_file`
// exists (time for a screenshot) and closes the window.
//   quorvane_demo <source file> <output folder> <ready file> <go-on file>
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/win/drive.h"
#include "ui/window_template.h"

namespace {

int fail(const char* what) {
  std::fprintf(stderr, "quorvane_demo: %s\n", what);
  return 1;
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) return fail("usage: quorvane_demo <source> <output folder> <ready file> <go-on file>");
  const std::string source = argv[1];
  const std::string output = argv[2];
  RunningProgram program(quorvane_exe());
  if (!program.started()) return fail("quorvane.exe did not start");
  HWND main = wait_for_top_window(program.pid(), "QuorvaneMainWindow", 20000);
  if (!main) return fail("the main window did not appear");

  click(member_window(main, 按钮2));
  HWND dialog = wait_for_dialog(program.pid(), 20000);
  if (!dialog || !accept_open_dialog(dialog, source) || !wait_gone(dialog, 20000)) {
    return fail("the open-files dialog could not be worked");
  }
  set_text(member_window(main, 编辑框1), output);

  click(member_window(main, 按钮4));
  HWND box = wait_for_dialog(program.pid(), 120000);
  if (!box) return fail("no message box after 开始分割");
  std::printf("%s\n", message_box_text(box).c_str());
  std::fflush(stdout);
  close_message_box(box);
  wait_gone(box);

  HANDLE ready = CreateFileA(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
  wait_until([&] { return exists(argv[4]); }, 60000);
  PostMessageA(main, WM_CLOSE, 0, 0);
  const DWORD code = program.wait_exit(20000);
  return code == 0 ? 0 : fail("quorvane.exe did not end with exit code 0");
}
