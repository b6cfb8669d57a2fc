// A print command runs its whole job inside the handler: the print dialog,
// the optional file dialog, then the pages, one after another, with the
// progress window showing and the program's other windows disabled. Between
// pages the messages are pumped, so the window repaints and "中止打印" is
// heard; pressing it abandons the job. A job that fails partway is abandoned
// too, never reported as printed. When the editor window goes away while a
// job runs, the job is ended and nothing touches the gone component again.
#include "forms/printer_component.h"

#include <cderr.h>
#include <commdlg.h>
#include <winspool.h>

#include <unordered_map>

#include "core/file_dialog_text.h"
#include "core/path_split.h"
#include "core/print_layout.h"
#include "forms/dialog_template.h"
#include "forms/form_window.h"
#include "forms/program_windows_disabled.h"

namespace pellith::forms {

namespace {
constexpr const char* jobName = "未命名打印作业";
constexpr int jobNameId = 201;
constexpr int destinationId = 202;
constexpr int copiesPrintedId = 203;
constexpr int pageNumberId = 204;
constexpr double millimetresPerInch = 25.4;
constexpr double marginMillimetres = 20.0;

struct DeviceContextTraits {
  static void release(HDC dc) { DeleteDC(dc); }
};
using PrinterDevice = OwnedHandle<HDC, DeviceContextTraits>;

struct PrinterTraits {
  static void release(HANDLE printer) { ClosePrinter(printer); }
};
using PrinterHandle = OwnedHandle<HANDLE, PrinterTraits>;

// Locked global memory for as long as it lives.
template <typename Type>
class Locked {
 public:
  explicit Locked(HGLOBAL memory) : memory_(memory), data_(memory ? static_cast<Type*>(GlobalLock(memory)) : nullptr) {}
  ~Locked() {
    if (data_) GlobalUnlock(memory_);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  Type* operator->() const { return data_; }
  Type* get() const { return data_; }

 private:
  HGLOBAL memory_;
  Type* data_;
};

std::string namePart(const DEVNAMES* names, WORD offset) {
  return offset ? reinterpret_cast<const char*>(names) + offset : "";
}

// Asks where the output of a print-to-file job goes; empty when cancelled.
std::string askForOutputFile(HWND owner) {
  char name[MAX_PATH] = "Output.prn";
  const std::string types = fileTypeList("打印输出文件 (*.prn)|*.prn|所有文件 (*.*)|*.*||");
  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFile = name;
  request.nMaxFile = MAX_PATH;
  request.lpstrTitle = "打印到文件";
  request.lpstrFilter = types.c_str();
  request.nFilterIndex = 1;
  request.lpstrDefExt = "prn";
  request.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLESIZING;
  return GetSaveFileNameA(&request) ? std::string(name) : std::string();
}

INT_PTR CALLBACK progressProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    *reinterpret_cast<bool*>(GetWindowLongPtrA(dialog, DWLP_USER)) = true;
    EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
    return TRUE;
  }
  return FALSE;
}

// The character height the screen gives a font that leaves it to the font
// system (height 0); the printer needs it explicitly, or its text comes out
// at the printer's own default size.
int shownCharacterHeight(const LOGFONTA& font) {
  ScreenDeviceContext screen;
  FontHandle shown(CreateFontIndirectA(&font));
  if (!screen.get() || !shown) return 0;
  SelectedObject selected(screen.get(), shown.get());
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen.get(), &metrics);
  return -(metrics.tmHeight - metrics.tmInternalLeading);
}

HWND createProgressWindow(bool* abortRequested) {
  DialogTemplate layout(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION, 244, 114, "正在进行打印，请稍候 ......", 9,
                        dialogFaceName());
  layout.add(SS_LEFT, 5, 9, 88, 8, 0xFFFF, staticClass, "打印作业名：");
  layout.add(SS_LEFT | SS_NOPREFIX, 100, 9, 139, 8, jobNameId, staticClass, "");
  layout.add(SS_LEFT, 5, 22, 88, 8, 0xFFFF, staticClass, "打印目的：");
  layout.add(SS_CENTER | SS_NOPREFIX, 5, 35, 234, 8, destinationId, staticClass, "");
  layout.add(SS_ETCHEDHORZ, 5, 52, 234, 1, 0xFFFF, staticClass, "");
  layout.add(SS_LEFT, 5, 60, 88, 8, 0xFFFF, staticClass, "已打印份数：");
  layout.add(SS_LEFT, 100, 60, 139, 8, copiesPrintedId, staticClass, "");
  layout.add(SS_LEFT, 5, 74, 88, 8, 0xFFFF, staticClass, "当前页号：");
  layout.add(SS_LEFT, 100, 74, 139, 8, pageNumberId, staticClass, "");
  layout.add(BS_PUSHBUTTON | WS_TABSTOP, 75, 91, 55, 16, IDCANCEL, buttonClass, "中止打印");
  return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), layout.get(), nullptr, progressProcedure,
                                    reinterpret_cast<LPARAM>(abortRequested));
}
}  // namespace

