// The printer component: remembers the printer and its settings between
// print commands and prints a document through the system print dialog.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "forms/common_dialog.h"

namespace pellith::forms {

// What is printed: the text with the look it has on screen.
struct PrintContent {
  std::string text;
  LOGFONTA font;  // as made for the screen
  Colour colour;
};

struct GlobalMemoryTraits {
  static void release(HGLOBAL memory) { GlobalFree(memory); }
};
using GlobalMemory = OwnedHandle<HGLOBAL, GlobalMemoryTraits>;

class PrintJob;

class PrinterComponent final : public Component {
 public:
  using Component::Component;
  ~PrinterComponent() override;

  int copies = 1;
  bool collate = false;

  // Asks for the printer (and, for print-to-file, the output file), then
  // prints every page of the content while a progress window shows. True
  // when the job was handed over whole; false when nothing was started, the
  // user stopped it or it failed (then it is abandoned).
  bool startPrint(const PrintContent& content);

 private:
  bool askForPrinter(PRINTDLGA& request);
  void remindPortrait();

  GlobalMemory deviceMode_;   // the remembered printer's settings
  GlobalMemory deviceNames_;  // and its driver, device and port
  PrintJob* activeJob_ = nullptr;
  friend class PrintJob;
};

}  // namespace pellith::forms
