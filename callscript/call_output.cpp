#include "call_output.h"

#include <stdio.h>
#include <string.h>

namespace {

void AppendNumber(std::string* line, unsigned long long number) {
  char text[24];
  snprintf(text, sizeof text, "%llu", number);
  *line += text;
}

void AppendSigned(std::string* line, long number) {
  char text[24];
  snprintf(text, sizeof text, "%ld", number);
  *line += text;
}

void AppendBuffer(std::string* line, const char* buffer, unsigned long shown) {
  AppendQuoted(line, buffer, buffer != nullptr ? shown : 0);
}

void AppendResult(std::string* line, const CallRow& row, const CallFrame& f) {
  switch (row.result) {
    case kResultStatus:
      AppendSigned(line, f.status);
      break;
    case kResultNumber:
      AppendNumber(line, f.result);
      break;
    case kResultBool:
      *line += f.flag ? "1" : "0";
      break;
    case kResultEntry:
      *line += f.entry != nullptr ? "entry" : "null";
      break;
    case kResultProgram:
      AppendSigned(line, f.program.Started);
      *line += f.program.ExitCodeKnown ? " 1 " : " 0 ";
      AppendNumber(line, f.program.ExitCode);
      break;
    default:
      *line += "-";
      break;
  }
}

const void* HandleOut(char kind, const CallFrame& f) {
  switch (kind) {
    case 'K':
      return f.key;
    case 'X':
      return f.search;
    case 'G':
      return f.file;
    default:
      return f.library;
  }
}

}  // namespace

void AppendQuoted(std::string* line, const char* bytes, size_t length) {
  *line += '"';
  for (size_t i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c == '"' || c == '\\') {
      *line += '\\';
      *line += static_cast<char>(c);
    } else if (c == '\r' || c == '\n' || c == '\t') {
      *line += c == '\r' ? "\\r" : c == '\n' ? "\\n" : "\\t";
    } else if (c < 0x20 || c >= 0x7F) {
      char escape[8];
      snprintf(escape, sizeof escape, "\\x%02x", c);
      *line += escape;
    } else {
      *line += static_cast<char>(c);
    }
  }
  *line += '"';
}

unsigned long CutToLength(unsigned long length, unsigned long capacity) {
  return length < capacity ? length : capacity;
}

unsigned long CutAtTerminator(const char* buffer, unsigned long capacity) {
  const void* end = memchr(buffer, '\0', capacity);
  return end != nullptr ? static_cast<unsigned long>(static_cast<const char*>(end) - buffer)
                        : capacity;
}

std::string FormatCall(const CallRow& row, const CallFrame& f) {
  std::string line = row.name;
  line += " -> ";
  AppendResult(&line, row, f);
  for (size_t i = 0; row.parameters[i] != '\0'; ++i) {
    const char kind = row.parameters[i];
    switch (kind) {
      case 'K':
      case 'X':
      case 'G':
      case 'L':
        line += f.given[i] && HandleOut(kind, f) != nullptr ? " handle" : " null";
        break;
      case 'o':
        line += ' ';
        AppendBuffer(&line, f.buffer[i], CutToLength(f.result, f.capacity[i]));
        break;
      case 't':
        line += ' ';
        AppendBuffer(&line, f.buffer[i],
                     f.buffer[i] != nullptr ? CutAtTerminator(f.buffer[i], f.capacity[i]) : 0);
        break;
      case 'r':
        line += ' ';
        AppendBuffer(&line, f.buffer[i], CutToLength(f.count, f.capacity[i]));
        break;
      case 'q':
        line += ' ';
        AppendBuffer(&line, f.buffer[i], CutToLength(f.size[i], f.capacity[i]));
        line += ' ';
        AppendNumber(&line, f.size[i]);
        break;
      case 'f':
        line += ' ';
        AppendBuffer(&line, f.buffer[i],
                     f.status == kStatusSuccess ? CutAtTerminator(f.buffer[i], f.capacity[i]) : 0);
        break;
      case 'u':
      case 'z':
        line += ' ';
        if (!f.given[i])
          line += "null";
        else
          AppendNumber(&line, kind == 'u' ? f.count : f.bytes);
        break;
      case 'v':
        for (unsigned long part :
             {f.version.PlatformId, f.version.Major, f.version.Minor, f.version.Build}) {
          line += ' ';
          AppendNumber(&line, part);
        }
        break;
      default:  // inputs show nothing
        break;
    }
  }
  return line;
}
