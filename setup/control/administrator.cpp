#include "administrator.h"

#include <windows.h>

// The group list is read into this many bytes; a longer list counts as no
// administrator.
static const DWORD TokenGroupsSize = 1024;

static int GroupsContain(const TOKEN_GROUPS* groups, PSID sid) {
  for (DWORD i = 0; i < groups->GroupCount; ++i)
    if (EqualSid(groups->Groups[i].Sid, sid)) return 1;
  return 0;
}

int IsAdministrator() {
  HANDLE token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_READ, &token)) return 0;
  // DWORD elements keep the record aligned as the token query needs it.
  DWORD buffer[TokenGroupsSize / sizeof(DWORD)];
  DWORD needed = 0;
  const BOOL read = GetTokenInformation(token, TokenGroups, buffer, sizeof buffer, &needed);
  CloseHandle(token);
  if (!read) return 0;

  SID_IDENTIFIER_AUTHORITY ntAuthority = {SECURITY_NT_AUTHORITY};
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators))
    return 0;
  const int found = GroupsContain(reinterpret_cast<const TOKEN_GROUPS*>(buffer), administrators);
  FreeSid(administrators);
  return found;
}
