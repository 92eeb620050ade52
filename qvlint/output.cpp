#include "output.h"

#include "shown_text.h"

void PrintJsonString(FILE* stream, const char* text) {
  fputc('"', stream);
  for (const char* p = text; *p != '\0'; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c == '"' || c == '\\')
      fprintf(stream, "\\%c", c);
    else if (c < 0x20 || c >= 0x7F)
      fprintf(stream, "\\u%04x", c);
    else
      fputc(c, stream);
  }
  fputc('"', stream);
}

namespace {

struct PlatformName {
  FindingPlatforms platform;
  const char* name;
};

const PlatformName kPlatformNames[] = {
    {kOnNineX, "9x"}, {kOnNt, "nt"}, {kOnWineNineX, "wine9x"}, {kOnWineNt, "winent"}};

// The registry families on which a finding holds, as a JSON array.
void PrintJsonPlatforms(FILE* stream, unsigned platforms) {
  const char* separator = "";
  fputc('[', stream);
  for (const PlatformName& each : kPlatformNames) {
    if ((platforms & each.platform) == 0) continue;
    fprintf(stream, "%s\"%s\"", separator, each.name);
    separator = ", ";
  }
  fputc(']', stream);
}

}  // namespace

bool IgnoreCodes(const char* names, Output* output, std::string* unknown) {
  const std::string list = names;
  size_t start = 0;
  for (;;) {
    const size_t comma = list.find(',', start);
    const std::string name = list.substr(start, comma - start);
    FindingCode code;
    if (!FindFindingCode(name, &code)) {
      *unknown = name;
      return false;
    }
    output->ignored[code] = true;
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

void StartOutput(Output* output) {
  output->written = 0;
  output->errors = 0;
  output->warnings = 0;
  if (output->json) fputc('[', output->stream);
}

void PrintFinding(void* context, const Finding& finding) {
  Output* output = static_cast<Output*>(context);
  const Severity severity = FindingCodeSeverity(finding.code);
  if (output->ignored[finding.code] || (output->errorsOnly && severity != kError)) return;
  FILE* stream = output->stream;
  const char* code = FindingCodeName(finding.code);
  if (!output->json) {
    PrintEscapingControls(stream, finding.file);
    fprintf(stream, ":%u:%u: %s: ", finding.line, finding.column, SeverityName(severity));
    PrintEscapingControls(stream, finding.reason.text.c_str());
    fputs("; ", stream);
    PrintEscapingControls(stream, finding.effect.text.c_str());
    fprintf(stream, " [%s]\n", code);
  } else {
    fputs(output->written == 0 ? "\n  {\"file\": " : ",\n  {\"file\": ", stream);
    PrintJsonString(stream, finding.file);
    fprintf(stream, ", \"line\": %u, \"column\": %u, \"program\": ", finding.line, finding.column);
    PrintJsonString(stream, finding.program);
    fputs(", \"code\": ", stream);
    PrintJsonString(stream, code);
    fputs(", \"severity\": ", stream);
    PrintJsonString(stream, SeverityName(severity));
    fputs(", \"platforms\": ", stream);
    PrintJsonPlatforms(stream, finding.platforms);
    fputs(", \"reason\": ", stream);
    PrintJsonString(stream, finding.reason.text.c_str());
    fputs(", \"effect\": ", stream);
    PrintJsonString(stream, finding.effect.text.c_str());
    fputc('}', stream);
  }
  ++output->written;
  if (severity == kError) ++output->errors;
  if (severity == kWarning) ++output->warnings;
}

void FinishOutput(Output* output) {
  if (output->json) fputs(output->written == 0 ? "]\n" : "\n]\n", output->stream);
}

namespace {

std::string Counted(unsigned count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace

std::string ClosingLine(unsigned errors, unsigned warnings) {
  if (errors == 0 && warnings == 0) return "";
  std::string line = "qvlint: ";
  if (errors > 0) line += Counted(errors, "error");
  if (errors > 0 && warnings > 0) line += ", ";
  if (warnings > 0) line += Counted(warnings, "warning");
  return line;
}

void PrintClosingLine(FILE* stream, const Output& output) {
  const std::string line = ClosingLine(output.errors, output.warnings);
  if (!line.empty()) fprintf(stream, "%s\n", line.c_str());
}

int ExitCodeOf(const Output& output) {
  if (output.errors > 0) return kErrors;
  return output.warnings > 0 ? kWarnings : kClean;
}

void PrintFindingCodes(FILE* stream) {
  for (int code = 0; code < kFindingCodeCount; ++code) {
    const FindingCode each = static_cast<FindingCode>(code);
    fprintf(stream, "%-28s %-7s  %s\n", FindingCodeName(each),
            SeverityName(FindingCodeSeverity(each)), FindingCodeSummary(each));
  }
}
