// The life of the process: start, the exit routines and the end.
#pragma once

namespace pellith {

using ExitRoutine = void (*)();

// The program's main routine: initialises, loads the start-up window and
// runs the message loop. Always returns 0; the exit code is the quit code.
int programMain();

// Fixes the run directory, makes it the current directory and checks the forms.
void initializeProgram();

// Adds a routine to run once when the program ends, unless it is listed already.
void registerExitRoutine(ExitRoutine routine);

// Runs after programMain: holds events, releases the forms, runs the exit
// routines once each. Returns the process exit code.
int endProgram();

// Shows the fatal error and ends the process with exit code -1, without exit routines.
[[noreturn]] void fatalError(const char* reason);

}  // namespace pellith
