// Reading a registry value as terminated text within a fixed capacity.
#pragma once
#include <windows.h>

// Reads the value into out, which holds capacity + 1 bytes, and terminates
// it after its data (a value stored without its NUL reads the same). Returns
// false when the value is missing or its data exceeds capacity bytes.
bool ReadValueText(HKEY key, const char* name, char* out, DWORD capacity);
