#include "call_table.h"

#include <string.h>

namespace {

typedef System& S;
typedef CallFrame& F;

KeyAccess Access(unsigned long number) { return number != 0 ? kKeyAllAccess : kKeyRead; }

// clang-format off
const CallRow kRows[] = {
    // The registry.
    {"OpenKey", kResultStatus, "snK",
     [](S s, F f) { f.status = s.OpenKey(f.text[0], Access(f.number[1]), f.KeyOut(2)); }},
    {"CreateKey", kResultStatus, "sK", [](S s, F f) { f.status = s.CreateKey(f.text[0], f.KeyOut(1)); }},
    {"CloseKey", kResultVoid, "k", [](S s, F f) { s.CloseKey(f.Key(0)); }},
    {"EnumKey", kResultStatus, "knq",
     [](S s, F f) { f.status = s.EnumKey(f.Key(0), f.number[1], f.buffer[2], &f.size[2]); }},
    {"EnumValue", kResultStatus, "knqq",
     [](S s, F f) {
       f.status = s.EnumValue(f.Key(0), f.number[1], f.buffer[2], &f.size[2], f.Data(3), &f.size[3]);
     }},
    {"QueryValue", kResultStatus, "ksuq",
     [](S s, F f) { f.status = s.QueryValue(f.Key(0), f.text[1], f.CountOut(2), f.Data(3), &f.size[3]); }},
    {"SetValue", kResultStatus, "ksnb",
     [](S s, F f) { f.status = s.SetValue(f.Key(0), f.text[1], f.number[2], f.InputData(3), f.number[3]); }},
    {"DeleteValue", kResultStatus, "ks", [](S s, F f) { f.status = s.DeleteValue(f.Key(0), f.text[1]); }},
    {"DeleteKey", kResultStatus, "s", [](S s, F f) { f.status = s.DeleteKey(f.text[0]); }},
    {"FlushKey", kResultStatus, "k", [](S s, F f) { f.status = s.FlushKey(f.Key(0)); }},
    // Files and directories.
    {"FileAttributes", kResultNumber, "s", [](S s, F f) { f.result = s.FileAttributes(f.text[0]); }},
    {"SetAttributes", kResultStatus, "sn", [](S s, F f) { f.status = s.SetAttributes(f.text[0], f.number[1]); }},
    {"CopyOneFile", kResultStatus, "ss", [](S s, F f) { f.status = s.CopyOneFile(f.text[0], f.text[1]); }},
    {"RemoveFile", kResultStatus, "s", [](S s, F f) { f.status = s.RemoveFile(f.text[0]); }},
    {"RenameReplacing", kResultStatus, "ss", [](S s, F f) { f.status = s.RenameReplacing(f.text[0], f.text[1]); }},
    {"RenameFile", kResultStatus, "ss", [](S s, F f) { f.status = s.RenameFile(f.text[0], f.text[1]); }},
    {"MakeDirectory", kResultStatus, "s", [](S s, F f) { f.status = s.MakeDirectory(f.text[0]); }},
    {"FindFirstMatch", kResultStatus, "sXf",
     [](S s, F f) { f.status = s.FindFirstMatch(f.text[0], f.SearchOut(1), f.buffer[2]); }},
    {"FindNextMatch", kResultStatus, "xf", [](S s, F f) { f.status = s.FindNextMatch(f.Search(0), f.buffer[1]); }},
    {"EndSearch", kResultVoid, "x", [](S s, F f) { s.EndSearch(f.Search(0)); }},
    {"OpenFileToRead", kResultStatus, "sG", [](S s, F f) { f.status = s.OpenFileToRead(f.text[0], f.FileOut(1)); }},
    {"OpenFileToAppend", kResultStatus, "sG", [](S s, F f) { f.status = s.OpenFileToAppend(f.text[0], f.FileOut(1)); }},
    {"ReadFromFile", kResultStatus, "gru",
     [](S s, F f) { f.status = s.ReadFromFile(f.File(0), f.buffer[1], f.size[1], f.CountOut(2)); }},
    {"AppendFile", kResultStatus, "gb", [](S s, F f) { f.status = s.AppendFile(f.File(0), f.text[1], f.number[1]); }},
    {"FileSize", kResultNumber, "g", [](S s, F f) { f.result = s.FileSize(f.File(0)); }},
    {"CloseFile", kResultVoid, "g", [](S s, F f) { s.CloseFile(f.File(0)); }},
    {"FreeSpace", kResultStatus, "sz", [](S s, F f) { f.status = s.FreeSpace(f.text[0], f.BytesOut(1)); }},
    {"ProbeExclusiveOpen", kResultStatus, "sn",
     [](S s, F f) { f.status = s.ProbeExclusiveOpen(f.text[0], f.number[1] != 0); }},
    // The environment.
    {"CurrentDirectory", kResultNumber, "o", [](S s, F f) { f.result = s.CurrentDirectory(f.buffer[0], f.size[0]); }},
    {"ChangeDirectory", kResultBool, "s", [](S s, F f) { f.flag = s.ChangeDirectory(f.text[0]); }},
    {"WindowsDirectory", kResultNumber, "o", [](S s, F f) { f.result = s.WindowsDirectory(f.buffer[0], f.size[0]); }},
    {"SystemDirectory", kResultNumber, "o", [](S s, F f) { f.result = s.SystemDirectory(f.buffer[0], f.size[0]); }},
    {"ProgramFile", kResultNumber, "o", [](S s, F f) { f.result = s.ProgramFile(f.buffer[0], f.size[0]); }},
    {"ShortPath", kResultNumber, "so", [](S s, F f) { f.result = s.ShortPath(f.text[0], f.buffer[1], f.size[1]); }},
    {"ExpandVariables", kResultNumber, "so",
     [](S s, F f) { f.result = s.ExpandVariables(f.text[0], f.buffer[1], f.size[1]); }},
    {"ComputerName", kResultBool, "t", [](S s, F f) { f.flag = s.ComputerName(f.buffer[0], f.size[0]); }},
    {"ProfileString", kResultNumber, "ssos",
     [](S s, F f) { f.result = s.ProfileString(f.text[0], f.text[1], f.buffer[2], f.size[2], f.text[3]); }},
    // Programs and libraries.
    {"RunProgram", kResultProgram, "sm",
     [](S s, F f) { f.program = s.RunProgram(f.text[0], const_cast<char*>(f.text[1])); }},
    {"OpenLibrary", kResultStatus, "sL", [](S s, F f) { f.status = s.OpenLibrary(f.text[0], f.LibraryOut(1)); }},
    {"FindEntry", kResultEntry, "ls", [](S s, F f) { f.entry = s.FindEntry(f.Library(0), f.text[1]); }},
    {"CloseLibrary", kResultVoid, "l", [](S s, F f) { s.CloseLibrary(f.Library(0)); }},
    {"CallPlainEntry", kResultNumber, "", nullptr},
    {"CallGetInfByPci", kResultNumber, "", nullptr},
    {"CallGetHardWareId", kResultNumber, "", nullptr},
    {"CallUpdateNT5Device", kResultNumber, "", nullptr},
    {"CallInstallClassDevice", kResultNumber, "", nullptr},
    // The platform.
    {"Version", kResultBool, "v", [](S s, F f) { f.flag = s.Version(&f.version); }},
    {"IsAdministrator", kResultBool, "", [](S s, F f) { f.flag = s.IsAdministrator(); }},
    {"SuppressErrorBoxes", kResultVoid, "", [](S s, F) { s.SuppressErrorBoxes(); }},
    {"ServiceRunning", kResultBool, "s", [](S s, F f) { f.flag = s.ServiceRunning(f.text[0]); }},
    {"HoldSetupMark", kResultBool, "", nullptr},
    {"LocalTime", kResultVoid, "", nullptr},
    {"StartTimer", kResultBool, "", nullptr},
    {"StopTimer", kResultVoid, "", nullptr},
    {"PostQuit", kResultVoid, "", nullptr},
    {"EndProcess", kResultVoid, "", nullptr},
    {"EnableShutdownPrivilege", kResultStatus, "", nullptr},
    {"RequestRestart", kResultStatus, "", nullptr},
    {"ShowMessage", kResultVoid, "", nullptr},
};
// clang-format on

}  // namespace

const CallRow* FindCallRow(const char* name, size_t length) {
  for (const CallRow& row : kRows) {
    if (strlen(row.name) == length && memcmp(row.name, name, length) == 0) return &row;
  }
  return nullptr;
}

const CallRow* CallRows(size_t* count) {
  *count = sizeof kRows / sizeof kRows[0];
  return kRows;
}
