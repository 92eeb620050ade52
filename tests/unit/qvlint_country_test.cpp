// qvlint on country settings files: which lines it reports, as what.
#include <gtest/gtest.h>

#include <string>

#include "qvlint_support.h"
#include "table_cases.h"

namespace {

struct CountryCase {
  const char* label;
  std::string text;
  const char* codes;  // each finding as "line:code", blank-separated, in file order
  unsigned codePage = kWesternCodePage;
};

std::string CodesOf(const std::string& text, unsigned codePage) {
  std::string joined;
  for (const std::string& code : LintCountryText(text, codePage).codes) {
    joined += (joined.empty() ? "" : " ") + code;
  }
  return joined;
}

TEST(LintCountryFile, ReportsEachLineThatReadsOtherwise) {
  const std::string k49(49, 'k'), k50(50, 'k'), s63(63, 's'), s64(64, 's');
  std::string bytes65 = "[Registry]\nHKLM,S\\X,N,1";
  for (int i = 0; i < 65; ++i) bytes65 += ",01";
  // 263 values of 251 characters and 4 bytes pass the 64 KB of one key.
  std::string fullKey = "[B5]\n";
  for (int i = 0; i < 263; ++i) fullKey += std::string(248, 'v') + std::to_string(100 + i) + "=1\n";
  const std::string country = "[Registry]\nHKLM,SOFTWARE\\TAVELIN\\SoftModem\\Country\\";
  const CountryCase cases[] = {
      {"clean file",
       "; comment\r\n[B5]\r\nTxLevel=-10,-15,-6\r\nWait=0x0BB8\r\nCallerId=1 ; FSK\r\n"
       "Zero=0,00,-0\r\n\r\n[00]\r\n\r\n[Disable_Country]\r\n3d\r\n  A0 ; note\r\n\r\n"
       "[Registry]\r\n"
       "HKLM, \"SOFTWARE\\X\" ,Name,0,\"two words\"\r\nHKLM,SOFTWARE\\X,Bytes,1,01,ff\r\n"
       "HKLM,SOFTWARE\\X,Gone\r\n",
       ""},
      {"empty file", "", ""},
      // Lines outside the sections.
      {"before any header", "x=1\n[B5]\n", "1:content-before-section"},
      {"blank lines count for nothing", "  \n\n[B5]\n", ""},
      {"after []", "[]\nx=1\n", "1:empty-section-name 2:content-before-section"},
      {"[ without ] keeps the section", "[B5]\n[04\nGain=1\n", "2:unclosed-header"},
      {"the same section twice", "[B5]\na=1\n[04]\n[B5]\n", "4:section-continued"},
      {"special section twice", "[Registry]\n[Registry]\n", "2:section-continued"},
      {"text after the header", "[B5] x\nA=1\n", "1:6:header-trailing-text"},
      {"indented header", "[B5]\nA=1\n  [04]\n", "3:3:indented-header"},
      {"indented #", "[B5]\n  # A=1\n", "2:3:would-be-comment"},
      {"letter case of Registry", "[registry]\n", "1:2:section-name-case"},
      {"blanks around Disable_Country", "[Disable_Country ]\n", "1:2:section-name-case"},
      {"blanks around a country", "[ B5]\n", "1:2:section-name-blanks"},
      // Indented comments, wherever they stand.
      {"country, with =", "[B5]\n  ;x=5\n", "2:3:indented-comment"},
      {"country, without =", "[B5]\n\t; note\n", "2:2:indented-comment"},
      {"registry", "[Registry]\n ; HKLM,A,B\n", "2:2:indented-comment"},
      {"disabled", "[Disable_Country]\n ;5\n", "2:2:indented-comment"},
      {"before any section", " ; note\n", "1:2:indented-comment"},
      // Country values that read otherwise.
      {"no =", "[B5]\nGain 5\n", "2:value-no-equals"},
      {"empty name", "[B5]\n=5\n", "2:value-name-empty"},
      {"blank before =", "[B5]\nGain =5\n", "2:value-name-blanks"},
      {"octal value", "[B5]\nA=010\n", "2:3:number-octal"},
      {"8 is no octal digit", "[B5]\nA=08\n", "2:3:number-octal"},
      {"octal minimum", "[B5]\nA=1,07,010\n", "2:8:number-octal"},
      {"07 reads as 7", "[B5]\nA=07\n", ""},
      {"clamped", "[B5]\nA=0xFFFFFFFF\n", "2:3:number-clamped"},
      {"clamped negative", "[B5]\nA=-2147483649\n", "2:3:number-clamped"},
      {"fraction", "[B5]\nA=1.5\n", "2:3:number-text"},
      {"word", "[B5]\nA=five\n", "2:3:number-text"},
      {"0x alone", "[B5]\nA=0x\n", "2:3:number-text"},
      {"empty value", "[B5]\nA=\n", "2:3:number-empty"},
      {"empty maximum", "[B5]\nA=1,2,\n", "2:7:number-empty"},
      {"two numbers", "[B5]\nA=5 6\n", "2:5:number-trailing-text"},
      {"a third comma", "[B5]\nA=5,1,9,12\n", "2:8:number-trailing-text"},
      {"note after the value", "[B5]\nA=5 ; five\n", ""},
      {"note with one comma", "[B5]\nA=5 ; one, two\n", ""},
      {"note with two commas", "[B5]\nA=5 ; a, b, c\n", "2:8:comment-comma"},
      {"note after the minimum", "[B5]\nA=5,1 ; low, high\n", "2:12:comment-comma"},
      {"one comma", "[B5]\nA=5,1\n", "2:4:bounds-incomplete"},
      {"each fault its own line", "[B5]\nA=08,1\nB=5,1\n",
       "2:3:number-octal 3:4:bounds-incomplete"},
      // Void disabled codes.
      {"letters", "[Disable_Country]\nUS\n", "1:country-key-deleted 2:disabled-no-code"},
      {"three digits", "[Disable_Country]\n1B5\n",
       "1:country-key-deleted 2:disabled-code-too-long"},
      {"trailing letter", "[Disable_Country]\nB5G\n", "2:3:disabled-trailing-text"},
      {"two codes", "[Disable_Country]\n12,34\n", "2:3:disabled-trailing-text"},
      {"good ones", "[Disable_Country]\nb5\n 5 ; old\n05\n\n", ""},
      {"indented letters", "[Disable_Country]\n  US\n",
       "1:country-key-deleted 2:3:disabled-no-code"},
      // Void registry lines.
      {"root in lower case", "[Registry]\nhklm,S\\X,N,0,a\n", "2:registry-root"},
      {"other root", "[Registry]\nHKCU,S\\X,N,0,a\n", "2:registry-root"},
      {"root after blanks", "[Registry]\n  hklm,S\\X,N,0,a\n", "2:3:registry-root"},
      {"no key path", "[Registry]\nHKLM,,N,0,a\n", "2:6:registry-key-path-empty"},
      {"no value name", "[Registry]\nHKLM,S\\X,,0,a\n", "2:10:registry-value-name-empty"},
      {"key path of 49", "[Registry]\nHKLM," + k49 + ",N,0,a\n", ""},
      {"key path of 50", "[Registry]\nHKLM," + k50 + ",N,0,a\n", "2:6:registry-key-path-too-long"},
      {"value name of 50", "[Registry]\nHKLM,S\\X," + k50 + ",0,a\n",
       "2:10:registry-value-name-too-long"},
      {"type 4", "[Registry]\nHKLM,S\\X,N,4,a\n", "2:12:registry-type-code"},
      {"type -1", "[Registry]\nHKLM,S\\X,N,-1,a\n", "2:12:registry-type-code"},
      {"string of 63", "[Registry]\nHKLM,S\\X,N,0," + s63 + "\n", ""},
      {"string of 64", "[Registry]\nHKLM,S\\X,N,2," + s64 + "\n", "2:14:registry-string-too-long"},
      // Registry lines that read otherwise.
      {"two fields", "[Registry]\nHKLM,S\\X\n", "2:registry-fields-missing"},
      {"type without data", "[Registry]\nHKLM,S\\X,N,1\n", "2:12:registry-delete-with-type"},
      {"plain deletion", "[Registry]\nHKLM,S\\X,N\n", ""},
      {"blank inside a key path", "[Registry]\nHKLM,S\\My Key,N,0,a\n",
       "2:6:registry-field-differs"},
      {"blank inside the root", "[Registry]\nHK LM,S\\X,N,0,a\n", "2:registry-field-differs"},
      {"blank inside a string", "[Registry]\nHKLM,S\\X,N,0,two words\n",
       "2:14:registry-field-differs"},
      {"quote never closed", "[Registry]\nHKLM,S\\X,N,0,\"abc\n", "2:14:registry-field-differs"},
      {"comma inside quotes", "[Registry]\nHKLM,S\\X,N,0,\"a,b\"\n",
       "2:14:registry-field-differs 2:17:registry-extra-fields"},
      {"string and more", "[Registry]\nHKLM,S\\X,N,2,a,b\n", "2:16:registry-extra-fields"},
      {"0x prefix on a byte", "[Registry]\nHKLM,S\\X,N,1,0x1F\n", "2:14:registry-byte-not-hex"},
      {"empty byte", "[Registry]\nHKLM,S\\X,N,3,\n", "2:14:registry-byte-not-hex"},
      {"byte over FF", "[Registry]\nHKLM,S\\X,N,1,01,1FF\n", "2:17:registry-byte-too-big"},
      {"65 bytes", bytes65 + "\n", "2:206:registry-bytes-too-many"},
      {"type code with a letter", "[Registry]\nHKLM,S\\X,N,1x,01\n", "2:12:number-text"},
      {"empty type code", "[Registry]\nHKLM,S\\X,N,,a\n", "2:12:number-empty"},
      // The reader: the second piece of a long line is a content line of its own.
      {"700 characters", "[B5]\nName=1 ; " + std::string(700, 'n') + "\nA=1\n",
       "2:500:line-split 2:500:value-no-equals"},
      // 499 characters and the line feed: the feed alone is an empty line.
      {"499 characters", "[B5]\n" + std::string(499, ';') + "\nA=08\n",
       "2:500:line-split 3:3:number-octal"},
      {"after Ctrl-Z", "[B5]\r\nA=1\r\n\x1A[04]\r\nB=2\r\n", "3:after-ctrl-z"},
      {"Ctrl-Z and a line end", "[B5]\r\nA=1\r\n\x1A\r\n", ""},
      {"Ctrl-Z inside a line", "[B5]\r\nA=1 \x1A\r\nB=2\r\n", "2:5:after-ctrl-z"},
      {"zero byte", std::string("[B5]\nA=1\0B=2\n", 13), "2:4:zero-byte"},
      {"encoding mark", "\xEF\xBB\xBF[B5]\nA=1\n",
       "1:encoding-mark 1:content-before-section 2:content-before-section"},
      // A lone CR is part of the line; CR LF counts as one line end.
      {"lone CR", "[B5]\r\n\rA=08\r\n",
       "2:lone-carriage-return 2:value-name-blanks 2:4:number-octal"},
      {"lone CR inside a line", "[B5]\nA=1\rB=2\n",
       "2:4:lone-carriage-return 2:5:number-trailing-text"},
      // The registry of each family, as documented.
      {"a key name of 255 characters", "[" + std::string(255, 'k') + "]\nx=1\n", ""},
      {"a key name of 256 characters", "[" + std::string(256, 'k') + "]\nx=1\n", "1:2:key-refused"},
      {"a value name of 255 characters", "[B5]\n" + std::string(255, 'v') + "=1\n", ""},
      {"a value name of 256 characters: refused on 9x", "[B5]\n" + std::string(256, 'v') + "=1\n",
       "2:value-refused"},
      {"bounds make the name too long", "[B5]\n" + std::string(252, 'v') + "=1,0,2\n",
       "2:value-refused 2:value-refused"},
      {"the values of one key pass 64 KB: Windows 95", fullKey, "259:key-values-full"},
      {"both families refuse a deletion line's leading backslash", "[Registry]\nHKLM,\\S\\X,N\n",
       "2:key-refused"},
      {"9x ignores every leading backslash of a key it creates",
       "[Registry]\nHKLM,\\\\S\\X,N,0,a\n", "2:key-refused"},
      {"a doubled backslash is not documented", "[A\\\\B]\nx=1\n", "1:2:registry-undocumented"},
      {"a path of 261 characters is not documented",
       "[" + std::string(100, 'p') + "\\" + std::string(160, 'q') + "]\nx=1\n",
       "1:2:registry-undocumented"},
      {"9x folding beyond ASCII is not documented", "[\xC9t]\nx=1\n[\xE9T]\nx=2\n",
       "3:2:registry-undocumented 3:2:key-name-differs"},
      {"9x deletes a registry line's key with the Country key", country + "X\\Y,V,0,a\n",
       "2:country-key-deleted"},
      {"a trail byte 5C on 9x is not documented", "[\x95\x5C\x8E\xA6]\nx=1\n",
       "1:2:registry-undocumented", 932},
      {"the same bytes in code page 1252 are two names", "[\x95\x5C\x8E\xA6]\nx=1\n", ""},
  };
  ForEachCase(cases, &CountryCase::label,
              [](const CountryCase& c) { EXPECT_EQ(CodesOf(c.text, c.codePage), c.codes); });
}

struct EffectCase {
  const char* line;
  const char* reason;
  const char* effect;
};

TEST(LintCountryFile, SaysWhatQvsmzadDoesInstead) {
  const EffectCase cases[] = {
      {"  ;x=5", "\"  ;x=5\": a \";\" not in column one starts no comment",
       "qvsmzad writes a value named \"  ;x\""},
      {"Ratio=040", "value \"040\" of Ratio starts with 0, which makes it octal",
       "qvsmzad stores 32, not 40"},
      {"Ratio=08", "value \"08\" of Ratio starts with 0, which makes it octal",
       "qvsmzad stores 0, not 8"},
      {"Big=-0xFFFFFFFF", "value \"-0xFFFFFFFF\" of Big is out of the 32-bit range",
       "qvsmzad stores -2147483648"},
      {"Half=1,2.5,3", "minimum \"2.5\" of Half is not a number as a whole",
       "qvsmzad reads \"2\" of it, which gives 2"},
      {"Sign=-", "value \"-\" of Sign is not a number as a whole",
       "qvsmzad reads nothing of it, which gives 0"},
  };
  ForEachCase(cases, &EffectCase::line, [](const EffectCase& c) {
    const Collected collected = LintCountryText(std::string("[B5]\n") + c.line + "\n");
    ASSERT_EQ(collected.findings.size(), 1u);
    EXPECT_EQ(collected.findings[0].reason.text, c.reason);
    EXPECT_EQ(collected.findings[0].effect.text, c.effect);
  });
}

}  // namespace
