// The effect of a country settings file as qvlint's model computes it and
// prints it as a REGEDIT4 file: qvsmzad's walk on a registry in memory.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "country_effect.h"
#include "effect_output.h"
#include "qvlint_support.h"
#include "table_cases.h"

namespace {

// After the header and the comment block of assumptions.
const char kStart[] = "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\TAVELIN\\SoftModem\\Country]\r\n\r\n";
const char kStamp[] =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TAVELIN\\SoftModem]\r\n"
    "\"HomolTimeStamp\"=hex:00,e1,f5,05\r\n";  // 100000000 seconds
const char kCountry[] = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TAVELIN\\SoftModem\\Country";

FILE* TextFile(const std::string& text) {
  FILE* file = tmpfile();
  fwrite(text.data(), 1, text.size(), file);
  rewind(file);
  return file;
}

CountryEffect Model(const std::string& text, RegistryPlatform platform,
                    unsigned codePage = kWesternCodePage) {
  CountryEffect effect;
  FILE* file = TextFile(text);
  ModelCountryFile(file, platform, codePage, 100000000, &effect);
  fclose(file);
  return effect;
}

// The printed effect after the removal of the Country key, without the
// stamp, with "\n" for the CR LF line ends.
std::string Printed(const std::string& text, RegistryPlatform platform, bool* expressible,
                    unsigned codePage = kWesternCodePage) {
  const CountryEffect effect = Model(text, platform, codePage);
  FILE* out = tmpfile();
  *expressible = PrintCountryEffect(effect, out);
  rewind(out);
  std::string all;
  char chunk[512];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, out)) > 0) all.append(chunk, got);
  fclose(out);
  const size_t start = all.find("\r\n\r\n[-HKEY") + 4;
  if (all.compare(0, 10, "REGEDIT4\r\n") != 0 || start == std::string::npos + 4 ||
      all.compare(start, sizeof kStart - 1, kStart) != 0)
    return "unexpected start: " + all;
  const size_t stamp = all.find(kStamp);
  if (stamp == std::string::npos) return "no stamp: " + all;
  all.erase(stamp, sizeof kStamp - 1);
  std::string rest;
  for (size_t i = start + sizeof kStart - 1; i < all.size(); ++i) {
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
  unsigned codePage = kWesternCodePage;
};

