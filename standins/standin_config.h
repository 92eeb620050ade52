// The configuration of the stand-ins: "qvstandin.ini" beside the module (the
// library or program that runs). One section per entry or program:
//
//   [CallLog]      Path=C:\bench\calls.log     no Path, no log
//   [<entry>]      Result=1                    the entry's result (default 1)
//                  Delay=0                     milliseconds before its effect
//                  Effect=1                    0: the entry changes nothing
//   [GetHardWareId]   Id=PCI\VEN_...           the id handed back with a non-zero result
//   [GetInfByPci]     Flag=0  Inf=name         the flag set, the INF name written (none: unchanged)
//   [RefreshWin2K]    Life=400000              Windows 2000: the service's maximum life
//   [qvsetup3]        Result=0 (exit code)  Delay=0  RecordDelay=0 (until "refresh"'s record)
//
// With no file every entry succeeds at once and nothing is logged.
#ifndef STANDINS_STANDIN_CONFIG_H
#define STANDINS_STANDIN_CONFIG_H
#include <windows.h>

extern HMODULE StandinModule;  // the DLL or program whose directory holds the stand-ins

struct EntryConfig {
  int Result;
  DWORD Delay;
  bool Effect;
};

// Full path of a file in the stand-ins' directory; 0 when it would not fit MAX_PATH.
int StandinFilePath(char* out, const char* name);

EntryConfig ReadEntryConfig(const char* section);
int ReadConfigNumber(const char* section, const char* key, int fallback);
void ReadConfigText(const char* section, const char* key, const char* fallback, char* out,
                    DWORD outSize);

#endif
