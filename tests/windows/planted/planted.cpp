// A DLL that does nothing, under a name no system DLL has: planted beside the test programs to
// show where a load by bare name looks.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
  return TRUE;
}
