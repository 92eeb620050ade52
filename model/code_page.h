// The characters of names in a Windows ANSI code page, read through the
// platform's own converter: the registry of NT takes names apart and
// compares them as Unicode, after converting them from the code page.
#ifndef MODEL_CODE_PAGE_H
#define MODEL_CODE_PAGE_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum { kWesternCodePage = 1252 };

// The single-byte code pages 874 and 1250 to 1258 and the double-byte ones
// 932, 936, 949 and 950.
bool SupportedCodePage(unsigned codePage);
bool DoubleByteCodePage(unsigned codePage);

// A code page with the platform's converter for it, open for as long as its
// owner keeps it: opening a converter costs more than converting a name.
struct ConverterCloser {
  void operator()(void* converter) const;
};

struct CodePage {
  unsigned number;
  std::unique_ptr<void, ConverterCloser> converter;  // null where none is needed or known
};

CodePage OpenCodePage(unsigned number);

struct CodePageCharacter {
  size_t start;   // offset of its first byte
  size_t length;  // 1, or 2 for a lead byte and its trail byte
  uint32_t codePoint;
};

// `text` character by character. A byte that starts no character of the
// code page stands for itself, as it does when Windows converts it.
std::vector<CodePageCharacter> CodePageCharacters(const CodePage& codePage,
                                                  const std::string& text);

// The code point in lower case, by the platform's Unicode tables.
uint32_t LowerCaseCodePoint(uint32_t codePoint);

// The characters of `text` in lower case, as Windows compares names of the
// code page without regard to letter case.
std::u32string FoldedCodePoints(const CodePage& codePage, const std::string& text);

// The code points of UTF-8 text; false when the bytes are no UTF-8 (an
// overlong form, a surrogate, a sequence cut short).
bool DecodeUtf8(const std::string& text, std::u32string* codePoints);

// The UTF-8 bytes of code points.
std::string EncodeUtf8(const std::u32string& codePoints);

// The code points as text of the code page, through the platform's
// converter, without a best fit: a character that the code page lacks
// becomes "?", and the answer is false.
bool CodePageText(unsigned codePage, const std::u32string& codePoints, std::string* text);

#endif
