#include "events.h"

RunEvent EventOf(RunEventKind kind) {
  RunEvent event = {};
  event.kind = kind;
  return event;
}

RunEvent OutcomeEvent(RunEventKind kind, const char* path, const char* target,
                      SystemStatus status) {
  RunEvent event = EventOf(kind);
  event.path = path;
  event.target = target;
  event.status = status;
  return event;
}

RunEvent ValueEvent(RunEventKind kind, const char* path, const char* name, unsigned long type,
                    const void* data, unsigned long size, SystemStatus status) {
  RunEvent event = OutcomeEvent(kind, path, nullptr, status);
  event.name = name;
  event.valueType = type;
  event.data = static_cast<const unsigned char*>(data);
  event.dataSize = size;
  return event;
}
