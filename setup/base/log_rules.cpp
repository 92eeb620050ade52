#include "log_rules.h"

#include <string.h>

#include "paths_rules.h"
#include "platform.h"

namespace {

const char kCutMark[] = "...";

// Writes value as exactly width decimal digits (the lowest ones).
char* PutDigits(char* out, unsigned long value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return out + width;
}

}  // namespace

size_t FormatLogLine(char* out, const ClockTime& time, const char* text) {
  char* p = PutDigits(out, time.Year, 4);
  *p++ = '-';
  p = PutDigits(p, time.Month, 2);
  *p++ = '-';
  p = PutDigits(p, time.Day, 2);
  *p++ = ' ';
  p = PutDigits(p, time.Hour, 2);
  *p++ = ':';
  p = PutDigits(p, time.Minute, 2);
  *p++ = ':';
  p = PutDigits(p, time.Second, 2);
  *p++ = '.';
  p = PutDigits(p, time.Milliseconds, 3);
  *p++ = ' ';
  size_t length = 0;
  for (; text[length] && length < kLogTextLimit; ++length) {
    const unsigned char c = static_cast<unsigned char>(text[length]);
    p[length] = c < 0x20 || c == 0x7F ? ' ' : static_cast<char>(c);
  }
  if (text[length]) memcpy(p + length - (sizeof kCutMark - 1), kCutMark, sizeof kCutMark - 1);
  p += length;
  *p++ = '\r';
  *p++ = '\n';
  *p = '\0';
  return static_cast<size_t>(p - out);
}

void StartLogText(LogText* log, const char* first) {
  log->Length = 0;
  log->Text[0] = '\0';
  AddLogText(log, first);
}

namespace {

// Appends count characters of text; what does not fit is cut, and the text
// then ends in the cut mark.
void Append(LogText* log, const char* text, size_t count) {
  const size_t room = kLogTextLimit - log->Length;
  const size_t taken = count < room ? count : room;
  memcpy(log->Text + log->Length, text, taken);
  log->Length += taken;
  log->Text[log->Length] = '\0';
  if (taken < count)
    memcpy(log->Text + kLogTextLimit - (sizeof kCutMark - 1), kCutMark, sizeof kCutMark - 1);
}

}  // namespace

void AddLogText(LogText* log, const char* text) {
  if (text) Append(log, text, strlen(text));
}

void AddLogQuoted(LogText* log, const char* text, size_t capacity) {
  Append(log, "\"", 1);
  if (text) {
    const char* end = static_cast<const char*>(memchr(text, '\0', capacity));
    Append(log, text, end ? static_cast<size_t>(end - text) : capacity);
  }
  Append(log, "\"", 1);
}

void AddLogWideQuoted(LogText* log, const wchar_t* text) {
  Append(log, "\"", 1);
  for (; text && *text && log->Length < kLogTextLimit; ++text) {
    const char c = static_cast<unsigned long>(*text) > 0xFF ? '?' : static_cast<char>(*text);
    Append(log, &c, 1);
  }
  Append(log, "\"", 1);
}

