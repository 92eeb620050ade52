// The test bench's agent inside a Wine prefix.
//   winrun run <job file>            start a program, answer its dialogs, record its exit code
//   winrun regdump <path> <out file> write a registry tree in the bench's line format
//   winrun regseed <in file>         apply registry records in that format
// Job file: one key=value per line:
//   program=<path>   commandline=<full command line, verbatim>   directory=<current directory>
//   timeout=<ms>     result=<file for the exit code>   boxes=<file for the dialog log>
//   answer=<caption><tab><button id>  (any number)
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "box_watcher.h"
#include "registry_tool.h"

struct Job {
  char program[MAX_PATH];
  char commandLine[32768];
  char directory[MAX_PATH];
  char result[MAX_PATH];
  char boxes[MAX_PATH];
  DWORD timeout;
  BoxAnswer answers[16];
  int answerCount;
};

static void CopyField(char* out, size_t size, const char* value) {
  strncpy(out, value, size - 1);
  out[size - 1] = '\0';
}

static bool ReadJob(const char* file, Job* job) {
  FILE* in = fopen(file, "rb");
  if (!in) return false;
  static char line[33000];
  job->timeout = 60000;
  while (fgets(line, sizeof line, in)) {
    line[strcspn(line, "\r\n")] = '\0';
    char* value = strchr(line, '=');
    if (!value) continue;
    *value++ = '\0';
    if (!strcmp(line, "program")) CopyField(job->program, sizeof job->program, value);
    else if (!strcmp(line, "commandline")) CopyField(job->commandLine, sizeof job->commandLine, value);
    else if (!strcmp(line, "directory")) CopyField(job->directory, sizeof job->directory, value);
    else if (!strcmp(line, "result")) CopyField(job->result, sizeof job->result, value);
    else if (!strcmp(line, "boxes")) CopyField(job->boxes, sizeof job->boxes, value);
    else if (!strcmp(line, "timeout")) job->timeout = strtoul(value, nullptr, 10);
    else if (!strcmp(line, "answer") && job->answerCount < 16) {
      BoxAnswer* answer = &job->answers[job->answerCount++];
      char* id = strchr(value, '\t');
      answer->buttonId = id ? atoi(id + 1) : IDOK;
      if (id) *id = '\0';
      CopyField(answer->caption, sizeof answer->caption, value);
    }
  }
  fclose(in);
  return job->program[0] && job->result[0];
}

static int RunJob(const char* jobFile) {
  static Job job;
  if (!ReadJob(jobFile, &job)) return 2;
  FILE* boxes = fopen(job.boxes[0] ? job.boxes : "NUL", "wb");
  if (!boxes) return 2;
  StartBoxWatcher(boxes, job.answers, job.answerCount);

  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  char outcome[64];
  if (!CreateProcessA(job.program, job.commandLine, nullptr, nullptr, FALSE, 0, nullptr,
                      job.directory[0] ? job.directory : nullptr, &startup, &process)) {
    _snprintf(outcome, sizeof outcome, "start_failed %lu", GetLastError());
  } else if (WaitForSingleObject(process.hProcess, job.timeout) == WAIT_TIMEOUT) {
    TerminateProcess(process.hProcess, 0xDEAD);
    WaitForSingleObject(process.hProcess, 5000);
    strcpy(outcome, "timeout");
  } else {
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    _snprintf(outcome, sizeof outcome, "exit %lu", code);
  }
  StopBoxWatcher();
  fclose(boxes);

  FILE* result = fopen(job.result, "wb");
  if (!result) return 2;
  fprintf(result, "%s\n", outcome);
  fclose(result);
  return 0;
}

int main(int argc, char** argv) {
  if (argc == 3 && !strcmp(argv[1], "run")) return RunJob(argv[2]);
  if (argc == 4 && !strcmp(argv[1], "regdump")) return DumpRegistry(argv[2], argv[3]);
  if (argc == 3 && !strcmp(argv[1], "regseed")) return SeedRegistry(argv[2]);
  fputs("usage: winrun run JOB | regdump PATH OUT | regseed IN\n", stderr);
  return 2;
}
