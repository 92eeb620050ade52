// qvsetup.ini as the system's private-profile reader (GetPrivateProfileStringA)
// sees it, so that qvlint reads the file as setup does:
// - lines end at a line feed, a CR LF pair or a CR alone (NT reads a file
//   of CR line ends as one of CR LF; for the 9x family no source says, and
//   the model reads it as NT and the test platform do); blanks, tabs, CR and
//   Ctrl-Z around a line are dropped; empty lines and lines whose first
//   character is ";" are skipped;
// - a line that starts with "[" and holds a "]" starts a section named by
//   the text between the "[" and the last "]", without the blanks around it
//   (as the test platform and later Windows read it; no source shows what
//   Windows 95 to 2000 do); a "[" line without "]" is read as a key line;
// - a key line is a name, "=" and a value, blanks around both dropped; a line
//   without "=" is a key without value;
// - section and key names are looked up without regard to letter case; the
//   first section of a name and the first key of a name in it win;
// - a value enclosed in a pair of quotation marks (" or ') is returned
//   without them;
// - the key list of a section holds the names of its keys that have an "="
//   and a name, in file order, duplicates included.
#ifndef MODEL_PROFILE_H
#define MODEL_PROFILE_H

#include <cstddef>
#include <string>
#include <vector>

struct ProfileKey {
  std::string name;
  bool hasEquals;
  std::string value;  // as stored, quotation marks included
  unsigned line;
  bool unclosedHeader;   // a "[" line without "]", read as a key
  unsigned column;       // where the name starts (the "=" when the name is empty)
  unsigned valueColumn;  // where the value starts, quotation marks included
};

struct ProfileSection {
  std::string name;
  unsigned line;           // of its header; 0 for the lines before any header
  bool nameBlanksDropped;  // blanks inside the brackets around the name
  std::vector<ProfileKey> keys;
};

struct Profile {
  std::vector<ProfileSection> sections;  // the first one holds the lines before any header
  unsigned loneCarriageReturnLine;       // the first line that a CR alone ends; 0 for none
};

void ReadProfile(const std::string& text, Profile* profile);

// A profile file's bytes as the platform's reader reads them: the test
// platform takes a leading UTF-8 byte-order mark as a mark in every version
// mode, and drops it; Windows' documented readers take the bytes as ANSI
// text.
std::string ProfileText(const std::string& bytes, bool testPlatform);

// The first section and the first key of a name; nullptr when there is none.
const ProfileSection* FindProfileSection(const Profile& profile, const std::string& name);
const ProfileKey* FindProfileKey(const ProfileSection& section, const std::string& name);

// Whether the reader lists the key in its section's key list.
bool IsListedKey(const ProfileKey& key);

// The value as the reader returns it for the key, and where that starts.
std::string ProfileValue(const ProfileKey& key);
unsigned ProfileValueColumn(const ProfileKey& key);

// The number that the reader makes of a key's value (GetPrivateProfileInt):
// the leading decimal digits with their sign, after blanks, of the value's
// first 29 characters; a missing key (nullptr) or an empty value is the
// fallback.
int ProfileNumber(const ProfileKey* key, int fallback);

// How the reader fills a list of names: NT cuts the last name that does
// not fit to the room left, less the two terminators; the 9x family keeps
// one character less of a key name, drops a section name whole, and counts
// a whole list of sections with its final terminator.
enum NameListForm { kNtNameList, kNineXKeyList, kNineXSectionList };

// Fills `list` (`size` bytes) with the names of `keys` as the reader fills
// its buffer when asked for a section's key names (or the sections' names),
// cutting the last name that does not fit; returns what the reader returns.
size_t FillKeyList(const std::vector<const ProfileKey*>& keys, char* list, size_t size,
                   NameListForm form);

bool SameNameIgnoringCase(const std::string& a, const std::string& b);

#endif
