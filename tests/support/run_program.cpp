#include "tests/support/run_program.h"

#include "tests/support/temp_dir.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

std::string own_folder() {
#ifdef _WIN32
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p(path, n);
  return p.substr(0, p.find_last_of("\\/"));
#else
  char path[4096];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path);
  std::string p(path, n > 0 ? static_cast<std::size_t>(n) : 0);
  return p.substr(0, p.find_last_of('/'));
#endif
}

#ifdef _WIN32
namespace {
std::string quoted(const std::string& arg) {
  std::string q = "\"";
  std::size_t slashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++slashes;
    } else {
      if (c == '"') q.append(slashes + 1, '\\');
      slashes = 0;
    }
    q.push_back(c);
  }
  q.append(slashes, '\\');
  return q + "\"";
}

HANDLE inheritable_file(const std::string& path) {
  SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
  return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}
}  // namespace

ProgramResult run_program(const std::string& exe, const std::vector<std::string>& args,
                          const std::string& work_dir) {
  ProgramResult result;
  TempDir capture;
  HANDLE out = inheritable_file(capture / "out");
  HANDLE err = inheritable_file(capture / "err");
  SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
  HANDLE in = CreateFileA("NUL", GENERIC_READ, 0, &sa, OPEN_EXISTING, 0, nullptr);
  std::string command = quoted(exe);
  for (const std::string& a : args) command += " " + quoted(a);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = in;
  si.hStdOutput = out;
  si.hStdError = err;
  PROCESS_INFORMATION pi = {};
  if (CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, work_dir.c_str(), &si, &pi)) {
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    result.exit_code = static_cast<int>(code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  CloseHandle(in);
  CloseHandle(out);
  CloseHandle(err);
  read_bytes(capture / "out", &result.out);
  read_bytes(capture / "err", &result.err);
  // A console stream writes CR LF for '\n'; compare texts as lines.
  for (std::string* s : {&result.out, &result.err}) {
    std::string lf;
    for (std::size_t i = 0; i < s->size(); ++i) {
      if ((*s)[i] == '\r' && i + 1 < s->size() && (*s)[i + 1] == '\n') continue;
      lf.push_back((*s)[i]);
    }
    *s = lf;
  }
  return result;
}
#else
ProgramResult run_program(const std::string& exe, const std::vector<std::string>& args,
                          const std::string& work_dir) {
  ProgramResult result;
  TempDir capture;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, (capture / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, (capture / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&actions, work_dir.c_str());
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(exe.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid;
  if (posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  read_bytes(capture / "out", &result.out);
  read_bytes(capture / "err", &result.err);
  return result;
}
#endif
