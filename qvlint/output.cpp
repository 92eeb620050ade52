#include "output.h"

namespace {

// A JSON string; bytes of 80 hex and above are taken as Latin-1 characters,
// which keeps the output valid UTF-8 whatever the file held.
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

}  // namespace

void StartOutput(Output* output) {
  output->written = 0;
  if (output->json) fputc('[', output->stream);
}

void PrintFinding(void* context, const Finding& finding) {
  Output* output = static_cast<Output*>(context);
  FILE* stream = output->stream;
  const char* code = FindingCodeName(finding.code);
  if (!output->json) {
    fprintf(stream, "%s:%u: %s; %s [%s]\n", finding.file, finding.line, finding.reason.text,
            finding.effect.text, code);
  } else {
    fputs(output->written == 0 ? "\n  {\"file\": " : ",\n  {\"file\": ", stream);
    PrintJsonString(stream, finding.file);
    fprintf(stream, ", \"line\": %u, \"program\": ", finding.line);
    PrintJsonString(stream, finding.program);
    fputs(", \"code\": ", stream);
    PrintJsonString(stream, code);
    fputs(", \"reason\": ", stream);
    PrintJsonString(stream, finding.reason.text);
    fputs(", \"effect\": ", stream);
    PrintJsonString(stream, finding.effect.text);
    fputc('}', stream);
  }
  ++output->written;
}

void FinishOutput(Output* output) {
  if (output->json) fputs(output->written == 0 ? "]\n" : "\n]\n", output->stream);
}

void PrintFindingCodes(FILE* stream) {
  for (int code = 0; code < kFindingCodeCount; ++code) {
    fprintf(stream, "%-28s %s\n", FindingCodeName(static_cast<FindingCode>(code)),
            FindingCodeSummary(static_cast<FindingCode>(code)));
  }
}