// One running job: the device, the progress window and the disabled windows.
class PrintJob {
 public:
  PrintJob(PrinterComponent& component, HDC device) : component_(&component), device_(device) {
    component.activeJob_ = this;
  }
  ~PrintJob() {
    if (component_) component_->activeJob_ = nullptr;
  }
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  void componentGone() { component_ = nullptr; }

  bool run(const PrintContent& content, const std::string& destination, const std::string& outputFile) {
    WindowHandle progress(createProgressWindow(&abortRequested_));
    if (!progress) return false;
    SetDlgItemTextA(progress.get(), jobNameId, jobName);
    SetDlgItemTextA(progress.get(), destinationId, destination.c_str());
    SetDlgItemTextA(progress.get(), copiesPrintedId, "1");
    SetDlgItemTextA(progress.get(), pageNumberId, "1");
    ShowWindow(progress.get(), SW_SHOWNORMAL);
    ProgramWindowsDisabled disabled(progress.get());
    pumpMessages(progress.get());

    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = jobName;
    document.lpszOutput = outputFile.empty() ? nullptr : outputFile.c_str();
    if (StartDocA(device_, &document) <= 0) return false;

    const std::vector<PrintPage> pages = layOut(content);
    // The device's own font comes back before the job ends.
    SelectedObject selectedFont(device_, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEVICE_DEFAULT_FONT));
    for (std::size_t page = 0; page < pages.size(); ++page) {
      SetDlgItemTextA(progress.get(), pageNumberId, std::to_string(page + 1).c_str());
      pumpMessages(progress.get());
      if (!component_) break;  // the window went away: end the job with what it has
      if (abortRequested_) {
        AbortDoc(device_);
        return false;
      }
      if (StartPage(device_) <= 0 || !draw(pages[page]) || EndPage(device_) <= 0) {
        AbortDoc(device_);
        failed_ = true;
        return false;
      }
    }
    if (EndDoc(device_) <= 0) {
      failed_ = true;
      return false;
    }
    return component_ != nullptr;
  }

  bool failed() const { return failed_; }

 private:
  void pumpMessages(HWND progress) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        abortRequested_ = true;
        return;
      }
      if (IsDialogMessageW(progress, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  std::vector<PrintPage> layOut(const PrintContent& content) {
    const int dotsPerInchX = GetDeviceCaps(device_, LOGPIXELSX);
    const int dotsPerInchY = GetDeviceCaps(device_, LOGPIXELSY);
    const int physicalWidth = GetDeviceCaps(device_, PHYSICALWIDTH);
    const int physicalHeight = GetDeviceCaps(device_, PHYSICALHEIGHT);
    const int offsetX = GetDeviceCaps(device_, PHYSICALOFFSETX);
    const int offsetY = GetDeviceCaps(device_, PHYSICALOFFSETY);
    const int printableWidth = GetDeviceCaps(device_, HORZRES);
    const int printableHeight = GetDeviceCaps(device_, VERTRES);
    const int marginX = static_cast<int>(marginMillimetres * dotsPerInchX / millimetresPerInch);
    const int marginY = static_cast<int>(marginMillimetres * dotsPerInchY / millimetresPerInch);
    // The text area in the device's coordinates, whose origin is the printable area's corner.
    left_ = std::max(marginX, offsetX) - offsetX;
    top_ = std::max(marginY, offsetY) - offsetY;
    const int right = std::min(physicalWidth - marginX, offsetX + printableWidth) - offsetX;
    const int bottom = std::min(physicalHeight - marginY, offsetY + printableHeight) - offsetY;

    LOGFONTA font = content.font;
    if (font.lfHeight == 0) font.lfHeight = shownCharacterHeight(font);
    const int screenDotsPerInchY = screenDotsPerInch();
    font.lfHeight = MulDiv(font.lfHeight, dotsPerInchY, screenDotsPerInchY);
    font.lfWidth = MulDiv(font.lfWidth, dotsPerInchY, screenDotsPerInchY);
    font_.reset(CreateFontIndirectA(&font));
    SelectedObject measuringFont(device_, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEVICE_DEFAULT_FONT));
    SetTextColor(device_, content.colour == systemDefaultColour ? RGB(0, 0, 0) : content.colour);
    SetBkMode(device_, TRANSPARENT);
    TEXTMETRICA metrics{};
    GetTextMetricsA(device_, &metrics);
    rowHeight_ = std::max<int>(metrics.tmHeight + metrics.tmExternalLeading, 1);

    std::unordered_map<std::string, int> widths;
    const CharacterWidth widthOf = [&](std::string_view character) {
      auto [entry, added] = widths.try_emplace(std::string(character), 0);
      if (added) {
        SIZE size{};
        GetTextExtentPoint32A(device_, character.data(), static_cast<int>(character.size()), &size);
        entry->second = size.cx;
      }
      return entry->second;
    };
    return layOutPages(content.text, widthOf, std::max(right - left_, 1), std::max((bottom - top_) / rowHeight_, 1));
  }


  bool draw(const PrintPage& page) {
    // A new page starts with the device's defaults again.
    SelectObject(device_, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEVICE_DEFAULT_FONT));
    SetBkMode(device_, TRANSPARENT);
    int y = top_;
    for (const std::string& row : page.rows) {
      if (!row.empty() && !TextOutA(device_, left_, y, row.data(), static_cast<int>(row.size()))) return false;
      y += rowHeight_;
    }
    return true;
  }

  PrinterComponent* component_;
  HDC device_;
  FontHandle font_;
  int left_ = 0;
  int top_ = 0;
  int rowHeight_ = 1;
  bool abortRequested_ = false;
  bool failed_ = false;
};

