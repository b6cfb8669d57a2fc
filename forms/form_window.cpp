// One window class serves every form; the window procedure finds its form
// through the pointer bound at WM_NCCREATE. Events are raised from the
// messages that cause them. A handler may destroy the window it was called
// for, so nothing touches the object after an event has been raised.
#include "forms/form_window.h"

#include <algorithm>
#include <stdexcept>

#include "core/keyboard_rules.h"
#include "core/window_geometry.h"
#include "forms/form_registry.h"
#include "forms/shell_state.h"

namespace pellith::forms {

namespace {
constexpr const char* windowClassName = "PellithForm";
constexpr int programIconId = 1;

void registerWindowClass(WNDPROC procedure) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  if (GetClassInfoExA(instance, windowClassName, &existing)) return;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(programIconId));
  windowClass.hIconSm = windowClass.hIcon;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  windowClass.lpszClassName = windowClassName;
  RegisterClassExA(&windowClass);
}

bool isResizable(Border border) {
  return border == Border::resizable || border == Border::toolResizable || border == Border::sunkenResizable;
}

DWORD windowStyle(const WindowSettings& settings, bool owned) {
  DWORD style = WS_CLIPCHILDREN;
  if (settings.border == Border::none) {
    style |= WS_POPUP;
  } else {
    style |= WS_DLGFRAME;
    if ((settings.caption && *settings.caption) || settings.controlBox) style |= WS_CAPTION;
    if (isResizable(settings.border)) style |= WS_THICKFRAME;
    if (owned) style |= WS_POPUP;
  }
  if (settings.controlBox) style |= WS_SYSMENU;
  if (settings.minButton) style |= WS_MINIMIZEBOX;
  if (settings.maxButton) style |= WS_MAXIMIZEBOX;
  if (!settings.enabled) style |= WS_DISABLED;
  return style;
}

DWORD windowExtendedStyle(const WindowSettings& settings) {
  DWORD style = 0;
  if (settings.border == Border::toolResizable || settings.border == Border::toolFixed) style |= WS_EX_TOOLWINDOW;
  if (settings.border == Border::sunkenResizable || settings.border == Border::sunkenFixed) style |= WS_EX_CLIENTEDGE;
  if (settings.topMost) style |= WS_EX_TOPMOST;
  return style;
}

std::unique_ptr<Control> makeControl(FormWindow& owner, const FormControl& definition, int id) {
  switch (definition.kind) {
    case ControlKind::editBox: return std::make_unique<EditBox>(owner, definition, id);
    case ControlKind::button: return std::make_unique<Button>(owner, definition, id);
    case ControlKind::label: return std::make_unique<Label>(owner, definition, id);
    case ControlKind::commonDialog: return std::make_unique<CommonDialog>(owner, definition, id);
    case ControlKind::printer: return std::make_unique<PrinterComponent>(owner, definition, id);
  }
  return nullptr;
}

bool hasStyle(HWND window, DWORD style) { return (GetWindowLongPtrA(window, GWL_STYLE) & style) == style; }

template <typename Kind>
Kind& controlOfKind(FormWindow& window, std::string_view name) {
  return dynamic_cast<Kind&>(window.control(name));
}
}  // namespace

UINT destroyRequestMessage() {
  static const UINT message = RegisterWindowMessageA("PellithDestroyRequest");
  return message;
}

FormWindow::FormWindow(const Form& form) : form_(form) {
  for (const FormMenuItem& item : form.menu) menuItems_.emplace_back(item);
}

FormWindow::~FormWindow() = default;

