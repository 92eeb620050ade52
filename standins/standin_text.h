// Text rules of the setup-library stand-ins: which registry entries are this
// driver's modem, the call-log line, and the narrowing of wide arguments.
// Every write is bounded by the size given and always terminated.
#ifndef STANDINS_STANDIN_TEXT_H
#define STANDINS_STANDIN_TEXT_H
#include <stddef.h>

// The two names under which this driver's modem is registered.
const char* const ModemName = "TAVELIN Software Modem AMR";
const char* const EarlierModemName = "Norvik Technologies Soft Modem";

// Whether a "Model" or "DriverDesc" value names this driver's modem: it
// contains one of the two names (letter case significant).
bool CarriesModemName(const char* value);

// Narrows a wide text character by character; characters above 0xFF, which
// 8-bit text can not hold, become '?'. A null text gives "".
void NarrowText(char* out, size_t outSize, const wchar_t* text);

// Appends as much of text as fits.
void AppendCut(char* out, size_t outSize, const char* text);

// The call-log line of an entry: Entry("text", 12, ...) = result.
// BeginCallLine starts it; each argument is added in order; EndCallLine
// adds the result.
void BeginCallLine(char* line, size_t lineSize, const char* entry);
void AddTextArgument(char* line, size_t lineSize, const char* text);
void AddNumberArgument(char* line, size_t lineSize, long number);
void EndCallLine(char* line, size_t lineSize, long result);

// Appends " name=value" to a finished line (value quoted when quoted is set).
void AddNote(char* line, size_t lineSize, const char* name, const char* value, bool quoted);
void AddNumberNote(char* line, size_t lineSize, const char* name, long number);

// Argument index (0 is the first after the program name) of a command line
// whose words are separated by blanks; the program name may be quoted.
// "" when there is no such argument; a longer argument is cut to outSize.
void ArgumentAt(char* out, size_t outSize, const char* commandLine, int index);

// The name of the numbered class instance n: four digits, "0000" to "9999".
// Returns 0 for a number outside that range.
int InstanceName(char* out, size_t outSize, int n);

#endif
