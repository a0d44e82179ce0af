// Driving the real windows of a Quorvane process, from another process or from another
// thread of the same one: finding the main window, its members and its dialogs, reading and
// setting their texts, clicking, filling the open-files dialog.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Polls `ready` every few milliseconds until it is true or `timeout_ms` has passed.
bool wait_until(const std::function<bool()>& ready, DWORD timeout_ms = 5000);

// The visible top-level window of process `pid` with the given class, or null.
HWND find_top_window(DWORD pid, const char* window_class);
// Waits for such a window.
HWND wait_for_top_window(DWORD pid, const char* window_class, DWORD timeout_ms = 5000);

// The descendant of `parent` with control identifier `id` (and class, when given), or null.
HWND find_control(HWND parent, int id, const char* window_class = nullptr);
// The member window of the main window with the template position `member`.
HWND member_window(HWND main, int32_t member);

std::string class_of(HWND window);
// A window's text, read with WM_GETTEXT so that it works across processes.
std::string text_of(HWND window);
bool set_text(HWND window, const std::string& text);
// The rows of a list view in another process, read through memory lent by that process.
std::vector<std::string> list_rows(HWND list);
void click(HWND button);

// Message boxes and common dialogs are "#32770" windows.
HWND wait_for_dialog(DWORD pid, DWORD timeout_ms = 5000);
std::string message_box_text(HWND box);
void close_message_box(HWND box);
// Waits until `window` is gone.
bool wait_gone(HWND window, DWORD timeout_ms = 5000);

// Types `names` into the open-files dialog's file name box and presses its OK button.
bool accept_open_dialog(HWND dialog, const std::string& names);
void cancel_dialog(HWND dialog);

// Files in a folder for a test, with names and contents as given (names in code page 936).
// A new, empty folder in the system's folder for temporary files; empty when none could be made.
std::string unique_folder(const std::string& prefix);
bool write_file(const std::string& path, const std::string& bytes);
bool read_file(const std::string& path, std::string& bytes);
std::vector<std::string> files_in(const std::string& folder);
void remove_folder(const std::string& folder);

// A process started with CreateProcess, ended and closed when the object goes.
class RunningProgram {
 public:
  explicit RunningProgram(const std::string& exe);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool started() const { return info_.hProcess != nullptr; }
  DWORD pid() const { return info_.dwProcessId; }
  // The exit code, or STILL_ACTIVE when the process has not ended within the timeout.
  DWORD wait_exit(DWORD timeout_ms = 5000);

 private:
  PROCESS_INFORMATION info_ = {};
};

// The full path of quorvane.exe in the build tree.
std::string quorvane_exe();
