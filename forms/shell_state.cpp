#include "forms/shell_state.h"

namespace pellith::forms {

ShellState& shellState() {
  static ShellState state;
  return state;
}

void raiseEvent(Handler handler) {
  if (handler && shellState().eventHold == 0) handler();
}

}  // namespace pellith::forms
