#include "list_sections.h"

#include "../control/platform_class.h"

const char* CopyListSection(unsigned char osClass) {
  if (osClass == OsClassNT4) return "COPY_FILES_NT";
  if (IsWindows9xClass(osClass)) return "COPY_FILES_9X";
  return nullptr;
}

const char* LaunchListSection(unsigned char osClass) {
  if (osClass == OsClassNT4) return "LAUNCH_FILES_NT";
  if (osClass == OsClassWin2000) return "LAUNCH_FILES_Win2K";
  if (IsWindows9xClass(osClass)) return "LAUNCH_FILES_9X";
  return nullptr;
}

size_t WholeKeyListLength(const char* list, size_t returned, size_t listSize) {
  if (listSize < 2 || returned + 2 < listSize) return returned;
  size_t end = listSize - 2;
  while (end > 0 && list[end - 1] != '\0') --end;
  return end;
}
