#include "registry/source_path_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "table_cases.h"

namespace {

SourcePathValue Value(bool present, unsigned long type, const char* text) {
  SourcePathValue value = {present, type, {}};
  std::strcpy(value.Text, text);
  return value;
}

SourcePathRecord Record(SourcePathValue earlier, const char* written) {
  SourcePathRecord record = {earlier, {}};
  std::strcpy(record.Written, written);
  return record;
}

std::string Encoded(const SourcePathRecord& record) {
  unsigned char out[kSourcePathRecordSize];
  const size_t size = EncodeSourcePathRecord(record, out);
  return std::string(reinterpret_cast<const char*>(out), size);
}

bool Decode(const std::string& bytes, SourcePathRecord* record) {
  return DecodeSourcePathRecord(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                record);
}

const std::string kNul(1, '\0');

struct RoundTrip {
  const char* name;
  SourcePathRecord record;
  std::string bytes;
};

TEST(SourcePathRecord, KeepsTheEarlierTypeAndTextAndTheWrittenPath) {
  const std::string longest(kSetupPathSize - 1, 'p');
  const RoundTrip cases[] = {
      {"a string", Record(Value(true, kRegistryString, "C:\\OLDSRC"), "C:\\medium"),
       std::string("\1\0\0\0", 4) + "C:\\OLDSRC" + kNul + "C:\\medium" + kNul},
      {"an expandable string", Record(Value(true, kRegistryExpandString, "%SystemRoot%"), "A:"),
       std::string("\2\0\0\0", 4) + "%SystemRoot%" + kNul + "A:" + kNul},
      {"an empty string", Record(Value(true, kRegistryString, ""), "D:\\"),
       std::string("\1\0\0\0", 4) + kNul + "D:\\" + kNul},
      {"no value", Record(Value(false, 0, ""), "C:\\medium"),
       std::string(4, '\0') + kNul + "C:\\medium" + kNul},
      {"texts of 259 characters",
       Record(Value(true, kRegistryString, longest.c_str()), longest.c_str()),
       std::string("\1\0\0\0", 4) + longest + kNul + longest + kNul},
  };
  ForEachCase(cases, &RoundTrip::name, [](const RoundTrip& c) {
    EXPECT_EQ(c.bytes, Encoded(c.record));
    SourcePathRecord back;
    ASSERT_TRUE(Decode(c.bytes, &back));
    EXPECT_EQ(c.record.Earlier.Present, back.Earlier.Present);
    if (c.record.Earlier.Present) {
      EXPECT_EQ(c.record.Earlier.Type, back.Earlier.Type);
    }
    EXPECT_STREQ(c.record.Earlier.Text, back.Earlier.Text);
    EXPECT_STREQ(c.record.Written, back.Written);
  });
}

TEST(SourcePathRecord, AnEarlierValueThatIsNoStringIsNotRecorded) {
  EXPECT_EQ("", Encoded(Record(Value(true, 3, "x"), "C:\\medium")));
}

TEST(SourcePathRecord, RefusesBytesThatAreNoWholeRecord) {
  const std::string sz("\1\0\0\0", 4);
  const std::string tooLong(kSetupPathSize, 'p');
  const Row<std::string, const char*> rows[] = {
      {"", "empty"},
      {std::string("\1\0\0", 3), "type cut"},
      {sz, "no texts"},
      {sz + "C:\\OLDSRC" + kNul, "no written path"},
      {sz + "C:\\OLDSRC" + kNul + "C:\\medium", "written path without its NUL"},
      {sz + "C:\\OLDSRC" + kNul + "C:\\medium" + kNul + "x", "bytes after the record"},
      {std::string("\3\0\0\0", 4) + "x" + kNul + "y" + kNul, "binary type"},
      {std::string("\1\0\0\1", 4) + "x" + kNul + "y" + kNul, "type's high byte"},
      {std::string(4, '\0') + "x" + kNul + "y" + kNul, "no value with a text"},
      {sz + tooLong + kNul + "y" + kNul, "earlier text of 260 characters"},
      {sz + "x" + kNul + tooLong + kNul, "written path of 260 characters"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.out);
    SourcePathRecord record;
    EXPECT_FALSE(Decode(row.in, &record));
  }
}

struct Found {
  const char* name;
  SourcePathValue current;
  bool stillWritten;
};

TEST(SourcePathRecord, OnlyTheVeryPathWrittenAsAStringIsStillTheInterruptedRuns) {
  const SourcePathRecord record = Record(Value(true, kRegistryString, "C:\\OLDSRC"), "C:\\medium");
  const Found cases[] = {
      {"the path written", Value(true, kRegistryString, "C:\\medium"), true},
      {"repaired to another path", Value(true, kRegistryString, "D:\\WIN98"), false},
      {"the path in other letters", Value(true, kRegistryString, "C:\\MEDIUM"), false},
      {"a longer path", Value(true, kRegistryString, "C:\\medium\\x"), false},
      {"the path as an expandable string", Value(true, kRegistryExpandString, "C:\\medium"), false},
      {"no value", Value(false, 0, ""), false},
  };
  ForEachCase(cases, &Found::name, [&](const Found& c) {
    EXPECT_EQ(c.stillWritten, StillWrittenByRecord(c.current, record));
  });
}

}  // namespace
