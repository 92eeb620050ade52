#include "events.h"

#include "host.h"

RunEvent EventOf(RunEventKind kind) {
  RunEvent event = {};
  event.kind = kind;
  return event;
}

bool AddRunListener(Host& host, RunListener* listener) {
  if (host.listenerCount >= kMostRunListeners) return false;
  host.listeners[host.listenerCount++] = listener;
  return true;
}

void TellListeners(Host& host, const RunEvent& event) {
  for (unsigned i = 0; i < host.listenerCount; ++i) host.listeners[i]->Heard(host, event);
}
