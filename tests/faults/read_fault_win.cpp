#include <windows.h>

#include <atomic>
#include <cstring>

#include "tests/faults/read_fault.h"

namespace {

using ReadFileFunction = BOOL(WINAPI*)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);

struct Target {
  std::atomic<bool> armed{false};
  DWORD volume = 0;
  uint64_t index = 0;
  uint64_t offset = 0;
  std::atomic<int> refusals{0};
  ReadFileFunction system_read_file = nullptr;
};
Target target;

bool identity_of(HANDLE h, DWORD* volume, uint64_t* index) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(h, &info)) return false;
  *volume = info.dwVolumeSerialNumber;
  *index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return true;
}

// Where the program reads: the offset of a positioned read, or else the file pointer.
uint64_t read_position(HANDLE h, LPOVERLAPPED at) {
  if (at != nullptr) return (static_cast<uint64_t>(at->OffsetHigh) << 32) | at->Offset;
  LARGE_INTEGER zero = {}, now = {};
  SetFilePointerEx(h, zero, &now, FILE_CURRENT);
  return static_cast<uint64_t>(now.QuadPart);
}

BOOL WINAPI read_file_with_fault(HANDLE h, LPVOID buffer, DWORD length, LPDWORD got,
                                 LPOVERLAPPED at) {
  if (target.armed.load() && length > 0) {
    const uint64_t from = read_position(h, at);
    DWORD volume = 0;
    uint64_t index = 0;
    if (from <= target.offset && target.offset - from < length && identity_of(h, &volume, &index) &&
        volume == target.volume && index == target.index) {
      target.refusals.fetch_add(1);
      if (got != nullptr) *got = 0;
      SetLastError(ERROR_CRC);  // "Data error (cyclic redundancy check)": a bad sector
      return FALSE;
    }
  }
  return target.system_read_file(h, buffer, length, got, at);
}

// The program's import address slot for KERNEL32's ReadFile, through which every call of
// ReadFile in this program (the split's file layer included) goes.
ReadFileFunction* read_file_slot() {
  auto* base = reinterpret_cast<unsigned char*>(GetModuleHandleA(nullptr));
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
  for (; dll->Name != 0; ++dll) {
    if (_stricmp(reinterpret_cast<const char*>(base + dll->Name), "KERNEL32.dll") != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(name->Name), "ReadFile") == 0) {
        return reinterpret_cast<ReadFileFunction*>(&slots->u1.Function);
      }
    }
  }
  return nullptr;
}

bool redirect(ReadFileFunction to, ReadFileFunction* previous) {
  ReadFileFunction* slot = read_file_slot();
  DWORD protection = 0;
  if (slot == nullptr || !VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection))
    return false;
  if (previous != nullptr) *previous = *slot;
  *slot = to;
  VirtualProtect(slot, sizeof *slot, protection, &protection);
  return true;
}

}  // namespace

ReadFault::ReadFault(const std::string& path, uint64_t offset) {
  HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  const bool known = identity_of(h, &target.volume, &target.index);
  CloseHandle(h);
  if (!known || !redirect(read_file_with_fault, &target.system_read_file)) return;
  target.offset = offset;
  target.refusals = 0;
  target.armed = true;
  armed_ = true;
}

ReadFault::~ReadFault() {
  if (!armed_) return;
  target.armed = false;
  redirect(target.system_read_file, nullptr);
}

int ReadFault::refusals() {
  return target.refusals.load();
}
