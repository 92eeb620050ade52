#include "file_attributes.h"

#include <windows.h>

bool PathExists(const char* path) { return GetFileAttributesA(path) != 0xFFFFFFFF; }

void SetNormalAttributes(const char* path) { SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL); }
