// The message loop. Messages are taken with the wide functions so that typed
// Chinese reaches the ANSI edit box as GBK bytes; the windows stay ANSI.
#pragma once

namespace pellith {

// Runs until the quit request arrives; returns at once when no window exists.
void runMessageLoop();

// Dispatches every message already waiting, without waiting for more. A quit
// request met on the way is put back for the main loop.
void processWaitingMessages();

}  // namespace pellith
