// From process start to the end: see programMain and endProgram. The forms
// are tables compiled into the program; they are checked once at start so
// that a broken table stops the program before any window is made.
#include "app/program.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/message_loop.h"
#include "app/run_directory.h"
#include "app/window_lifecycle.h"
#include "editor/find.h"
#include "forms/editor_form.h"
#include "forms/form_check.h"
#include "forms/form_registry.h"
#include "forms/shell_state.h"
#include "forms/startup_form.h"

namespace pellith {

namespace {
std::vector<ExitRoutine>& exitRoutines() {
  static std::vector<ExitRoutine> routines;
  return routines;
}
}  // namespace

void registerExitRoutine(ExitRoutine routine) {
  auto& routines = exitRoutines();
  if (std::find(routines.begin(), routines.end(), routine) == routines.end()) routines.push_back(routine);
}

void initializeProgram() {
  fixRunDirectory();
  // "D:" alone would mean the drive's last folder, not its root.
  std::string currentDirectory = runDirectory();
  if (currentDirectory.size() == 2 && currentDirectory[1] == ':') currentDirectory += '\\';
  SetCurrentDirectoryA(currentDirectory.c_str());
  for (const forms::Form* form : {&forms::StartupWindow, &forms::EditorWindow}) {
    const std::string problem = forms::checkForm(*form);
    if (!problem.empty()) fatalError(problem.c_str());
  }
}

int programMain() {
  initializeProgram();
  registerExitRoutine(releaseSearchText);
  if (!loadWindow(forms::StartupWindow)) fatalError("无法创建启动窗口。");
  runMessageLoop();
  return 0;
}

int endProgram() {
  ++forms::shellState().eventHold;
  forms::releaseForms();
  // Moved out first: a second pass through the end finds nothing to run.
  const std::vector<ExitRoutine> routines = std::move(exitRoutines());
  exitRoutines().clear();
  for (ExitRoutine routine : routines) routine();
  return forms::shellState().quitCode;
}

void fatalError(const char* reason) {
  const std::string text = std::string("Pellith记事本无法启动：\n") + reason;
  MessageBoxA(nullptr, text.c_str(), "Pellith记事本", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ExitProcess(static_cast<UINT>(-1));
}

}  // namespace pellith