bool FormWindow::create(HWND owner) {
  registerWindowClass(&FormWindow::windowProcedure);
  const WindowSettings& settings = form_.window;
  int x = settings.bounds.left;
  int y = settings.bounds.top;
  if (settings.startPosition == StartPosition::centred) {
    x = centredOrigin(GetSystemMetrics(SM_CXSCREEN), settings.bounds.width);
    y = centredOrigin(GetSystemMetrics(SM_CYSCREEN), settings.bounds.height);
  }
  const HWND created = CreateWindowExA(windowExtendedStyle(settings), windowClassName, settings.caption,
                                       windowStyle(settings, owner != nullptr), x, y, settings.bounds.width,
                                       settings.bounds.height, owner, nullptr, GetModuleHandleA(nullptr), this);
  if (!created) return false;
  RECT outer;
  GetWindowRect(handle_, &outer);
  if (outer.right - outer.left != settings.bounds.width || outer.bottom - outer.top != settings.bounds.height)
    SetWindowPos(handle_, nullptr, 0, 0, settings.bounds.width, settings.bounds.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (!settings.movable) DeleteMenu(GetSystemMenu(handle_, FALSE), SC_MOVE, MF_BYCOMMAND);
  rebuildMenu();

  HWND previous = nullptr;
  for (std::size_t index = 0; index < form_.controls.size(); ++index) {
    auto control = makeControl(*this, form_.controls[index], controlIdBase + static_cast<int>(index));
    if (!control || !control->create(handle_, previous)) return false;
    if (control->handle()) previous = control->handle();
    controls_.push_back(std::move(control));
  }
  for (const auto& control : controls_)
    if (control->handle() && control->visible()) ShowWindow(control->handle(), SW_SHOWNA);
  return true;
}

std::string FormWindow::caption() const {
  const int length = GetWindowTextLengthA(handle_);
  std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
  const int copied = GetWindowTextA(handle_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

void FormWindow::setCaption(std::string_view caption) { SetWindowTextA(handle_, std::string(caption).c_str()); }

int FormWindow::left() const {
  RECT outer;
  GetWindowRect(handle_, &outer);
  return outer.left;
}

int FormWindow::top() const {
  RECT outer;
  GetWindowRect(handle_, &outer);
  return outer.top;
}

int FormWindow::width() const {
  RECT outer;
  GetWindowRect(handle_, &outer);
  return outer.right - outer.left;
}

int FormWindow::height() const {
  RECT outer;
  GetWindowRect(handle_, &outer);
  return outer.bottom - outer.top;
}

void FormWindow::setWidth(int width) {
  SetWindowPos(handle_, nullptr, 0, 0, clampDimension(width), height(),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void FormWindow::setHeight(int height) {
  SetWindowPos(handle_, nullptr, 0, 0, width(), clampDimension(height),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

int FormWindow::clientWidth() const {
  RECT client{};
  GetClientRect(handle_, &client);
  return client.right - client.left;
}

int FormWindow::clientHeight() const {
  RECT client{};
  GetClientRect(handle_, &client);
  return client.bottom - client.top;
}

Control& FormWindow::control(std::string_view name) {
  for (const auto& control : controls_)
    if (name == control->name()) return *control;
  // The handlers only name controls of their own forms; the form check at start guarantees them.
  throw std::logic_error("no control of that name in the form");
}

EditBox& FormWindow::editBox(std::string_view name) { return controlOfKind<EditBox>(*this, name); }
Button& FormWindow::button(std::string_view name) { return controlOfKind<Button>(*this, name); }
Label& FormWindow::label(std::string_view name) { return controlOfKind<Label>(*this, name); }
CommonDialog& FormWindow::commonDialog(std::string_view name) { return controlOfKind<CommonDialog>(*this, name); }
PrinterComponent& FormWindow::printer(std::string_view name) { return controlOfKind<PrinterComponent>(*this, name); }

Control* FormWindow::controlFromHandle(HWND child) const {
  for (const auto& control : controls_)
    if (child && control->handle() == child) return control.get();
  return nullptr;
}

MenuItem& FormWindow::menuItemNamed(std::string_view name) {
  for (MenuItem& item : menuItems_)
    if (item.definition.name && name == item.definition.name) return item;
  throw std::logic_error("no menu item of that name in the form");
}

const MenuItem& FormWindow::menuItem(std::string_view name) const {
  return const_cast<FormWindow*>(this)->menuItemNamed(name);
}

void FormWindow::setMenuChecked(std::string_view name, bool checked) {
  menuItemNamed(name).checked = checked;
  rebuildMenu();
}

void FormWindow::setMenuEnabled(std::string_view name, bool enabled) {
  menuItemNamed(name).enabled = enabled;
  rebuildMenu();
}

void FormWindow::setMenuVisible(std::string_view name, bool visible) {
  menuItemNamed(name).visible = visible;
  rebuildMenu();
}

void FormWindow::setMenuCaption(std::string_view name, std::string caption) {
  menuItemNamed(name).caption = std::move(caption);
  rebuildMenu();
}

void FormWindow::rebuildMenu() {
  BuiltMenu rebuilt = buildMenu(menuItems_);
  if (handle_) {
    SetMenu(handle_, rebuilt.bar.get());
    DrawMenuBar(handle_);
  }
  menu_ = std::move(rebuilt);  // the previous bar is detached now and can go
}

std::vector<Control*> FormWindow::tabOrder() const {
  std::vector<TabCandidate> candidates;
  for (const auto& control : controls_) {
    const HWND child = control->handle();
    const bool eligible = child && control->tabStop() && hasStyle(child, WS_VISIBLE) && IsWindowEnabled(child);
    candidates.push_back({control->tabIndex(), eligible});
  }
  std::vector<Control*> order;
  for (std::size_t index : pellith::tabOrder(candidates)) order.push_back(controls_[index].get());
  return order;
}

void FormWindow::moveFocus(bool backwards) {
  const std::vector<Control*> order = tabOrder();
  if (order.empty()) return;
  std::vector<std::size_t> positions(order.size());
  for (std::size_t index = 0; index < order.size(); ++index) positions[index] = index;
  const auto focused = std::find_if(order.begin(), order.end(),
                                    [](Control* control) { return control->handle() == GetFocus(); });
  const std::size_t current = focused == order.end() ? order.size() : static_cast<std::size_t>(focused - order.begin());
  Control* next = order[nextInTabOrder(positions, current, backwards)];
  if (next->handle() != GetFocus()) next->setFocus();
  lastFocus_ = next->handle();
}

void FormWindow::restoreFocus() {
  if (lastFocus_ && IsWindow(lastFocus_) && controlFromHandle(lastFocus_) && IsWindowEnabled(lastFocus_) &&
      hasStyle(lastFocus_, WS_VISIBLE)) {
    SetFocus(lastFocus_);
    return;
  }
  const std::vector<Control*> order = tabOrder();
  if (order.empty()) return;
  order.front()->setFocus();
  lastFocus_ = order.front()->handle();
}

void FormWindow::keyboardFocusLeaving() {
  const HWND focused = GetFocus();
  if (focused && controlFromHandle(focused)) lastFocus_ = focused;
}

void FormWindow::notePlacement() {
  RECT client{};
  GetClientRect(handle_, &client);
  POINT origin{0, 0};
  ClientToScreen(handle_, &origin);
  placement_.sizeKind = IsIconic(handle_) ? SIZE_MINIMIZED : IsZoomed(handle_) ? SIZE_MAXIMIZED : SIZE_RESTORED;
  placement_.clientWidth = client.right;
  placement_.clientHeight = client.bottom;
  placement_.clientLeft = origin.x;
  placement_.clientTop = origin.y;
}

void FormWindow::controlReplaced(HWND old, HWND fresh) {
  if (lastFocus_ == old) lastFocus_ = fresh;
}

LRESULT CALLBACK FormWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    const Form& form = self->form_;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
    self->handle_ = nullptr;
    windowGone(form);
    return result;
  }
  return self->handleMessage(message, wParam, lParam);
}

LRESULT FormWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = handle_;
  if (message == destroyRequestMessage()) {
    if (!destroyPending) return 0;
    destroyPending = false;
    DestroyWindow(window);
    return 0;
  }
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0) {
        if (const auto index = menuItemForCommand(LOWORD(wParam), menuItems_.size()))
          raiseEvent(menuItems_[*index].definition.selected);
      } else if (Control* control = controlFromHandle(reinterpret_cast<HWND>(lParam))) {
        control->notify(HIWORD(wParam));
      }
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (Control* control = controlFromHandle(reinterpret_cast<HWND>(lParam)))
        if (HBRUSH brush = control->paintColours(reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<LRESULT>(brush);
      break;
    case WM_ERASEBKGND:
      if (form_.window.backColour != systemDefaultColour) {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brushFor(form_.window.backColour, backBrush_));
        return 1;
      }
      break;
    case WM_SIZE: {
      if (beingDestroyed_) return 0;  // taking the menu bar away resizes the client area
      const int width = LOWORD(lParam);
      const int height = HIWORD(lParam);
      if (wParam == placement_.sizeKind && width == placement_.clientWidth && height == placement_.clientHeight)
        return 0;
      placement_.sizeKind = wParam;
      placement_.clientWidth = width;
      placement_.clientHeight = height;
      raiseEvent(form_.events.sizeChanged);
      return 0;
    }
    case WM_MOVE: {
      if (beingDestroyed_) return 0;
      const int x = static_cast<short>(LOWORD(lParam));
      const int y = static_cast<short>(HIWORD(lParam));
      if (x == placement_.clientLeft && y == placement_.clientTop) return 0;
      placement_.clientLeft = x;
      placement_.clientTop = y;
      raiseEvent(form_.events.positionChanged);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        keyboardFocusLeaving();
      } else if (!HIWORD(wParam)) {
        restoreFocus();
      }
      return 0;
    case WM_SETFOCUS:
      restoreFocus();
      return 0;
    case WM_CLOSE: {
      const WindowEvents& events = form_.events;
      const bool held = shellState().eventHold > 0;
      if (!held && events.mayClose && !events.mayClose()) return 0;
      if (!held && events.mayCloseConfirmed && !events.mayCloseConfirmed()) return 0;
      DestroyWindow(window);
      return 0;
    }
    case WM_DESTROY:
      beingDestroyed_ = true;
      raiseEvent(form_.events.destroying);
      for (HWND disabled : disabledByModalLoad)
        if (IsWindow(disabled)) EnableWindow(disabled, TRUE);
      disabledByModalLoad.clear();
      SetMenu(window, nullptr);
      menu_.bar.reset();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace pellith::forms
