// Fields of the watcher's record files: tabs, newlines and backslashes
// escaped so that a record stays on one line and its fields stay apart.
#ifndef TESTS_WINE_AGENT_RECORD_TEXT_H
#define TESTS_WINE_AGENT_RECORD_TEXT_H
#include <stdio.h>

void WriteEscaped(FILE* out, const char* text);

// Writes UTF-16 text as escaped UTF-8.
void WriteEscapedWide(FILE* out, const wchar_t* text);

#endif
