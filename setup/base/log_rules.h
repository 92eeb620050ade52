// The texts of the installation log: the line of one event (timestamp and
// text), the bounded building of an event's text, and the log file's path.
#ifndef SETUP_BASE_LOG_RULES_H
#define SETUP_BASE_LOG_RULES_H

#include <stddef.h>
#include <wchar.h>

#include "events.h"
#include "options.h"
#include "platform.h"
#include "system_types.h"

// Characters of one event's text; a longer text is cut and ends in "...".
const size_t kLogTextLimit = 4000;
// "YYYY-MM-DD HH:MM:SS.mmm " before each event's text.
const size_t kLogTimeLength = 24;
// The timestamp, the text, CR LF and the terminator.
const size_t kLogLineSize = kLogTimeLength + kLogTextLimit + 3;

// The beginnings of texts by which the log's readers (qvlint --fleet) know
// its lines: the start, the end, and the mark of the failure that counted.
const char kLogStartText[] = "start: ";
const char kLogEndText[] = "end: exit code ";
const char kLogFailureMark[] = "!!! ";

// out (kLogLineSize bytes) = timestamp, a blank, text, CR LF. The text is cut
// at kLogTextLimit characters and each control character in it (CR, LF,
// tab) becomes a blank, so that one event stays one line. Returns the
// line's length.
size_t FormatLogLine(char* out, const ClockTime& time, const char* text);

// An event's text, built piece by piece; what does not fit is cut.
struct LogText {
  char Text[kLogTextLimit + 1];
  size_t Length;
};

void StartLogText(LogText* log, const char* first);
void AddLogText(LogText* log, const char* text);  // a null text adds nothing
// text in double quotes, read up to its terminator or capacity characters.
void AddLogQuoted(LogText* log, const char* text, size_t capacity = kLogTextLimit);
// A wide text in double quotes, each character above 0xFF as "?".
void AddLogWideQuoted(LogText* log, const wchar_t* text);
void AddLogNumber(LogText* log, long number);
// "ok" for 0; a failure as its word and Windows' text, "access denied
// (error 5: Access is denied.)", as "error 193: %1 is not a valid Win32
// application." where it has no word, and as "error N" outside the table.
void AddLogStatus(LogText* log, unsigned long status);
// The status in a word alone: "ok", "access denied", else "error N".
void AddLogStatusWord(LogText* log, unsigned long status);
// The failure of an operation that the run goes on without: "passed over:
// <why> (<word>, error N: <text>)", the status as AddLogStatus has it.
void AddLogPassedOver(LogText* log, const char* why, unsigned long status);
// The English text of Windows' message table for a code that the run can
// meet, or null.
const char* WindowsErrorText(unsigned long status);
// text with each control character (below 0x20, and 0x7F) as "\xNN".
void AddLogEscaped(LogText* log, const char* text);
// Why a run ended, in the words of its end line ("installed"), without the
// details that the log adds to some (the failure that counted, the time a
// poll took).
const char* EndReasonText(RunEndReason reason);
// What the end line adds to the reason's text: the failure that chose the
// ending (kEndChangeFailed, a library, an entry, a check, the paths), the
// seconds that a poll took, or nothing.
enum EndDetail { kEndDetailNone, kEndDetailCause, kEndDetailPollSeconds };
EndDetail EndDetailOf(RunEndReason reason);
// The set switches as "S D R" (those set, in that order), or "none".
void AddLogSwitches(LogText* log, const CommandSwitches& switches);
// The platform class as its number and name: "4 (Windows 98)".
void AddLogOsClass(LogText* log, OsClass osClass);

// name with every "%COMPUTERNAME%" (letter case ignored) replaced by
// computer, into out (outSize bytes): Windows 95, 98 and ME set no such
// variable, so setup puts the name in itself on every class. False when
// the result does not fit.
bool PutComputerName(char* out, size_t outSize, const char* name, const char* computer);

// The log file's path: a name with a drive ("C:...") or starting with a
// backslash or slash stands as it is, any other name lies in sourceDir.
// False for an empty name or a path that does not fit outSize.
bool FormLogFilePath(char* out, size_t outSize, const char* sourceDir, const char* name);

// The level-th directory of path below its root (C:\ or \\server\share\),
// level 1 the first, into out (outSize bytes): the directories of a log file
// that are made one at a time. False when path has no such directory (the
// rest is its file name) or it does not fit.
bool LogDirectoryPrefix(const char* path, size_t level, char* out, size_t outSize);

#endif
