#include "script_runner.h"

#include <stdarg.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "call_output.h"
#include "call_table.h"
#include "script_parser.h"

namespace {

const char kProgramName[] = "simulate-calls";
const unsigned long kUntouchedCount = 0xFFFFFFFFul;

// The handle that a step gave back, by the letter of its kind (k x g l e);
// 0 for a step that gives none.
struct StepHandle {
  char kind;
  void* handle;
};

// A script's state between its lines; the buffers are the calls' outputs.
struct ScriptRun {
  char line[kMaxLineLength + 2];
  ScriptLine parsed;
  CallFrame frame;
  char buffers[2][kMaxBufferSize];
  char found[kFoundNameSize];
  char modifiable[kMaxLineLength + 1];
  std::vector<StepHandle> steps;
  char error[kErrorSize];
};

bool Fail(ScriptRun* run, const char* format, ...) __attribute__((format(printf, 2, 3)));

bool Fail(ScriptRun* run, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  vsnprintf(run->error, sizeof run->error, format, arguments);
  va_end(arguments);
  return false;
}

const char* HandleName(char kind) {
  switch (kind) {
    case 'k':
      return "key";
    case 'x':
      return "search";
    case 'g':
      return "file";
    case 'l':
      return "library";
    default:
      return "entry";
  }
}

bool IsHandleIn(char kind) { return kind == 'k' || kind == 'x' || kind == 'g' || kind == 'l'; }
bool IsHandleOut(char kind) { return kind == 'K' || kind == 'X' || kind == 'G' || kind == 'L'; }

// The script arguments that the parameter kinds take.
size_t ArgumentsOf(const char* kinds) {
  size_t count = 0;
  for (; *kinds != '\0'; ++kinds)
    count += *kinds == 'b' ? 2 : (*kinds == 'f' || *kinds == 'v') ? 0 : 1;
  return count;
}

bool TakeText(const Token& token, const char** text, unsigned long* length) {
  if (token.kind == kTokenNull) {
    *text = nullptr;
    *length = 0;
    return true;
  }
  if (token.kind != kTokenString) return false;
  *text = token.text;
  *length = static_cast<unsigned long>(token.length);
  return true;
}

bool TakeHandle(ScriptRun* run, const Token& token, char kind, size_t step, void** handle) {
  *handle = nullptr;
  if (token.kind == kTokenNull) return true;
  if (token.kind != kTokenHandle)
    return Fail(run, "a %s handle (#N or null) expected", HandleName(kind));
  if (token.number >= step) return Fail(run, "#%lu is no earlier step", token.number);
  const StepHandle& given = run->steps[token.number - 1];
  if (given.kind != kind)
    return Fail(run, "step %lu gave no %s handle", token.number, HandleName(kind));
  *handle = given.handle;
  return true;
}

bool TakeOut(ScriptRun* run, const Token& token, bool* given) {
  *given = IsWord(token, "out");
  if (*given || token.kind == kTokenNull) return true;
  return Fail(run, "out or null expected");
}

// An output buffer of the script's size, filled with x; null for none.
bool TakeBuffer(ScriptRun* run, const Token& token, bool sizePair, size_t* slot, size_t i) {
  CallFrame& f = run->frame;
  if (token.kind == kTokenNull) return true;
  if (token.kind != kTokenNumber && !(sizePair && token.kind == kTokenSizes))
    return Fail(run, sizePair ? "a buffer size (N or N/M) or null expected"
                              : "a buffer size or null expected");
  if (token.number > kMaxBufferSize)
    return Fail(run, "a buffer of at most %lu bytes", kMaxBufferSize);
  if (token.kind == kTokenSizes && token.second > token.number)
    return Fail(run, "the size %lu is larger than the buffer", token.second);
  f.buffer[i] = run->buffers[(*slot)++];
  f.capacity[i] = token.number;
  f.size[i] = token.kind == kTokenSizes ? token.second : token.number;
  memset(f.buffer[i], 'x', f.capacity[i]);
  return true;
}

// One parameter's arguments from tokens[*at] on.
bool Bind(ScriptRun* run, char kind, size_t i, size_t* at, size_t* slot, size_t step) {
  CallFrame& f = run->frame;
  const Token& token = run->parsed.tokens[*at];
  switch (kind) {
    case 'f':
      f.buffer[i] = run->found;
      f.capacity[i] = f.size[i] = kFoundNameSize;
      memset(f.buffer[i], 'x', kFoundNameSize);
      return true;
    case 'v':
      return true;
    case 's':
      ++*at;
      return TakeText(token, &f.text[i], &f.length[i]) || Fail(run, "a string or null expected");
    case 'm':
      ++*at;
      if (!TakeText(token, &f.text[i], &f.length[i])) return Fail(run, "a string or null expected");
      if (f.text[i] != nullptr) {
        memcpy(run->modifiable, f.text[i], f.length[i] + 1);
        f.text[i] = run->modifiable;
      }
      return true;
    case 'n':
      ++*at;
      f.number[i] = token.number;
      return token.kind == kTokenNumber || Fail(run, "a number expected");
    case 'b': {
      const Token& size = run->parsed.tokens[*at + 1];
      *at += 2;
      if (!TakeText(token, &f.text[i], &f.length[i]) || size.kind != kTokenNumber)
        return Fail(run, "bytes (a string or null) and their size expected");
      f.number[i] = size.number;
      return size.number <= f.length[i] || Fail(run, "a size larger than the bytes given");
    }
    case 'o':
    case 't':
    case 'r':
    case 'q':
      ++*at;
      return TakeBuffer(run, token, kind == 'q', slot, i);
    case 'u':
    case 'z':
      ++*at;
      return TakeOut(run, token, &f.given[i]);
    default:
      ++*at;
      if (IsHandleIn(kind)) return TakeHandle(run, token, kind, step, &f.handle[i]);
      return TakeOut(run, token, &f.given[i]);
  }
}

bool RunCall(System& system, ScriptRun* run, size_t step, FILE* out) {
  const Token& method = run->parsed.tokens[0];
  const CallRow* row = FindCallRow(method.text, method.length);
  if (row == nullptr)
    return Fail(run, "unknown method %.*s", static_cast<int>(method.length), method.text);
  if (row->call == nullptr) return Fail(run, "%s is not callable from a script", row->name);
  const size_t expected = ArgumentsOf(row->parameters);
  if (run->parsed.count - 1 != expected)
    return Fail(run, "%s takes %u arguments, %u given", row->name, static_cast<unsigned>(expected),
                static_cast<unsigned>(run->parsed.count - 1));
  run->frame = CallFrame();
  run->frame.count = kUntouchedCount;
  run->frame.bytes = ~0ull;
  size_t at = 1, slot = 0;
  for (size_t i = 0; row->parameters[i] != '\0'; ++i) {
    const size_t argument = at;
    if (!Bind(run, row->parameters[i], i, &at, &slot, step)) {
      const std::string what = run->error;
      return Fail(run, "%s argument %u: %s", row->name, static_cast<unsigned>(argument),
                  what.c_str());
    }
  }
  row->call(system, run->frame);
  const std::string line = FormatCall(*row, run->frame);
  fprintf(out, "%s\n", line.c_str());
  StepHandle& handle = run->steps[step - 1];
  if (row->result == kResultEntry) handle = StepHandle{'e', run->frame.entry};
  for (size_t i = 0; row->parameters[i] != '\0'; ++i) {
    const char kind = row->parameters[i];
    if (!IsHandleOut(kind)) continue;
    void* given = kind == 'K'   ? static_cast<void*>(run->frame.key)
                  : kind == 'X' ? static_cast<void*>(run->frame.search)
                  : kind == 'G' ? static_cast<void*>(run->frame.file)
                                : static_cast<void*>(run->frame.library);
    handle = StepHandle{static_cast<char>(kind - 'A' + 'a'), run->frame.given[i] ? given : nullptr};
  }
  return true;
}

// The registry type of a value step: a number or its REG_ name.
bool TypeOf(const Token& token, unsigned long* type) {
  static const struct {
    const char* name;
    unsigned long type;
  } kTypes[] = {{"REG_SZ", kRegistryString},
                {"REG_EXPAND_SZ", kRegistryExpandString},
                {"REG_BINARY", kRegistryBinary},
                {"REG_DWORD", kRegistryNumber}};
  if (token.kind == kTokenNumber) {
    *type = token.number;
    return true;
  }
  for (const auto& known : kTypes) {
    if (IsWord(token, known.name)) {
      *type = known.type;
      return true;
    }
  }
  return false;
}

bool SetValueStep(System& system, ScriptRun* run) {
  const Token* t = run->parsed.tokens;
  const char *key, *name, *bytes;
  unsigned long keyLength, nameLength, size, type;
  if (run->parsed.count != 5 || t[1].kind != kTokenString || !TakeText(t[2], &name, &nameLength) ||
      !TypeOf(t[3], &type) || t[4].kind != kTokenString || !TakeText(t[1], &key, &keyLength) ||
      !TakeText(t[4], &bytes, &size))
    return Fail(run, "value takes KEY NAME TYPE \"BYTES\"");
  KeyHandle handle = nullptr;
  SystemStatus status = system.CreateKey(key, &handle);
  if (status != kStatusSuccess)
    return Fail(run, "value: the key can not be made (status %ld)", status);
  status = system.SetValue(handle, name, type, reinterpret_cast<const unsigned char*>(bytes), size);
  system.CloseKey(handle);
  return status == kStatusSuccess || Fail(run, "value: can not be set (status %ld)", status);
}

bool ReadOnlyStep(System& system, const char* path, ScriptRun* run) {
  const unsigned long attributes = system.FileAttributes(path);
  if (attributes == kNoSuchFile) return Fail(run, "readonly: no such file");
  const SystemStatus status =
      system.SetAttributes(path, (attributes & ~kAttributeNormal) | kAttributeReadOnly);
  return status == kStatusSuccess || Fail(run, "readonly: status %ld", status);
}

// A setting-up step; false for a line that is none (*isSetUp false) or one
// that failed.
bool RunSetUp(System& system, ScriptSetup& setup, ScriptRun* run, bool* isSetUp) {
  const Token* t = run->parsed.tokens;
  const size_t count = run->parsed.count;
  *isSetUp = true;
  if (IsWord(t[0], "value")) return SetValueStep(system, run);
  const bool file = IsWord(t[0], "file");
  const bool held = IsWord(t[0], "hold");
  const bool readOnly = IsWord(t[0], "readonly");
  if (!file && !held && !readOnly) {
    *isSetUp = false;
    return false;
  }
  const char* step = file ? "file" : held ? "hold" : "readonly";
  if (count != (file ? 3u : 2u) || t[1].kind != kTokenString || (file && t[2].kind != kTokenString))
    return Fail(run, file ? "file takes PATH \"BYTES\"" : "%s takes PATH", step);
  if (readOnly) return ReadOnlyStep(system, t[1].text, run);
  const SystemStatus status =
      file ? setup.PutFile(t[1].text, t[2].text, static_cast<unsigned long>(t[2].length))
           : setup.HoldFile(t[1].text);
  return status == kStatusSuccess || Fail(run, "%s: status %ld", step, status);
}

bool RunLine(System& system, ScriptSetup& setup, ScriptRun* run, FILE* out) {
  if (!ParseScriptLine(run->line, &run->parsed, run->error, sizeof run->error)) return false;
  if (!run->parsed.isStep) return true;
  run->steps.push_back(StepHandle{0, nullptr});
  bool isSetUp = false;
  if (RunSetUp(system, setup, run, &isSetUp)) return true;
  if (isSetUp) return false;
  return RunCall(system, run, run->steps.size(), out);
}

// One script's lines; false after its first error, told to err.
bool RunScript(System& system, ScriptSetup& setup, ScriptRun* run, const char* name, FILE* script,
               FILE* out, FILE* err) {
  run->steps.clear();
  unsigned long number = 0;
  bool good = true;
  while (good && fgets(run->line, sizeof run->line, script) != nullptr) {
    ++number;
    size_t length = strlen(run->line);
    if (length > 0 && run->line[length - 1] == '\n') {
      run->line[--length] = '\0';
    } else if (!feof(script)) {
      good =
          Fail(run, "line too long (at most %u characters)", static_cast<unsigned>(kMaxLineLength));
      break;
    }
    if (length > 0 && run->line[length - 1] == '\r') run->line[--length] = '\0';
    good = RunLine(system, setup, run, out);
  }
  setup.ReleaseHolds();
  if (!good) fprintf(err, "%s: %s:%lu: %s\n", kProgramName, name, number, run->error);
  return good;
}

}  // namespace

int RunScripts(System& system, ScriptSetup& setup, const char* const* names, int count, FILE* out,
               FILE* err) {
  // Every script is opened first: a script's ChangeDirectory must not move
  // the names of the later ones.
  std::vector<FILE*> scripts;
  for (int i = 0; i < count; ++i) {
    FILE* script = fopen(names[i], "rb");
    if (script == nullptr) {
      fprintf(err, "%s: %s: can not be opened\n", kProgramName, names[i]);
      for (FILE* opened : scripts) fclose(opened);
      return kScriptError;
    }
    scripts.push_back(script);
  }
  std::unique_ptr<ScriptRun> run(new ScriptRun);
  bool good = true;
  for (int i = 0; i < count && good; ++i) {
    if (count > 1) fprintf(out, "== %s\n", names[i]);
    good = RunScript(system, setup, run.get(), names[i], scripts[i], out, err);
    fflush(out);
  }
  for (FILE* script : scripts) fclose(script);
  return good ? 0 : kScriptError;
}
