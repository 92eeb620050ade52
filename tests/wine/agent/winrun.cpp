// The test bench's agent inside a Wine prefix.
//   winrun run <job file>            start a program, answer its dialogs, record its exit code
//   winrun regdump [--top] <path> <out file> [[--top] <path> <out file>]...
//                                    write registry trees in the bench's line format;
//                                    --top: the key's values and its subkeys' names only
//   winrun regseed <in file>         apply registry records in that format
// Job file: one key=value per line:
//   program=<path>   commandline=<full command line, verbatim>   directory=<current directory>
//   timeout=<ms>     result=<file for the exit code>   boxes=<file for the message box log>
//   dialogs=<file for the records of setup's dialogs (setup_dialogs.h)>
//   answer=<caption><tab><button id>[<tab><delay ms>]  (any number; see box_watcher.h)
//   key=<#edit id of a setup dialog><tab><virtual key>[<tab><delay ms>]  (any number)
//   cutbox=<caption><tab><occurrence>   cuttick=<n>   (see CutPoint in box_watcher.h);
//   the result is then "cut"
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "box_watcher.h"
#include "registry_tool.h"
#include "setup_dialogs.h"

struct Job {
  char program[MAX_PATH];
  char commandLine[32768];
  char directory[MAX_PATH];
  char result[MAX_PATH];
  char boxes[MAX_PATH];
  char dialogs[MAX_PATH];
  DWORD timeout;
  BoxAnswer answers[16];
  int answerCount;
  KeyPress keys[8];
  int keyCount;
  CutPoint cut;
};

namespace {

void CopyField(char* out, size_t size, const char* value) {
  strncpy(out, value, size - 1);
  out[size - 1] = '\0';
}

// Ends the field at the next tab; returns what follows it ("" at the end).
char* SplitField(char* field) {
  char* tab = strchr(field, '\t');
  if (!tab) return field + strlen(field);
  *tab = '\0';
  return tab + 1;
}

bool ReadJob(const char* file, Job* job) {
  FILE* in = fopen(file, "rb");
  if (!in) return false;
  static char line[33000];
  job->timeout = 60000;
  while (fgets(line, sizeof line, in)) {
    line[strcspn(line, "\r\n")] = '\0';
    char* value = strchr(line, '=');
    if (!value) continue;
    *value++ = '\0';
    if (!strcmp(line, "program"))
      CopyField(job->program, sizeof job->program, value);
    else if (!strcmp(line, "commandline"))
      CopyField(job->commandLine, sizeof job->commandLine, value);
    else if (!strcmp(line, "directory"))
      CopyField(job->directory, sizeof job->directory, value);
    else if (!strcmp(line, "result"))
      CopyField(job->result, sizeof job->result, value);
    else if (!strcmp(line, "boxes"))
      CopyField(job->boxes, sizeof job->boxes, value);
    else if (!strcmp(line, "dialogs"))
      CopyField(job->dialogs, sizeof job->dialogs, value);
    else if (!strcmp(line, "timeout"))
      job->timeout = strtoul(value, nullptr, 10);
    else if (!strcmp(line, "answer") && job->answerCount < 16) {
      BoxAnswer* answer = &job->answers[job->answerCount++];
      char* id = SplitField(value);
      char* delay = SplitField(id);
      answer->buttonId = *id ? atoi(id) : IDOK;
      answer->delay = strtoul(delay, nullptr, 10);
      CopyField(answer->caption, sizeof answer->caption, value);
    } else if (!strcmp(line, "cutbox")) {
      char* occurrence = SplitField(value);
      job->cut.occurrence = atoi(occurrence);
      CopyField(job->cut.caption, sizeof job->cut.caption, value);
    } else if (!strcmp(line, "cuttick")) {
      job->cut.tick = atoi(value);
    } else if (!strcmp(line, "key") && job->keyCount < 8) {
      KeyPress* key = &job->keys[job->keyCount++];
      char* code = SplitField(value);
      char* delay = SplitField(code);
      key->virtualKey = atoi(code);
      key->delay = strtoul(delay, nullptr, 10);
      CopyField(key->dialog, sizeof key->dialog, value);
    }
  }
  fclose(in);
  return job->program[0] && job->result[0];
}

// Starts the program with its main thread hooked before it runs, waits for
// it and describes how it ended.
void RunProgram(const Job& job, char* outcome, size_t outcomeSize) {
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(job.program, const_cast<char*>(job.commandLine), nullptr, nullptr, FALSE,
                      CREATE_SUSPENDED, nullptr, job.directory[0] ? job.directory : nullptr,
                      &startup, &process)) {
    _snprintf(outcome, outcomeSize, "start_failed %lu", GetLastError());
    return;
  }
  WatchProgram(process.hProcess);
  HookDialogs(process.dwThreadId);
  ResumeThread(process.hThread);
  const DWORD waited = WaitForSingleObject(process.hProcess, job.timeout);
  if (ProgramWasCut()) {
    _snprintf(outcome, outcomeSize, "cut");
  } else if (waited == WAIT_TIMEOUT) {
    TerminateProcess(process.hProcess, 0xDEAD);
    WaitForSingleObject(process.hProcess, 5000);
    _snprintf(outcome, outcomeSize, "timeout");
  } else {
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    _snprintf(outcome, outcomeSize, "exit %lu", code);
  }
  UnhookDialogs();
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

int RunJob(const char* jobFile) {
  static Job job;
  if (!ReadJob(jobFile, &job)) return 2;
  FILE* boxes = fopen(job.boxes[0] ? job.boxes : "NUL", "wb");
  FILE* dialogs = fopen(job.dialogs[0] ? job.dialogs : "NUL", "wb");
  if (!boxes || !dialogs) return 2;
  WatcherScript script = {boxes,    dialogs,      job.answers, job.answerCount,
                          job.keys, job.keyCount, job.cut};
  const HWND watcher = StartBoxWatcher(&script);
  // The dialog hook inside the program finds the watcher here.
  char watcherText[32];
  _snprintf(watcherText, sizeof watcherText, "%lx",
            static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(watcher)));
  watcherText[sizeof watcherText - 1] = '\0';
  SetEnvironmentVariableA(WatcherWindowVariable, watcherText);

  char outcome[64];
  RunProgram(job, outcome, sizeof outcome);
  outcome[sizeof outcome - 1] = '\0';
  StopBoxWatcher();
  fclose(boxes);
  fclose(dialogs);

  FILE* result = fopen(job.result, "wb");
  if (!result) return 2;
  fprintf(result, "%s\n", outcome);
  fclose(result);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && !strcmp(argv[1], "run")) return RunJob(argv[2]);
  if (argc >= 4 && !strcmp(argv[1], "regdump")) {
    int status = 0;
    for (int i = 2; i < argc; i += 2) {
      const bool topOnly = !strcmp(argv[i], "--top");
      if (topOnly) ++i;
      if (i + 1 >= argc) return 2;
      if (DumpRegistry(argv[i], argv[i + 1], !topOnly)) status = 2;
    }
    return status;
  }
  if (argc == 3 && !strcmp(argv[1], "regseed")) return SeedRegistry(argv[2]);
  fputs("usage: winrun run JOB | regdump [--top] PATH OUT [[--top] PATH OUT]... | regseed IN\n",
        stderr);
  return 2;
}
