#include "tests/win/drive.h"

#include <commctrl.h>

#include <cstring>

namespace {

struct TopSearch {
  DWORD pid;
  const char* window_class;
  HWND found;
};

BOOL CALLBACK match_top_window(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TopSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid || !IsWindowVisible(window)) return TRUE;
  if (class_of(window) != search->window_class) return TRUE;
  search->found = window;
  return FALSE;
}

struct ControlSearch {
  int id;
  const char* window_class;
  HWND found;
};

BOOL CALLBACK match_control(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ControlSearch*>(param);
  if (GetDlgCtrlID(window) != search->id) return TRUE;
  if (search->window_class && class_of(window) != search->window_class) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

bool wait_until(const std::function<bool()>& ready, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (ready()) return true;
    if (GetTickCount() - start > timeout_ms) return false;
    Sleep(5);
  }
}

HWND find_top_window(DWORD pid, const char* window_class) {
  TopSearch search = {pid, window_class, nullptr};
  EnumWindows(match_top_window, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND wait_for_top_window(DWORD pid, const char* window_class, DWORD timeout_ms) {
  HWND found = nullptr;
  wait_until([&] { return (found = find_top_window(pid, window_class)) != nullptr; }, timeout_ms);
  return found;
}

HWND find_control(HWND parent, int id, const char* window_class) {
  ControlSearch search = {id, window_class, nullptr};
  EnumChildWindows(parent, match_control, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND member_window(HWND main, int32_t member) { return find_control(main, 1000 + member); }

std::string class_of(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string text_of(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return std::string();
  }
  std::string text(length + 2, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(strnlen(text.data(), text.size()));
  return text;
}

bool set_text(HWND window, const std::string& text) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

std::vector<std::string> list_rows(HWND list) {
  std::vector<std::string> rows;
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return rows;
  constexpr SIZE_T kTextSize = 1 << 16;
  char* lent = static_cast<char*>(
      VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + kTextSize, MEM_COMMIT, PAGE_READWRITE));
  if (lent) {
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
      LVITEMA item = {};
      item.iSubItem = 0;
      item.pszText = lent + sizeof(LVITEMA);
      item.cchTextMax = static_cast<int>(kTextSize);
      std::string text(kTextSize, '\0');
      SIZE_T moved = 0;
      WriteProcessMemory(process, lent, &item, sizeof item, &moved);
      WriteProcessMemory(process, lent + sizeof(LVITEMA), text.data(), 1, &moved);
      SendMessageA(list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(lent));
      ReadProcessMemory(process, lent + sizeof(LVITEMA), text.data(), kTextSize, &moved);
      text.resize(strnlen(text.data(), text.size()));
      rows.push_back(text);
    }
    VirtualFreeEx(process, lent, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return rows;
}

void click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

HWND wait_for_dialog(DWORD pid, DWORD timeout_ms) {
  return wait_for_top_window(pid, "#32770", timeout_ms);
}

std::string message_box_text(HWND box) { return text_of(find_control(box, 0xFFFF, "Static")); }

void close_message_box(HWND box) { click(find_control(box, IDOK, "Button")); }

bool wait_gone(HWND window, DWORD timeout_ms) {
  return wait_until([&] { return !IsWindow(window); }, timeout_ms);
}

bool accept_open_dialog(HWND dialog, const std::string& names) {
  // The file name box is the edit inside the combo box with identifier 0x47C.
  HWND combo = find_control(dialog, 0x47C);
  HWND edit = combo ? FindWindowExA(combo, nullptr, "Edit", nullptr) : nullptr;
  if (!edit) {
    HWND inner = combo ? FindWindowExA(combo, nullptr, "ComboBox", nullptr) : nullptr;
    edit = inner ? FindWindowExA(inner, nullptr, "Edit", nullptr) : nullptr;
  }
  if (!edit) edit = find_control(dialog, 0x480, "Edit");
  HWND ok = find_control(dialog, IDOK, "Button");
  if (!edit || !ok) return false;
  if (!set_text(edit, names)) return false;
  click(ok);
  return true;
}

void cancel_dialog(HWND dialog) { click(find_control(dialog, IDCANCEL, "Button")); }

std::string unique_folder(const std::string& prefix) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string base(temp);
  if (!base.empty() && base.back() == '\\') base.pop_back();
  static LONG counter = 0;
  for (;;) {
    const std::string folder = base + "\\" + prefix + std::to_string(GetCurrentProcessId()) +
                               "_" + std::to_string(InterlockedIncrement(&counter));
    if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return std::string();
  }
}

bool write_file(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                                             &written, nullptr);
  CloseHandle(file);
  return ok && (bytes.empty() || written == bytes.size());
}

bool read_file(const std::string& path, std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const DWORD size = GetFileSize(file, nullptr);
  bytes.assign(size, '\0');
  DWORD read = 0;
  const BOOL ok = size == 0 || ReadFile(file, bytes.data(), size, &read, nullptr);
  CloseHandle(file);
  return ok && read == size;
}

std::vector<std::string> files_in(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0) {
      names.push_back(found.cFileName);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

void remove_folder(const std::string& folder) {
  for (const std::string& name : files_in(folder)) {
    const std::string path = folder + "\\" + name;
    if (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
      remove_folder(path);
    } else {
      DeleteFileA(path.c_str());
    }
  }
  RemoveDirectoryA(folder.c_str());
}

RunningProgram::RunningProgram(const std::string& exe) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string command = "\"" + exe + "\"";
  if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info_)) {
    info_ = {};
  }
}

RunningProgram::~RunningProgram() {
  if (!info_.hProcess) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

DWORD RunningProgram::wait_exit(DWORD timeout_ms) {
  if (!info_.hProcess) return STILL_ACTIVE;
  if (WaitForSingleObject(info_.hProcess, timeout_ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

std::string quorvane_exe() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.resize(folder.rfind('\\'));
  return folder + "\\" QUORVANE_EXE_FROM_TESTS;
}
