#include "code_page.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#endif

bool SupportedCodePage(unsigned codePage) {
  return codePage == 874 || (codePage >= 1250 && codePage <= 1258) || DoubleByteCodePage(codePage);
}

bool DoubleByteCodePage(unsigned codePage) {
  return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

#ifdef _WIN32

// MultiByteToWideChar needs nothing opened.
void ConverterCloser::operator()(void*) const {}

CodePage OpenCodePage(unsigned number) { return {number, nullptr}; }

std::vector<CodePageCharacter> CodePageCharacters(const CodePage& page, const std::string& text) {
  const unsigned codePage = page.number;
  std::vector<CodePageCharacter> characters;
  for (size_t at = 0; at < text.size();) {
    const bool lead = DoubleByteCodePage(codePage) && at + 1 < text.size() &&
                      IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[at]));
    const size_t length = lead ? 2 : 1;
    WCHAR wide[2];
    const int made = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data() + at,
                                         static_cast<int>(length), wide, 2);
    const uint32_t codePoint = made == 1 ? wide[0] : static_cast<unsigned char>(text[at]);
    characters.push_back({at, made == 1 ? length : 1, codePoint});
    at += made == 1 ? length : 1;
  }
  return characters;
}

uint32_t LowerCaseCodePoint(uint32_t codePoint) {
  if (codePoint > 0xFFFF) return codePoint;
  WCHAR wide = static_cast<WCHAR>(codePoint);
  CharLowerBuffW(&wide, 1);
  return wide;
}

#else

namespace {

// The code point of the first `length` bytes at `bytes`, or false when they
// are no whole character of the converter's code page.
bool ConvertOne(iconv_t converter, const char* bytes, size_t length, uint32_t* codePoint) {
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(bytes);
  size_t inLeft = length;
  unsigned char out[8];
  char* outPointer = reinterpret_cast<char*>(out);
  size_t outLeft = sizeof out;
  if (iconv(converter, &in, &inLeft, &outPointer, &outLeft) == static_cast<size_t>(-1) ||
      inLeft != 0 || sizeof out - outLeft != 4)
    return false;
  *codePoint = out[0] | out[1] << 8 | out[2] << 16 | static_cast<uint32_t>(out[3]) << 24;
  return true;
}

}  // namespace

void ConverterCloser::operator()(void* converter) const {
  iconv_close(static_cast<iconv_t>(converter));
}

CodePage OpenCodePage(unsigned number) {
  const std::string name = "CP" + std::to_string(number);
  const iconv_t converter = iconv_open("UTF-32LE", name.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return {number, nullptr};
  return {number, std::unique_ptr<void, ConverterCloser>(converter)};
}

std::vector<CodePageCharacter> CodePageCharacters(const CodePage& page, const std::string& text) {
  std::vector<CodePageCharacter> characters;
  characters.reserve(text.size());
  const iconv_t converter = static_cast<iconv_t>(page.converter.get());
  for (size_t at = 0; at < text.size();) {
    uint32_t codePoint = static_cast<unsigned char>(text[at]);
    size_t length = 1;
    if (converter != nullptr) {
      uint32_t converted;
      if (ConvertOne(converter, text.data() + at, 1, &converted)) {
        codePoint = converted;
      } else if (DoubleByteCodePage(page.number) && at + 1 < text.size() &&
                 ConvertOne(converter, text.data() + at, 2, &converted)) {
        codePoint = converted;
        length = 2;
      }
    }
    characters.push_back({at, length, codePoint});
    at += length;
  }
  return characters;
}

uint32_t LowerCaseCodePoint(uint32_t codePoint) {
  static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  if (unicode == nullptr) return codePoint;
  return static_cast<uint32_t>(towlower_l(static_cast<wint_t>(codePoint), unicode));
}

#endif
