// Loading, showing and destroying windows, and the end of the program.
#include <string>
#include <vector>

#include "app/program.h"
#include "app/run_directory.h"
#include "app/window_lifecycle.h"
#include "tests/unit/form_test_support.h"

namespace pellith::testing {
namespace {

using Log = std::vector<std::string>;

class Lifecycle : public FormTest {};

TEST_F(Lifecycle, CreatedRunsFirstThenPositionAndSizeThenTheWindowShows) {
  ASSERT_TRUE(loadWindow(ToolWindow));
  // Messages sent while the controls were made raised nothing.
  EXPECT_EQ(eventLog(), (Log{"created", "moved", "resized"}));
  EXPECT_FALSE(toolWindowVisibleWhenCreated);
  const HWND handle = forms::window(ToolWindow).handle();
  EXPECT_TRUE(IsWindowVisible(handle));
  RECT outer;
  GetWindowRect(handle, &outer);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 300) / 2);
  EXPECT_EQ(outer.right - outer.left, 400);
  EXPECT_EQ(outer.bottom - outer.top, 300);
}

TEST_F(Lifecycle, AnInvisibleFormIsNeverShown) {
  ASSERT_TRUE(loadWindow(QuietWindow));
  EXPECT_FALSE(IsWindowVisible(forms::window(QuietWindow).handle()));
  EXPECT_EQ(eventLog(), Log{"quiet created"});
}

TEST_F(Lifecycle, LoadingAnOpenFormActivatesItWithoutASecondWindow) {
  ASSERT_TRUE(loadWindow(ToolWindow));
  const HWND first = forms::window(ToolWindow).handle();
  ShowWindow(first, SW_MINIMIZE);
  eventLog().clear();
  ASSERT_TRUE(loadWindow(ToolWindow));
  EXPECT_EQ(forms::window(ToolWindow).handle(), first);
  EXPECT_FALSE(IsIconic(first));
  EXPECT_EQ(forms::loadedWindows().size(), 1u);
  for (const std::string& event : eventLog()) EXPECT_NE(event, "created");
}

TEST_F(Lifecycle, DeferredDestructionWaitsForTheMessageLoop) {
  ASSERT_TRUE(loadWindow(QuietWindow));
  destroyWindow(QuietWindow);
  EXPECT_NE(forms::loadedWindow(QuietWindow), nullptr);
  EXPECT_TRUE(forms::window(QuietWindow).destroyPending);
  processWaitingMessages();
  EXPECT_EQ(forms::loadedWindow(QuietWindow), nullptr);
  // The destroying handler asked again; that request found no window and did nothing.
  processWaitingMessages();
  EXPECT_EQ(eventLog(), (Log{"quiet created", "quiet destroying"}));
}

TEST_F(Lifecycle, LoadingAFormWithAPendingDestroyCarriesItOutFirst) {
  ASSERT_TRUE(loadWindow(QuietWindow));
  const HWND first = forms::window(QuietWindow).handle();
  destroyWindow(QuietWindow);
  ASSERT_TRUE(loadWindow(QuietWindow));
  EXPECT_FALSE(IsWindow(first));
  EXPECT_NE(forms::window(QuietWindow).handle(), first);
  EXPECT_EQ(eventLog(), (Log{"quiet created", "quiet destroying", "quiet created"}));
}

TEST_F(Lifecycle, TheCloseBoxDestroysAtOnce) {
  ASSERT_TRUE(loadWindow(ToolWindow));
  SendMessageA(forms::window(ToolWindow).handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(forms::loadedWindow(ToolWindow), nullptr);
  EXPECT_EQ(eventLog().back(), "destroying");
}

TEST_F(Lifecycle, TheLastWindowGoneEndsTheLoopWithCodeZero) {
  forms::shellState().loopStarted = true;
  ASSERT_TRUE(loadWindow(QuietWindow));
  ASSERT_TRUE(loadWindow(ToolWindow));
  destroyWindow(QuietWindow, true);
  MSG message;
  EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  destroyWindow(ToolWindow, true);
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 0u);
}

TEST_F(Lifecycle, AModalLoadDisablesTheOthersUntilItIsGone) {
  ASSERT_TRUE(loadWindow(ToolWindow));
  const HWND tool = forms::window(ToolWindow).handle();
  ASSERT_TRUE(loadWindow(DialogLikeWindow, nullptr, true));
  EXPECT_FALSE(IsWindowEnabled(tool));
  destroyWindow(DialogLikeWindow);
  processWaitingMessages();
  EXPECT_TRUE(IsWindowEnabled(tool));
}

TEST_F(Lifecycle, AnOwnerThatIsNotLoadedFailsTheLoad) {
  EXPECT_FALSE(loadWindow(DialogLikeWindow, &QuietWindow));
  EXPECT_EQ(forms::loadedWindow(DialogLikeWindow), nullptr);
  ASSERT_TRUE(loadWindow(QuietWindow));
  ASSERT_TRUE(loadWindow(DialogLikeWindow, &QuietWindow));
  EXPECT_EQ(GetWindow(forms::window(DialogLikeWindow).handle(), GW_OWNER), forms::window(QuietWindow).handle());
}

int exitRoutineRuns = 0;
void countingExitRoutine() { ++exitRoutineRuns; }

TEST_F(Lifecycle, EndOfProgramRunsEachExitRoutineOnceAndHoldsEvents) {
  ASSERT_TRUE(loadWindow(ToolWindow));
  registerExitRoutine(countingExitRoutine);
  registerExitRoutine(countingExitRoutine);
  eventLog().clear();
  EXPECT_EQ(endProgram(), 0);
  EXPECT_EQ(exitRoutineRuns, 1);
  EXPECT_EQ(forms::loadedWindow(ToolWindow), nullptr);
  EXPECT_TRUE(eventLog().empty());  // no destroying handler once the end has begun
  endProgram();
  EXPECT_EQ(exitRoutineRuns, 1);
}

TEST_F(Lifecycle, InitializationMakesTheRunDirectoryCurrent) {
  initializeProgram();
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string expected(path);
  expected.resize(expected.rfind('\\'));
  EXPECT_EQ(runDirectory(), expected);
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_STRCASEEQ(current, expected.c_str());
}

}  // namespace
}  // namespace pellith::testing