PrinterComponent::~PrinterComponent() {
  if (activeJob_) activeJob_->componentGone();
}

void PrinterComponent::remindPortrait() {
  Locked<DEVNAMES> names(deviceNames_.get());
  Locked<DEVMODEA> mode(deviceMode_.get());
  if (!names.get() || !mode.get()) return;
  std::string device = namePart(names.get(), names->wDeviceOffset);
  HANDLE opened = nullptr;
  if (!OpenPrinterA(device.data(), &opened, nullptr)) return;
  PrinterHandle printer(opened);
  mode->dmOrientation = DMORIENT_PORTRAIT;
  mode->dmFields |= DM_ORIENTATION;
  mode->dmCopies = static_cast<short>(std::max(copies, 1));
  mode->dmCollate = collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
  mode->dmFields |= DM_COPIES | DM_COLLATE;
  DocumentPropertiesA(owner().handle(), printer.get(), device.data(), mode.get(), mode.get(),
                      DM_IN_BUFFER | DM_OUT_BUFFER);
}

bool PrinterComponent::askForPrinter(PRINTDLGA& request) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (deviceMode_) remindPortrait();
    request = PRINTDLGA{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner().handle();
    request.Flags = PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    request.hDevMode = deviceMode_.get();
    request.hDevNames = deviceNames_.get();
    request.nCopies = static_cast<WORD>(std::max(copies, 1));
    if (collate) request.Flags |= PD_COLLATE;
    const BOOL confirmed = PrintDlgA(&request);
    // The dialog may have replaced the memory it was given.
    if (request.hDevMode != deviceMode_.get()) {
      deviceMode_.release();
      deviceMode_.reset(request.hDevMode);
    }
    if (request.hDevNames != deviceNames_.get()) {
      deviceNames_.release();
      deviceNames_.reset(request.hDevNames);
    }
    if (confirmed) return true;
    const DWORD error = CommDlgExtendedError();
    if (error != PDERR_PRINTERNOTFOUND && error != PDERR_DEFAULTDIFFERENT) return false;
    deviceMode_.reset();  // the remembered printer is gone: start from the default one
    deviceNames_.reset();
  }
  return false;
}

bool PrinterComponent::startPrint(const PrintContent& content) {
  if (activeJob_) return false;
  PRINTDLGA request{};
  if (!askForPrinter(request)) return false;

  std::string driver, device, port;
  {
    Locked<DEVNAMES> names(deviceNames_.get());
    if (!names.get()) return false;
    driver = namePart(names.get(), names->wDriverOffset);
    device = namePart(names.get(), names->wDeviceOffset);
    port = namePart(names.get(), names->wOutputOffset);
  }
  PrinterDevice printerDevice;
  {
    Locked<DEVMODEA> mode(deviceMode_.get());
    printerDevice.reset(CreateDCA(driver.c_str(), device.c_str(), nullptr, mode.get()));
    if (mode.get()) {
      copies = std::max<int>(mode->dmCopies, 1);
      collate = mode->dmCollate == DMCOLLATE_TRUE;
    }
  }
  if (!printerDevice) return false;

  std::string outputFile;
  if (request.Flags & PD_PRINTTOFILE) {
    outputFile = askForOutputFile(owner().handle());
    if (outputFile.empty()) return false;
  }
  const std::string destination =
      outputFile.empty() ? device + " 上的 " + port : splitPath(outputFile).fileName;

  PrintJob job(*this, printerDevice.get());
  // The editor window may be gone when this returns: nothing of this object is touched after.
  return job.run(content, destination, outputFile);
}

}  // namespace pellith::forms