const std::string kLongName(256, 'N');
const std::string kCountryPath = "HKLM,SOFTWARE\\TAVELIN\\SoftModem\\Country\\";

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
    {"a key name of 255 characters", "[" + kLongName.substr(1) + "]\nA=1\n", kPlatform9x,
     "\n[C\\" + kLongName.substr(1) + "]\n\"A\"=hex:01,00,00,00\n\n"},
    {"a key name of 256 characters is refused but counts", "[" + kLongName + "]\nA=1\n",
     kPlatformNt, "\n[C]\n\n"},
    {"Wine takes a key name of 256 characters", "[" + kLongName + "]\nA=1\n", kPlatformWineNt,
     "\n[C\\" + kLongName + "]\n\"A\"=hex:01,00,00,00\n\n"},
    {"Wine refuses 257", "[" + kLongName + "N]\nA=1\n", kPlatformWine9x, "\n[C]\n\n"},
    {"value names: 255 characters on 9x",
     "[B5]\n" + std::string(255, 'v') + "=1\n" + std::string(256, 'w') + "=2\n", kPlatform9x,
     "\n[C\\B5]\n\"" + std::string(255, 'v') + "\"=hex:01,00,00,00\n\n"},
    {"value names: 260 characters on NT, bounds included",
     "[B5]\n" + std::string(256, 'v') + "=1,2,3\n" + std::string(261, 'w') + "=2\n", kPlatformNt,
     "\n[C\\B5]\n\"" + std::string(256, 'v') + "\"=hex:01,00,00,00\n\"" + std::string(256, 'v') +
         "_min\"=hex:02,00,00,00\n\"" + std::string(256, 'v') + "_max\"=hex:03,00,00,00\n\n"},
    {"value names: Wine takes 300 characters", "[B5]\n" + std::string(300, 'v') + "=1\n",
     kPlatformWine9x, "\n[C\\B5]\n\"" + std::string(300, 'v') + "\"=hex:01,00,00,00\n\n"},
    {"the keys before a name that is too long stay", "[A\\" + kLongName + "N]\nx=1\n", kPlatformNt,
     "\n[C\\A]\n\n"},
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
    {"9x ignores every leading backslash", "[\\\\B5]\nA=1\n", kPlatform9x,
     "\n[C\\B5]\n\"A\"=hex:01,00,00,00\n\n"},
    {"Wine as 9x passes over one only", "[\\\\B5]\nA=1\n", kPlatformWine9x, "\n[C]\n\n"},
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
    {"a trail byte 5C splits nothing in code page 932", "[\x95\x5C\x8E\xA6]\nx=1\n[\x95\x5C]\n\n",
     kPlatformNt, "\n[C\\\x95\x5C\x8E\xA6]\n\"x\"=hex:01,00,00,00\n\n[C\\\x95\x5C]\n\n", 932},
    {"in code page 1252 the same bytes are two keys", "[\x95\x5C\x8E\xA6]\nx=1\n[\x95\x5C]\n\n",
     kPlatformNt, "\n[C\\\x95\\\x8E\xA6]\n\"x\"=hex:01,00,00,00\n\n"},
    {"full-width letters fold in code page 932", "[\x82\x60]\nx=1\n[\x82\x81]\nX=2\n", kPlatformNt,
     "\n[C\\\x82\x60]\n\"x\"=hex:02,00,00,00\n\n", 932},
    {"registry lines: strings, bytes, keeping, deleting",
     "[Registry]\nHKLM,SOFTWARE\\QvGen,S,0,\"two words\"\nHKLM,SOFTWARE\\QvGen,B,1,01,ff,1FF\n"
     "HKLM,SOFTWARE\\QvGen,s,2,other\nHKLM,software\\qvgen,K,3,7\nHKLM,SOFTWARE\\QvGen,B\n"
     "HKLM,SOFTWARE\\QvGen\\None,V\nHKLM,SOFTWARE\\QvGen,Q,0,\"a\rb\n",
     kPlatformNt,
     "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\QvGen]\n\"S\"=\"two words\"\n"
     "; written only where the value does not exist yet\n\"K\"=hex:07\n"
     "\"Q\"=hex(1):61,0d,62,0a,00\n\"B\"=-\n\n"},
    {"a ] in a key name stays: regedit ends the name at the last ]",
     "[Registry]\nHKLM,SOFTWARE\\Q]v,V,0,a\n", kPlatformNt,
     "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Q]v]\n\"V\"=\"a\"\n\n"},
    {"values of the root under [HKEY_LOCAL_MACHINE]", "[Registry]\nHKLM,\\,V,0,a\n", kPlatform9x,
     "[HKEY_LOCAL_MACHINE]\n\"V\"=\"a\"\n\n\n"},
    {"Country deleted on NT only without subkeys",
     "[Registry]\nHKLM,SOFTWARE\\TAVELIN\\SoftModem\\Country\\X,V,0,a\n", kPlatformNt,
     "\n[C\\X]\n\"V\"=\"a\"\n\n"},
    {"Wine as 9x deletes the Country key's subkeys first in the registry's order, each shorter "
     "than the one before",
     "[Registry]\nHKLM,SOFTWARE\\TAVELIN\\SoftModem\\Country\\b5,v,0,x\n"
     "HKLM,SOFTWARE\\TAVELIN\\SoftModem\\Country\\New,v,0,x\n",
     kPlatformWine9x, "\n[C\\New]\n\"v\"=\"x\"\n\n"},
    {"the walk reaches every subkey when each is shorter",
     "[Registry]\nHKLM,SOFTWARE\\TAVELIN\\SoftModem\\Country\\C,v,0,x\n"
     "HKLM,SOFTWARE\\TAVELIN\\SoftModem\\Country\\AAAA,v,0,x\n"
     "HKLM,SOFTWARE\\TAVELIN\\SoftModem\\Country\\bb\\x,v,0,x\n",
     kPlatformWine9x, "\n"},
    {"an underscore comes before letters",
     "[Registry]\nHKLM,SOFTWARE\\TAVELIN\\SoftModem\\Country\\zz,v,0,x\n"
     "HKLM,SOFTWARE\\TAVELIN\\SoftModem\\Country\\_,v,0,x\n",
     kPlatformWine9x, "\n[C\\zz]\n\"v\"=\"x\"\n\n"},
    {"9x deletes the Country key with its whole tree",
     "[Registry]\n" + kCountryPath + "b5,v,0,x\n" + kCountryPath + "New\\Deeper,v,0,x\n",
     kPlatform9x, "\n"},
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
    EXPECT_EQ(c.effect, Printed(c.file, c.platform, &expressible, c.codePage));
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

  // A value name with a line break: the value alone is left out.
  const std::string value = Printed(
      "[Registry]\nHKLM,SOFTWARE\\QvGen,\"V\rX\",0,a\n"
      "HKLM,SOFTWARE\\QvGen,W,0,b\n",
      kPlatformNt, &expressible);
  EXPECT_FALSE(expressible);
  EXPECT_NE(std::string::npos, value.find("; the value")) << value;
  EXPECT_NE(std::string::npos, value.find("\"W\"=\"b\"")) << value;
  EXPECT_EQ(std::string::npos, value.find('\r')) << "no raw line break: " << value;

  // The keys on the way to it are written all the same.
  const std::string parents = Printed("[Sub\\a\rb]\nx=1\n", kPlatformNt, &expressible);
  EXPECT_FALSE(expressible);
  EXPECT_NE(std::string::npos, parents.find("[C\\Sub]\n")) << parents;
}

