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

namespace {

// The count of continuation bytes after a UTF-8 lead byte, the lowest code
// point that a sequence of that length may hold and the lead's bits of the
// code point; 0 for a byte that leads no sequence.
size_t Utf8Continuations(unsigned char lead, uint32_t* lowest, uint32_t* bits) {
  size_t more = 0;
  if (lead >= 0xC0 && lead < 0xE0) {
    more = 1;
    *lowest = 0x80;
    *bits = lead & 0x1F;
  } else if (lead >= 0xE0 && lead < 0xF0) {
    more = 2;
    *lowest = 0x800;
    *bits = lead & 0x0F;
  } else if (lead >= 0xF0 && lead < 0xF5) {
    more = 3;
    *lowest = 0x10000;
    *bits = lead & 0x07;
  }
  return more;
}

}  // namespace

std::u32string FoldedCodePoints(const CodePage& codePage, const std::string& text) {
  std::u32string folded;
  for (const CodePageCharacter& c : CodePageCharacters(codePage, text))
    folded += static_cast<char32_t>(LowerCaseCodePoint(c.codePoint));
  return folded;
}

bool DecodeUtf8(const std::string& text, std::u32string* codePoints) {
  codePoints->clear();
  for (size_t at = 0; at < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
      codePoints->push_back(lead);
      ++at;
      continue;
    }
    uint32_t lowest = 0;
    uint32_t point = 0;
    const size_t more = Utf8Continuations(lead, &lowest, &point);
    if (more == 0 || at + more >= text.size()) return false;
    for (size_t i = 1; i <= more; ++i) {
      const unsigned char next = static_cast<unsigned char>(text[at + i]);
      if ((next & 0xC0) != 0x80) return false;
      point = point << 6 | (next & 0x3F);
    }
    if (point < lowest || point > 0x10FFFF || (point >= 0xD800 && point < 0xE000)) return false;
    codePoints->push_back(point);
    at += more + 1;
  }
  return true;
}

std::string EncodeUtf8(const std::u32string& codePoints) {
  std::string text;
  for (const char32_t point : codePoints) {
    if (point < 0x80) {
      text += static_cast<char>(point);
    } else if (point < 0x800) {
      text += static_cast<char>(0xC0 | point >> 6);
      text += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
      text += static_cast<char>(0xE0 | point >> 12);
      text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
      text += static_cast<char>(0x80 | (point & 0x3F));
    } else {
      text += static_cast<char>(0xF0 | point >> 18);
      text += static_cast<char>(0x80 | (point >> 12 & 0x3F));
      text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
      text += static_cast<char>(0x80 | (point & 0x3F));
    }
  }
  return text;
}

#ifdef _WIN32

bool CodePageText(unsigned codePage, const std::u32string& codePoints, std::string* text) {
  text->clear();
  bool whole = true;
  for (const char32_t point : codePoints) {
    char bytes[4];
    BOOL lacking = FALSE;
    const WCHAR wide = static_cast<WCHAR>(point);
    const int made = point > 0xFFFF ? 0
                                    : WideCharToMultiByte(codePage, 0, &wide, 1, bytes,
                                                          sizeof bytes, nullptr, &lacking);
    if (made <= 0 || lacking) {
      *text += '?';
      whole = false;
    } else {
      text->append(bytes, static_cast<size_t>(made));
    }
  }
  return whole;
}

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

bool CodePageText(unsigned codePage, const std::u32string& codePoints, std::string* text) {
  text->clear();
  const std::string name = "CP" + std::to_string(codePage);
  const iconv_t converter = iconv_open(name.c_str(), "UTF-32LE");
  bool whole = true;
  for (const char32_t point : codePoints) {
    unsigned char in[4] = {static_cast<unsigned char>(point),
                           static_cast<unsigned char>(point >> 8),
                           static_cast<unsigned char>(point >> 16),
                           static_cast<unsigned char>(point >> 24)};
    char out[8];
    char* inPointer = reinterpret_cast<char*>(in);
    char* outPointer = out;
    size_t inLeft = sizeof in;
    size_t outLeft = sizeof out;
    const bool converted = converter != reinterpret_cast<iconv_t>(-1) &&
                           iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) !=
                               static_cast<size_t>(-1) &&
                           inLeft == 0;
    if (converted) {
      text->append(out, sizeof out - outLeft);
    } else {
      *text += '?';
      whole = false;
    }
  }
  if (converter != reinterpret_cast<iconv_t>(-1)) iconv_close(converter);
  return whole;
}

uint32_t LowerCaseCodePoint(uint32_t codePoint) {
  static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  if (unicode == nullptr) return codePoint;
  return static_cast<uint32_t>(towlower_l(static_cast<wint_t>(codePoint), unicode));
}

#endif
