// Process entry: the whole run is programMain followed by the end of the program.
#include <windows.h>

#include "app/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  pellith::programMain();
  return pellith::endProgram();
}
