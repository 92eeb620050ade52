// Reading the entries of one list section of qvsetup.ini.
#pragma once

// Calls handle with the value of every key of section in qvsetup.ini of
// SourceDir, in the order of the file; nothing when section is null or the
// file or section is missing. An entry out of bounds is skipped rather than
// cut: a key name over ListNameLimit characters, a value over
// ListValueLimit, and a last key name that the key list buffer cut.
void ForEachListValue(const char* section, void (*handle)(const char* value));
