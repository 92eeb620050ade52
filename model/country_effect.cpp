#include "country_effect.h"

#include <cstring>

#include "apply_country_file_rules.h"
#include "time_stamp.h"

const char kCountryKeyPath[] = "SOFTWARE\\TAVELIN\\SoftModem\\Country";

namespace {

const char kSoftModemKeyPath[] = "SOFTWARE\\TAVELIN\\SoftModem";

struct ModelRun {
  RegistryModel* model;
  CountryJournal* journal;
  int64_t now;
  ModelKey* countryKey;
  unsigned line;
};

ModelRun* RunOf(void* context) { return static_cast<ModelRun*>(context); }

RegistryModel* ModelOf(void* context) { return RunOf(context)->model; }

void Record(ModelRun* run, LineEffect entry) {
  entry.line = run->line;
  run->journal->journal.push_back(entry);
}

// Creates a key for a line and records what happened.
ModelKey* CreateForLine(ModelRun* run, ModelKey* base, const char* path) {
  const KeyReach reach = CreateModelKey(run->model, base, path, run->line);
  LineEffect entry = {};
  entry.asked = path;
  entry.undocumented = reach.undocumented;
  if (reach.key == nullptr) {
    entry.kind = kEffectKeyRefused;
    entry.key = FullKeyName(base) + "\\" + path;
    entry.fault = reach.fault;
  } else {
    entry.kind = kEffectKey;
    entry.key = FullKeyName(reach.key);
    entry.created = reach.created;
    entry.earlierLine = reach.created ? 0 : reach.key->createdLine;
    entry.respelled = reach.respelled;
  }
  Record(run, entry);
  return reach.key;
}

void SetForLine(ModelRun* run, ModelKey* key, const std::string& name, unsigned long type,
                const std::string& data) {
  RegistryModel* model = run->model;
  const size_t sizeBefore = KeyValuesSize(*key);
  ModelValue before;
  LineEffect entry = {};
  entry.key = FullKeyName(key);
  entry.asked = name;
  entry.fault = SetModelValue(model, key, name, type, data, run->line, &before);
  if (entry.fault != kPathUsable) {
    entry.kind = kEffectValueRefused;
    Record(run, entry);
    return;
  }
  entry.kind = kEffectValueSet;
  entry.stored = FindModelValue(*model, key, name, &entry.undocumented)->name;
  entry.earlierLine = before.type != 0 ? before.lastLine : 0;
  Record(run, entry);
  const size_t keyValues = LimitsOf(model->platform).keyValues;
  if (keyValues > 0 && sizeBefore <= keyValues && KeyValuesSize(*key) > keyValues) {
    entry.kind = kEffectKeyFull;
    Record(run, entry);
  }
}

std::string FourBytes(uint32_t value) {
  std::string bytes(4, '\0');
  for (size_t i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

void StampRun(void* context) {
  RegistryModel* model = ModelOf(context);
  ModelKey* key = CreateModelKey(model, &model->machine, kSoftModemKeyPath, 0).key;
  unsigned char stamp[4];
  TimeStampBytes(RunOf(context)->now, stamp);
  ModelValue before;
  SetModelValue(model, key, "HomolTimeStamp", kTypeBinary,
                std::string(reinterpret_cast<const char*>(stamp), sizeof stamp), 0, &before);
}

bool ResetCountry(void* context) {
  RegistryModel* model = ModelOf(context);
  ModelKey* country = OpenModelKey(model, &model->machine, kCountryKeyPath).key;
  if (country != nullptr)
    DeleteModelSubkeys(country);
  else
    country = CreateModelKey(model, &model->machine, kCountryKeyPath, 0).key;
  RunOf(context)->countryKey = country;
  return country != nullptr;
}

void* CreateSection(void* context, const char* section) {
  ModelRun* run = RunOf(context);
  return CreateForLine(run, run->countryKey, section);
}

void CloseSection(void*, void*) {}

void WriteValue(void* context, void* sectionKey, const CountryValue& value) {
  ModelRun* run = RunOf(context);
  ModelKey* key = static_cast<ModelKey*>(sectionKey);
  const std::string name = value.name;
  SetForLine(run, key, name, kTypeBinary, FourBytes(static_cast<uint32_t>(value.value)));
  if (!value.hasBounds) return;
  SetForLine(run, key, name + "_min", kTypeBinary, FourBytes(static_cast<uint32_t>(value.minimum)));
  SetForLine(run, key, name + "_max", kTypeBinary, FourBytes(static_cast<uint32_t>(value.maximum)));
}

void CreateDisabled(void* context, const char* code) {
  ModelRun* run = RunOf(context);
  CreateForLine(run, run->countryKey, (std::string("Disabled\\") + code).c_str());
}

void DeleteForLine(ModelRun* run, const RegistryLine& line) {
  RegistryModel* model = run->model;
  LineEffect entry = {};
  entry.deleting = true;
  entry.asked = line.valueName;
  const KeyReach reach = OpenModelKey(model, &model->machine, line.keyPath);
  entry.undocumented = reach.undocumented;
  ModelKey* key = reach.key;
  if (key == nullptr) {
    // A path that the registry refuses, against one that names no key yet.
    entry.kind = reach.fault == kPathMissing ? kEffectNothing : kEffectKeyRefused;
    entry.fault = reach.fault;
    if (entry.kind == kEffectKeyRefused) entry.asked = line.keyPath;
    entry.key = FullKeyName(&model->machine) + "\\" + line.keyPath;
    Record(run, entry);
    return;
  }
  entry.key = FullKeyName(key);
  const ModelValue* existing = FindModelValue(*model, key, line.valueName, &entry.undocumented);
  entry.earlierLine = existing != nullptr ? existing->lastLine : 0;
  entry.kind = DeleteModelValue(*model, key, line.valueName) ? kEffectValueDeleted : kEffectNothing;
  Record(run, entry);
}

void ApplyLine(void* context, const RegistryLine& line) {
  ModelRun* run = RunOf(context);
  if (line.deletion) {
    DeleteForLine(run, line);
    return;
  }
  RegistryModel* model = run->model;
  ModelKey* key = CreateForLine(run, &model->machine, line.keyPath);
  if (key == nullptr) return;
  LineEffect entry = {};
  const ModelValue* existing = FindModelValue(*model, key, line.valueName, &entry.undocumented);
  if ((line.typeCode & kKeepExistingBit) && existing != nullptr) {
    entry.kind = kEffectValueKept;
    entry.key = FullKeyName(key);
    entry.asked = line.valueName;
    entry.stored = existing->name;
    entry.earlierLine = existing->lastLine;
    Record(run, entry);
    return;
  }
  const bool bytes = (line.typeCode & kByteDataBit) != 0;
  SetForLine(run, key, line.valueName, bytes ? kTypeBinary : kTypeString,
             std::string(reinterpret_cast<const char*>(line.data), line.dataSize));
  ModelValue* written = FindModelValue(*model, key, line.valueName, &entry.undocumented);
  if (written != nullptr) written->onlyWhenAbsent = (line.typeCode & kKeepExistingBit) != 0;
}

void CloseCountry(void*) {}

void DeleteCountry(void* context) {
  RegistryModel* model = ModelOf(context);
  RunOf(context)->journal->countryDeleted = DeleteModelKey(model, &model->machine, kCountryKeyPath);
}

void TakePiece(void* context, const char*, size_t, unsigned line) {
  RunOf(context)->line = line;
  RunOf(context)->journal->lines = line;
}

}  // namespace

void ModelCountryFile(FILE* file, RegistryPlatform platform, unsigned codePage, int64_t now,
                      CountryEffect* effect) {
  StartRegistryModel(&effect->model, platform, codePage);
  WalkCountryFileOnModel(file, &effect->model, now, effect);
}

void WalkCountryFileOnModel(FILE* file, RegistryModel* model, int64_t now,
                            CountryJournal* journal) {
  journal->journal.clear();
  journal->countryDeleted = false;
  journal->lines = 0;
  ModelRun run = {model, journal, now, nullptr, 0};
  const CountryRegistryWork work = {&run,         StampRun,      ResetCountry,   CreateSection,
                                    CloseSection, WriteValue,    CreateDisabled, ApplyLine,
                                    CloseCountry, DeleteCountry, TakePiece};
  WalkCountryFile(file, work);
}

const ModelKey* ModelCountryKey(const CountryEffect& effect) {
  return FindModelKey(effect.model, &effect.model.machine, kCountryKeyPath);
}
