// The floor of the setup benchmark: makes, from the directory it lies in,
// the same file copies and registry writes as a silent setup run of one
// platform, and nothing else (no paths computed, no options or lists read,
// no library loaded).
//   floor nt4     NT 4.0: driver set, service key, modem instance and port
//   floor win2k   Windows 2000 with a hardware id: the uninstaller twice
#include <windows.h>

#include <cstring>

namespace {

char source[MAX_PATH];

void Copy(const char* name, const char* dir) {
  char from[MAX_PATH], to[MAX_PATH];
  wsprintfA(from, "%s\\%s", source, name);
  wsprintfA(to, "%s\\%s", dir, name);
  SetFileAttributesA(to, FILE_ATTRIBUTE_NORMAL);
  CopyFileA(from, to, FALSE);
  SetFileAttributesA(to, FILE_ATTRIBUTE_NORMAL);
}

void SetText(HKEY key, const char* name, const char* text) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>(strlen(text) + 1));
}

void SetNumber(HKEY key, const char* name, DWORD number) {
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

void NT4(const char* windows) {
  char drivers[MAX_PATH], inf[MAX_PATH], cabs[MAX_PATH];
  wsprintfA(drivers, "%s\\system32\\drivers", windows);
  wsprintfA(inf, "%s\\INF", windows);
  wsprintfA(cabs, "%s\\Options\\CABS", windows);
  Copy("qvsmnt4.inf", inf);
  Copy("qvsm.sys", drivers);
  Copy("qvsm1.cab", cabs);
  Copy("qvsm2.cab", cabs);
  Copy("qvremove.exe", windows);

  HKEY key;
  DWORD disposition;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\Currentcontrolset\\services\\TAVELINSoftModem", 0,
                  nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition);
  char image[MAX_PATH + 16];
  wsprintfA(image, "\\??\\%s\\qvsm.sys", drivers);
  SetText(key, "ImagePath", image);
  SetText(key, "displayname", "Tavelin Software Modem AMR");
  const char* names[] = {"errorcontrol", "forcefifoenable", "logfifo", "permitshare",
                         "rxfifo",       "start",           "txfifo",  "type"};
  const DWORD numbers[] = {0, 1, 0, 1, 8, 2, 1, 1};
  for (int i = 0; i < 8; ++i) SetNumber(key, names[i], numbers[i]);
  RegCloseKey(key);

  // The modem instance that the class installer makes, and its port.
  RegCreateKeyExA(HKEY_LOCAL_MACHINE,
                  "System\\CurrentControlSet\\Control\\Class\\"
                  "{4D36E96D-E325-11CE-BFC1-08002BE10318}\\0000",
                  0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition);
  SetText(key, "DriverDesc", "TAVELIN Software Modem AMR");
  SetText(key, "Model", "TAVELIN Software Modem AMR");
  SetText(key, "AttachedTo", "COM3");
  RegCloseKey(key);
}

void Win2000(const char* windows) {
  char cabs[MAX_PATH];
  wsprintfA(cabs, "%s\\Options\\CABS", windows);
  Copy("qvremove.exe", windows);
  Copy("qvremove.exe", cabs);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  GetModuleFileNameA(nullptr, source, sizeof source);
  *strrchr(source, '\\') = '\0';
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  if (strstr(commandLine, "nt4"))
    NT4(windows);
  else if (strstr(commandLine, "win2k"))
    Win2000(windows);
  else
    return 1;
  return 0;
}