namespace {

void AddDigits(LogText* log, unsigned long magnitude, bool negative) {
  char digits[24];
  size_t start = sizeof digits;
  do {
    digits[--start] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  if (negative) digits[--start] = '-';
  Append(log, digits + start, sizeof digits - start);
}

}  // namespace

void AddLogNumber(LogText* log, long number) {
  const unsigned long magnitude = number < 0 ? 0UL - static_cast<unsigned long>(number)
                                             : static_cast<unsigned long>(number);
  AddDigits(log, magnitude, number < 0);
}

namespace {

const char* StatusWord(unsigned long status) {
  switch (status) {
    case 0:
      return "ok";
    case 2:     // file, key or value
    case 126:   // module
    case 127:   // entry point
    case 1157:  // module, as the 9x family says it
      return "not found";
    case 3:
      return "path not found";
    case 5:
      return "access denied";
    case 32:
      return "in use";
    case 206:
      return "path too long";
    default:
      return nullptr;
  }
}

}  // namespace

// The texts as Windows' English message table words them, checked against
// "System Error Codes (0-499)" and "(1000-1299)",
// https://learn.microsoft.com/windows/win32/debug/system-error-codes--0-499-
// and https://learn.microsoft.com/windows/win32/debug/system-error-codes--1000-1299-
const char* WindowsErrorText(unsigned long status) {
  switch (status) {
    case 2:
      return "The system cannot find the file specified.";
    case 3:
      return "The system cannot find the path specified.";
    case 5:
      return "Access is denied.";
    case 6:
      return "The handle is invalid.";
    case 18:
      return "There are no more files.";
    case 32:
      return "The process cannot access the file because it is being used by another process.";
    case 87:
      return "The parameter is incorrect.";
    case 112:
      return "There is not enough space on the disk.";
    case 123:
      return "The filename, directory name, or volume label syntax is incorrect.";
    case 126:
      return "The specified module could not be found.";
    case 127:
      return "The specified procedure could not be found.";
    case 183:
      return "Cannot create a file when that file already exists.";
    case 193:
      return "%1 is not a valid Win32 application.";
    case 206:
      return "The filename or extension is too long.";
    case 1157:
      return "One of the library files needed to run this application cannot be found.";
    default:
      return nullptr;
  }
}

namespace {

// "error N: text", or "error N" for a code outside the table.
void AddErrorNumber(LogText* log, unsigned long status) {
  AddLogText(log, "error ");
  AddDigits(log, status, false);
  const char* text = WindowsErrorText(status);
  if (!text) return;
  AddLogText(log, ": ");
  AddLogText(log, text);
}

}  // namespace

void AddLogStatus(LogText* log, unsigned long status) {
  const char* word = StatusWord(status);
  if (status == 0) {
    AddLogText(log, word);
  } else if (word) {
    AddLogText(log, word);
    AddLogText(log, " (");
    AddErrorNumber(log, status);
    AddLogText(log, ")");
  } else {
    AddErrorNumber(log, status);
  }
}

void AddLogStatusWord(LogText* log, unsigned long status) {
  const char* word = StatusWord(status);
  if (word) {
    AddLogText(log, word);
    return;
  }
  AddLogText(log, "error ");
  AddDigits(log, status, false);
}

void AddLogPassedOver(LogText* log, const char* why, unsigned long status) {
  AddLogText(log, "passed over: ");
  AddLogText(log, why);
  AddLogText(log, " (");
  const char* word = StatusWord(status);
  if (word) {
    AddLogText(log, word);
    AddLogText(log, ", ");
  }
  AddErrorNumber(log, status);
  AddLogText(log, ")");
}

void AddLogEscaped(LogText* log, const char* text) {
  static const char kHex[] = "0123456789ABCDEF";
  for (; text && *text; ++text) {
    const unsigned char c = static_cast<unsigned char>(*text);
    if (c >= 0x20 && c != 0x7F) {
      Append(log, text, 1);
      continue;
    }
    const char escaped[4] = {'\\', 'x', kHex[c >> 4], kHex[c & 0xF]};
    Append(log, escaped, sizeof escaped);
  }
}

const char* EndReasonText(RunEndReason reason) {
  switch (reason) {
    case kEndAnotherSetupRuns:
      return "another setup is running; nothing is changed";
    case kEndPathsNotFormed:
      return "the paths of the run could not be formed; nothing is changed";
    case kEndMediumIncomplete:
      return "the medium is incomplete; nothing is changed";
    case kEndPreflightFailed:
      return "a check before the first change failed; nothing is changed";
    case kEndLibraryNotLoaded:
      return "a setup library could not be loaded";
    case kEndEntryMissing:
      return "a setup library lacks an entry";
    case kEndServiceNotRemoved:
      return "the earlier driver service could not be removed; nothing is installed";
    case kEndServiceNeverRan:
      return "the driver service did not run within the poll's limit; nothing is installed";
    case kEndChangeFailed:
      return "a change of the run could not be made";
    case kEndNoRefresh:
      return "RefreshWin2K answered 0: no device refresh runs that would end the run";
    case kEndOtherDevice:
      return "GetInfByPci found another device and HardwareDetectNT is set";
    case kEndSequenceStopped:
      return "the sequence stopped";
    case kEndSessionEnded:
      return "Windows ended the session during the run";
    case kEndMainWindowClosed:
      return "the main window was closed";
    case kEndModemFound:
      return "installed; the modem's class record appeared";
    case kEndModemPollLimit:
      return "installed; the modem poll reached its limit without the modem's class record";
    case kEndServiceRuns:
      return "installed; the driver service ran";
    case kEndRemoveOnly:
      return "removed (D without R: removal only)";
    case kEndCopyFilesOnly:
      return "the files are copied (CopyFilesOnly)";
    case kEndSequenceDone:
      return "installed";
    case kEndCancelled:
      return "cancelled at the welcome dialog; nothing is changed";
    case kEndRestartDialog:
      return "installed; the restart dialog ended the run";
    case kEndWelcomeNotShown:
      return "the welcome dialog could not be shown; nothing is changed";
    case kEndLogNotOpened:
      return "the installation log could not be opened; nothing is changed";
    default:
      return "no reason told";
  }
}

EndDetail EndDetailOf(RunEndReason reason) {
  switch (reason) {
    case kEndPathsNotFormed:
    case kEndMediumIncomplete:
    case kEndPreflightFailed:
    case kEndLibraryNotLoaded:
    case kEndEntryMissing:
    case kEndChangeFailed:
    case kEndSequenceStopped:
      return kEndDetailCause;
    case kEndModemFound:
    case kEndServiceRuns:
      return kEndDetailPollSeconds;
    default:
      return kEndDetailNone;
  }
}

void AddLogSwitches(LogText* log, const CommandSwitches& switches) {
  const char* const letters[] = {switches.SilentMode ? "S" : nullptr,
                                 switches.RemoveMode ? "D" : nullptr,
                                 switches.RefreshMode ? "R" : nullptr};
  bool any = false;
  for (const char* letter : letters) {
    if (!letter) continue;
    if (any) AddLogText(log, " ");
    AddLogText(log, letter);
    any = true;
  }
  if (!any) AddLogText(log, "none");
}

namespace {

const char* OsClassName(OsClass osClass) {
  // By the class's number; 0 and 5 name no class.
  const char* const names[] = {"unknown",    "NT 4.0",  "Windows 2000",  "Windows 95",
                               "Windows 98", "unknown", "Windows 98 SE", "Windows ME"};
  return osClass < sizeof names / sizeof names[0] ? names[osClass] : "unknown";
}

}  // namespace

void AddLogOsClass(LogText* log, OsClass osClass) {
  AddLogNumber(log, osClass);
  AddLogText(log, " (");
  AddLogText(log, OsClassName(osClass));
  AddLogText(log, ")");
}

namespace {

// Whether text starts with the upper-case ASCII word, letter case ignored.
bool EqualIgnoringCase(const char* text, const char* word, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (AsciiUpper(text[i]) != word[i]) return false;
  }
  return true;
}

}  // namespace

