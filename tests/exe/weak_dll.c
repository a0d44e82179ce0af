/* A DLL of the build's own, which the weak exe needs beside it. */
__declspec(dllexport) int weak_dll_value(void) {
  return 42;
}