// The size of a value's data, which qvsmzad's lines never reach (64 bytes
// at most), as each platform's registry takes it.
TEST(RegistryModel, DataOfAValueUpToThePlatformsLimit) {
  struct Case {
    RegistryPlatform platform;
    size_t bytes;
    PathFault fault;
  };
  const Case cases[] = {
      {kPlatform9x, 16300, kPathUsable},
      {kPlatform9x, 16301, kValueDataRefused},
      {kPlatformNt, 1024 * 1024, kPathUsable},
      {kPlatformNt, 1024 * 1024 + 1, kValueDataRefused},
      {kPlatformWine9x, 1024 * 1024 + 1, kPathUsable},
  };
  for (const Case& c : cases) {
    RegistryModel model;
    StartRegistryModel(&model, c.platform, kWesternCodePage);
    ModelValue before;
    EXPECT_EQ(c.fault, SetModelValue(&model, &model.machine, "V", kTypeBinary,
                                     std::string(c.bytes, 'd'), 1, &before))
        << PlatformName(c.platform) << " " << c.bytes;
    EXPECT_EQ(c.fault == kPathUsable, !model.machine.values.empty());
  }
}

}  // namespace

// Findings say what qvsmzad does instead; each such statement is checked
// against the model's registry at the end of the run, not against a
// snapshot of qvlint's own words.
namespace {

// The quoted texts of a message (shown texts keep their backslashes and
// escape their quotation marks).
std::vector<std::string> Quoted(const char* text) {
  std::vector<std::string> found;
  const char* p = text;
  while ((p = strchr(p, '"')) != nullptr) {
    std::string piece;
    for (++p; *p != '\0' && *p != '"'; ++p) {
      if (*p == '\\' && p[1] == '"') ++p;
      piece += *p;
    }
    found.push_back(piece);
    if (*p == '"') ++p;
  }
  return found;
}

bool HoldsValueNamed(const ModelKey& key, const std::string& name) {
  for (const ModelValue& value : key.values) {
    if (value.name == name) return true;
  }
  for (const std::unique_ptr<ModelKey>& subkey : key.subkeys) {
    if (HoldsValueNamed(*subkey, name)) return true;
  }
  return false;
}

const ModelValue* ValueOfLine(const ModelKey& key, unsigned line) {
  for (const ModelValue& value : key.values) {
    if (value.lastLine == line) return &value;
  }
  for (const std::unique_ptr<ModelKey>& subkey : key.subkeys) {
    if (const ModelValue* found = ValueOfLine(*subkey, line)) return found;
  }
  return nullptr;
}

// The quoted text after `marker` in `text`.
std::string QuotedAfter(const char* text, const char* marker) {
  const char* at = strstr(text, marker);
  return at == nullptr ? "" : Quoted(at + strlen(marker)).front();
}

unsigned LineNamed(const char* text) {
  const char* at = strstr(text, "of line ");
  return at == nullptr ? 0 : static_cast<unsigned>(atoi(at + 8));
}

const ModelKey* BelowCountry(const CountryEffect& effect, const std::string& name) {
  const ModelKey* country = ModelCountryKey(effect);
  if (country == nullptr || name.compare(0, 7, "Country") != 0) return nullptr;
  const std::string rest = name.size() > 8 ? name.substr(8) : "";
  const ModelKey* key = FindModelKey(effect.model, country, rest.c_str());
  return key != nullptr &&
                 FullKeyName(key) == FullKeyName(country) + (rest.empty() ? "" : "\\" + rest)
             ? key
             : nullptr;
}

// Whether the finding's effect is true of the models of both families.
std::string CheckedAgainstModel(const Finding& finding, const CountryEffect& nt,
                                const CountryEffect& nineX) {
  const std::vector<std::string> reason = Quoted(finding.reason.text.c_str());
  const std::vector<std::string> effect = Quoted(finding.effect.text.c_str());
  const ModelKey& machine = nt.model.machine;
  switch (finding.code) {
    case kValueNameCase:
      if (!HoldsValueNamed(machine, effect.back())) return "no value " + effect.back();
      if (reason[0] != effect.back() && HoldsValueNamed(machine, reason[0]))
        return "a value spelled " + reason[0] + " exists";
      return "";
    case kKeyNameDiffers: {
      const std::string key = QuotedAfter(finding.reason.text.c_str(), "names the key ");
      if (key.compare(0, 7, "Country") == 0)
        return BelowCountry(nt, key) != nullptr ? "" : "no key " + key;
      const ModelKey* found =
          FindModelKey(nt.model, &machine, key.c_str() + strlen("HKEY_LOCAL_MACHINE\\"));
      return found != nullptr && FullKeyName(found) == key ? "" : "no key " + key;
    }
    case kKeyRefused: {
      if (effect.size() != 1) return "";
      if (effect[0].compare(0, 7, "Country") == 0)
        return BelowCountry(nineX, effect[0]) != nullptr ? "" : "9x has no key " + effect[0];
      const ModelKey* found = FindModelKey(nineX.model, &nineX.model.machine,
                                           effect[0].c_str() + strlen("HKEY_LOCAL_MACHINE\\"));
      return found != nullptr ? "" : "9x has no key " + effect[0];
    }
    case kDisabledTree:
      return effect.empty() || BelowCountry(nt, effect[0]) != nullptr ? "" : "no key " + effect[0];
    case kValueKept:
    case kBoundsIncomplete: {
      const unsigned line = LineNamed(finding.effect.text.c_str());
      if (finding.code == kBoundsIncomplete && line == 0) {
        const std::string name = Quoted(finding.reason.text.c_str())[0];
        return HoldsValueNamed(machine, name + "_min") ? "a minimum exists" : "";
      }
      return ValueOfLine(machine, line) != nullptr ? ""
                                                   : "no value of line " + std::to_string(line);
    }
    case kCountryKeyDeleted:
      return ModelCountryKey(
                 strstr(finding.effect.text.c_str(), "95, 98") != nullptr ? nineX : nt) == nullptr
                 ? ""
                 : "the Country key stays";
    default:
      return "";
  }
}

const char* const kMisreadFiles[] = {
    "[B5]\r\nGain=5,0,9\r\n[b5]\r\ngain=7\r\nGAIN=8,1\r\n",
    "[B5]\r\nLevel=1\r\nlevel=2,1\r\n",
    "[B5]\rGain=5\r[04] Level=1\r",
    "[Disabled]\nTone=1\n[Disabled\\C3]\n\n[\\C4]\nGain=1\n",
    "[Registry]\nHKLM,SOFTWARE\\QvGen,Name,0,first\nHKLM,software\\qvgen,NAME,2,second\n"
    "HKLM,SOFTWARE\\\\QvGen\\,Other,0,x\nHKLM,\\SOFTWARE\\QvGen,Lead,0,x\n",
    "[A\\\\B]\nX=1\n[a\\b]\nx=2\n",
    "[Disable_Country]\nUS\n",
};

TEST(CountryFindings, WhatQvsmzadDoesInsteadIsTrueOfTheModel) {
  unsigned checked = 0;
  for (const char* text : kMisreadFiles) {
    SCOPED_TRACE(text);
    const CountryEffect nt = Model(text, kPlatformNt);
    const CountryEffect nineX = Model(text, kPlatform9x);
    Collected collected = LintCountryText(text);
    for (const Finding& finding : collected.findings) {
      SCOPED_TRACE(std::string(FindingCodeName(finding.code)) + ": " + finding.effect.text);
      EXPECT_EQ("", CheckedAgainstModel(finding, nt, nineX));
      ++checked;
    }
  }
  EXPECT_GE(checked, 15u);
}

}  // namespace