bool PutComputerName(char* out, size_t outSize, const char* name, const char* computer) {
  static const char kVariable[] = "%COMPUTERNAME%";
  const size_t variableLength = sizeof kVariable - 1;
  const size_t computerLength = strlen(computer);
  size_t length = 0;
  for (const char* at = name; *at;) {
    if (EqualIgnoringCase(at, kVariable, variableLength)) {
      if (outSize - length <= computerLength) return false;
      memcpy(out + length, computer, computerLength);
      length += computerLength;
      at += variableLength;
    } else {
      if (outSize - length <= 1) return false;
      out[length++] = *at++;
    }
  }
  out[length] = '\0';
  return true;
}

bool FormLogFilePath(char* out, size_t outSize, const char* sourceDir, const char* name) {
  if (!name[0]) return false;
  const bool standsAsItIs = name[0] == '\\' || name[0] == '/' || name[1] == ':';
  if (standsAsItIs) return CopyWholeText(out, outSize, name);
  return JoinRootAware(out, outSize, sourceDir, name);
}

bool LogDirectoryPrefix(const char* path, size_t level, char* out, size_t outSize) {
  // Past the root: a drive or a share with its separator, or a leading one.
  size_t at = DriveRootLength(path);
  if (path[at] == '\\' || path[at] == '/') ++at;
  for (size_t found = 0; path[at]; ++at) {
    if (path[at] != '\\' && path[at] != '/') continue;
    if (++found < level) continue;
    if (at >= outSize) return false;
    memcpy(out, path, at);
    out[at] = '\0';
    return true;
  }
  return false;
}
