#include "platform.h"

#include <windows.h>

namespace {

// The group list is read into this many bytes; a longer list counts as no
// administrator.
const DWORD kTokenGroupsSize = 1024;

bool GroupsContain(const TOKEN_GROUPS* groups, PSID sid) {
  for (DWORD i = 0; i < groups->GroupCount; ++i)
    if (EqualSid(groups->Groups[i].Sid, sid)) return true;
  return false;
}

}  // namespace

OsClass ClassifyRunningPlatform() {
  // The basic version record (148 bytes): Windows 95 and NT 4.0 know no other.
  OSVERSIONINFOA version;
  ZeroMemory(&version, sizeof version);
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version)) return kOsClassUnknown;
  return ClassifyPlatform(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion,
                          version.dwBuildNumber);
}

bool IsAdministrator() {
  HANDLE token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_READ, &token)) return false;
  // DWORD elements keep the record aligned as the token query needs it.
  DWORD buffer[kTokenGroupsSize / sizeof(DWORD)];
  DWORD needed = 0;
  const BOOL read = GetTokenInformation(token, TokenGroups, buffer, sizeof buffer, &needed);
  CloseHandle(token);
  if (!read) return false;

  SID_IDENTIFIER_AUTHORITY ntAuthority = {SECURITY_NT_AUTHORITY};
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators))
    return false;
  const bool found = GroupsContain(reinterpret_cast<const TOKEN_GROUPS*>(buffer), administrators);
  FreeSid(administrators);
  return found;
}

void SuppressSystemErrorBoxes() { SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX); }
