#include "country_effect.h"

#include <cstring>

#include "apply_country_file_rules.h"
#include "time_stamp.h"

const char kCountryKeyPath[] = "SOFTWARE\\TAVELIN\\SoftModem\\Country";

namespace {

const char kSoftModemKeyPath[] = "SOFTWARE\\TAVELIN\\SoftModem";

struct ModelRun {
  CountryEffect* effect;
  int64_t now;
  ModelKey* countryKey;
  unsigned line;
};

ModelRun* RunOf(void* context) { return static_cast<ModelRun*>(context); }

RegistryModel* ModelOf(void* context) { return &RunOf(context)->effect->model; }

void Record(ModelRun* run, LineEffect entry) {
  entry.line = run->line;
  run->effect->journal.push_back(entry);
}

// Creates a key for a line and records what happened.
ModelKey* CreateForLine(ModelRun* run, ModelKey* base, const char* path) {
  const KeyReach reach = CreateModelKey(&run->effect->model, base, path, run->line);
  LineEffect entry = {};
  entry.asked = path;
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
  const ModelValue before = SetModelValue(key, name, type, data, run->line);
  LineEffect entry = {};
  entry.kind = kEffectValueSet;
  entry.key = FullKeyName(key);
  entry.asked = name;
  entry.stored = FindModelValue(key, name)->name;
  entry.earlierLine = before.type != 0 ? before.lastLine : 0;
  Record(run, entry);
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
  SetModelValue(key, "HomolTimeStamp", kTypeBinary,
                std::string(reinterpret_cast<const char*>(stamp), sizeof stamp), 0);
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
  RegistryModel* model = &run->effect->model;
  LineEffect entry = {};
  entry.asked = line.valueName;
  ModelKey* key = OpenModelKey(model, &model->machine, line.keyPath).key;
  if (key == nullptr) {
    entry.kind = kEffectNothing;
    entry.key = line.keyPath;
    Record(run, entry);
    return;
  }
  entry.key = FullKeyName(key);
  const ModelValue* existing = FindModelValue(key, line.valueName);
  entry.earlierLine = existing != nullptr ? existing->lastLine : 0;
  entry.kind = DeleteModelValue(key, line.valueName) ? kEffectValueDeleted : kEffectNothing;
  Record(run, entry);
}

void ApplyLine(void* context, const RegistryLine& line) {
  ModelRun* run = RunOf(context);
  if (line.deletion) {
    DeleteForLine(run, line);
    return;
  }
  RegistryModel* model = &run->effect->model;
  ModelKey* key = CreateForLine(run, &model->machine, line.keyPath);
  if (key == nullptr) return;
  const ModelValue* existing = FindModelValue(key, line.valueName);
  if ((line.typeCode & kKeepExistingBit) && existing != nullptr) {
    LineEffect entry = {};
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
}

void CloseCountry(void*) {}

void DeleteCountry(void* context) {
  RegistryModel* model = ModelOf(context);
  RunOf(context)->effect->countryDeleted = DeleteModelKey(model, &model->machine, kCountryKeyPath);
}

void TakePiece(void* context, const char*, size_t, unsigned line) {
  RunOf(context)->line = line;
  RunOf(context)->effect->lines = line;
}

}  // namespace

void ModelCountryFile(FILE* file, RegistryPlatform platform, int64_t now, CountryEffect* effect) {
  StartRegistryModel(&effect->model, platform);
  effect->journal.clear();
  effect->countryDeleted = false;
  effect->lines = 0;
  ModelRun run = {effect, now, nullptr, 0};
  const CountryRegistryWork work = {&run,         StampRun,      ResetCountry,   CreateSection,
                                    CloseSection, WriteValue,    CreateDisabled, ApplyLine,
                                    CloseCountry, DeleteCountry, TakePiece};
  WalkCountryFile(file, work);
}

const ModelKey* ModelCountryKey(const CountryEffect& effect) {
  return FindModelKey(&effect.model.machine, kCountryKeyPath);
}
