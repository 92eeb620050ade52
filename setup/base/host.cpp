#include "host.h"

bool AddRunListener(Host& host, RunListener* listener) {
  if (host.listenerCount >= kMostRunListeners) return false;
  host.listeners[host.listenerCount++] = listener;
  return true;
}

void TellListeners(Host& host, const RunEvent& event) {
  for (unsigned i = 0; i < host.listenerCount; ++i) host.listeners[i]->Heard(host, event);
}

SystemStatus TellOutcome(Host& host, RunEventKind kind, const char* path, const char* target,
                         SystemStatus status) {
  TellListeners(host, OutcomeEvent(kind, path, target, status));
  return status;
}

void TellNote(Host& host, const char* text) {
  RunEvent event = EventOf(kEventNote);
  event.text = text;
  TellListeners(host, event);
}

void TellFailure(Host& host, const char* text) {
  RunEvent event = EventOf(kEventNote);
  event.text = text;
  event.failsRun = true;
  TellListeners(host, event);
}

void FailChange(Host& host) {
  host.ChangeFailed = true;
  TellListeners(host, EventOf(kEventChangeFailed));
}
