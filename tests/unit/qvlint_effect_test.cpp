// The effect of a country settings file as qvlint's model computes it and
// prints it as a REGEDIT4 file: qvsmzad's walk on a registry in memory.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "country_effect.h"
#include "effect_output.h"
#include "table_cases.h"

namespace {

const char kStart[] =
    "REGEDIT4\r\n\r\n"
    "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\TAVELIN\\SoftModem\\Country]\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TAVELIN\\SoftModem]\r\n"
    "\"HomolTimeStamp\"=hex:00,e1,f5,05\r\n";  // 100000000 seconds
const char kCountry[] = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TAVELIN\\SoftModem\\Country";

FILE* TextFile(const std::string& text) {
  FILE* file = tmpfile();
  fwrite(text.data(), 1, text.size(), file);
  rewind(file);
  return file;
}

CountryEffect Model(const std::string& text, RegistryPlatform platform) {
  CountryEffect effect;
  FILE* file = TextFile(text);
  ModelCountryFile(file, platform, 100000000, &effect);
  fclose(file);
  return effect;
}

// The printed effect after the stamp, with "\n" for the CR LF line ends.
std::string Printed(const std::string& text, RegistryPlatform platform, bool* expressible) {
  const CountryEffect effect = Model(text, platform);
  FILE* out = tmpfile();
  *expressible = PrintCountryEffect(effect, out);
  rewind(out);
  std::string all;
  char chunk[512];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, out)) > 0) all.append(chunk, got);
  fclose(out);
  if (all.compare(0, sizeof kStart - 1, kStart) != 0) return "unexpected start: " + all;
  std::string rest;
  for (size_t i = sizeof kStart - 1; i < all.size(); ++i) {
    if (all[i] == '\r' && i + 1 < all.size() && all[i + 1] == '\n') continue;
    rest += all[i];
  }
  size_t at;
  while ((at = rest.find(kCountry)) != std::string::npos)
    rest.replace(at, sizeof kCountry - 1, "[C");
  return rest;
}

struct EffectCase {
  const char* name;
  std::string file;
  RegistryPlatform platform;
  std::string effect;  // after the stamp; "[C" stands for the Country key's name
};

const std::string kLongName(256, 'N');

