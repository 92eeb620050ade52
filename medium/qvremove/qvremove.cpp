// The uninstaller that setup places in the Windows directory. On this
// sample medium it is a placeholder: it says so and removes nothing.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  MessageBoxA(nullptr,
              "This is the placeholder uninstaller of the TAVELIN soft modem sample medium.\n"
              "It removes nothing.",
              "qvremove", MB_OK | MB_ICONINFORMATION);
  return 0;
}
