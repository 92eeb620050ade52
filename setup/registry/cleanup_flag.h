// The clean-up flag that tells later tools whether the brand settings may go.
#pragma once

// Sets "CleanUpRegistry" of HKLM\Software\Tavelin to the text ("Y" or "N").
// Creates nothing: without the key nothing is written.
void WriteCleanUpFlag(const char* flag);
