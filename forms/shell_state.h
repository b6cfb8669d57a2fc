// Program-wide state of the window shell and event delivery.
#pragma once
#include "forms/form.h"

namespace pellith::forms {

struct ShellState {
  int eventHold = 0;         // above zero: events are dropped, not queued
  bool loopStarted = false;  // the message loop has been entered
  int quitCode = 0;          // code of the quit request that ended the loop
};

ShellState& shellState();

// Runs the bound handler unless events are held; an unbound event does nothing.
void raiseEvent(Handler handler);

// Holds events for as long as it lives.
class EventHold {
 public:
  EventHold() { ++shellState().eventHold; }
  ~EventHold() { --shellState().eventHold; }
  EventHold(const EventHold&) = delete;
  EventHold& operator=(const EventHold&) = delete;
};

}  // namespace pellith::forms