const EffectCase kEffectCases[] = {
    {"values with bounds", "[B5]\r\nGain=5,0,9\r\n", kPlatformNt,
     "\n[C\\B5]\n\"Gain\"=hex:05,00,00,00\n\"Gain_min\"=hex:00,00,00,00\n"
     "\"Gain_max\"=hex:09,00,00,00\n\n"},
    {"CR-only line ends: one line, nothing counts, Country deleted", "[B5]\rGain=5\rLevel=1\r",
     kPlatformNt, "\n"},
    {"text after the header's ] is dropped", "[B5] Gain=5\n[04]Level=3,1,9\n", kPlatformNt, "\n"},
    {"would-be comments are value names", "[B5]\n# Gain=5\n//Level=3\n", kPlatformNt,
     "\n[C\\B5]\n\"# Gain\"=hex:05,00,00,00\n\"//Level\"=hex:03,00,00,00\n\n"},
    {"letter case: one key, one value, first spelling, earlier bounds stay",
     "[B5]\nGain=5,0,9\n[b5]\ngain=7\n", kPlatformNt,
     "\n[C\\B5]\n\"Gain\"=hex:07,00,00,00\n\"Gain_min\"=hex:00,00,00,00\n"
     "\"Gain_max\"=hex:09,00,00,00\n\n"},
    {"Western letters fold too", "[\xC9t\xE9]\nx=1\n[\xE9T\xC9]\nX=2\n", kPlatformNt,
     "\n[C\\\xC9t\xE9]\n\"x\"=hex:02,00,00,00\n\n"},
    {"a key name of 256 characters", "[" + kLongName + "]\nA=1\n", kPlatformNt,
     "\n[C\\" + kLongName + "]\n\"A\"=hex:01,00,00,00\n\n"},
    {"a key name of 257 characters is refused but counts", "[" + kLongName + "N]\nA=1\n",
     kPlatformNt, "\n[C]\n\n"},
    {"a path of 260 characters",
     "[" + std::string(100, 'P') + "\\" + std::string(159, 'Q') + "]\nA=1\n", kPlatformNt,
     "\n[C\\" + std::string(100, 'P') + "\\" + std::string(159, 'Q') +
         "]\n\"A\"=hex:01,00,00,00\n\n"},
    {"a path of 261 characters is refused whole",
     "[" + std::string(100, 'P') + "\\" + std::string(160, 'Q') + "]\nA=1\n", kPlatformNt,
     "\n[C]\n\n"},
    {"a leading backslash: refused on NT", "[\\B5]\nA=1\n", kPlatformNt, "\n[C]\n\n"},
    {"a leading backslash: passed over on 9x", "[\\B5]\nA=1\n", kPlatform9x,
     "\n[C\\B5]\n\"A\"=hex:01,00,00,00\n\n"},
    {"backslashes doubled and at the end name the same key", "[A\\\\B\\]\nX=1\n", kPlatformNt,
     "\n[C\\A\\B]\n\"X\"=hex:01,00,00,00\n\n"},
    {"a lone backslash on 9x is the Country key itself", "[\\]\nX=1\n", kPlatform9x,
     "\n[C]\n\"X\"=hex:01,00,00,00\n\n"},
    {"sections named Disabled write into the disabled codes",
     "[Disabled]\nX=1\n[Disabled\\c3]\n\n[Disable_Country]\nC3\n", kPlatformNt,
     "\n[C\\Disabled]\n\"X\"=hex:01,00,00,00\n\n[C\\Disabled\\c3]\n\n"},
    {"an indented header is a content line of the section before", "[B5]\n  [C3]\n", kPlatformNt,
     "\n[C\\B5]\n\n"},
    {"a 499-character comment leaves a line feed that opens the section",
     "[B5]\n;" + std::string(498, 'c') + "\n", kPlatformNt, "\n[C\\B5]\n\n"},
    {"a zero byte cuts the line", std::string("[B5]\nGain=5\0,0,9\n", 17), kPlatformNt,
     "\n[C\\B5]\n\"Gain\"=hex:05,00,00,00\n\n"},
    {"Ctrl-Z ends the file", "[B5]\nA=1\n\x1A[C3]\nB=2\n", kPlatformNt,
     "\n[C\\B5]\n\"A\"=hex:01,00,00,00\n\n"},
    {"the unnamed value and names that need escapes", "[B5]\n=3\na\"b\\c=4\n", kPlatformNt,
     "\n[C\\B5]\n@=hex:03,00,00,00\n\"a\\\"b\\\\c\"=hex:04,00,00,00\n\n"},
    {"registry lines: strings, bytes, keeping, deleting",
     "[Registry]\nHKLM,SOFTWARE\\QvGen,S,0,\"two words\"\nHKLM,SOFTWARE\\QvGen,B,1,01,ff,1FF\n"
     "HKLM,SOFTWARE\\QvGen,s,2,other\nHKLM,software\\qvgen,K,3,7\nHKLM,SOFTWARE\\QvGen,B\n"
     "HKLM,SOFTWARE\\QvGen\\None,V\nHKLM,SOFTWARE\\QvGen,Q,0,\"a\rb\n",
     kPlatformNt,
     "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\QvGen]\n\"S\"=\"two words\"\n\"K\"=hex:07\n"
     "\"Q\"=\"a\\rb\\n\"\n\"B\"=-\n\n"},
    {"Country deleted on NT only without subkeys",
     "[Registry]\nHKLM,SOFTWARE\\TAVELIN\\SoftModem\\Country\\X,V,0,a\n", kPlatformNt,
     "\n[C\\X]\n\"V\"=\"a\"\n\n"},
    {"Country deleted on 9x with its subkeys",
     "[Registry]\nHKLM,SOFTWARE\\TAVELIN\\SoftModem\\Country\\X,V,0,a\n", kPlatform9x, "\n"},
    {"a registry path with a leading backslash: NT refuses, 9x passes over",
     "[Registry]\nHKLM,\\SOFTWARE\\QvGen,V,0,a\n", kPlatform9x,
     "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\QvGen]\n\"V\"=\"a\"\n\n"},
    {"the same path on NT", "[Registry]\nHKLM,\\SOFTWARE\\QvGen,V,0,a\n", kPlatformNt, "\n"},
};

TEST(CountryEffect, RegistryOfTheRunAsRegedit4) {
  ForEachCase(kEffectCases, &EffectCase::name, [](const EffectCase& c) {
    bool expressible = false;
    EXPECT_EQ(c.effect, Printed(c.file, c.platform, &expressible));
    EXPECT_TRUE(expressible);
  });
}

TEST(CountryEffect, AKeyNameWithALineBreakIsLeftOutAndSaidSo) {
  bool expressible = true;
  const std::string printed =
      Printed("[Registry]\nHKLM,\"SOFTWARE\\Qv\rGen\",V,0,a\n[B5]\n", kPlatformNt, &expressible);
  EXPECT_FALSE(expressible);
  EXPECT_EQ(std::string::npos, printed.find("\"V\"")) << printed;
  EXPECT_NE(std::string::npos, printed.find("; the key")) << printed;
  EXPECT_EQ(std::string::npos, printed.find('\r')) << "no raw line break: " << printed;
}

}  // namespace
