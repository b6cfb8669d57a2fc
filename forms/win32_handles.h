// Owners for Win32 resources: each frees its handle once, when it goes.
#pragma once
#include <windows.h>

#include <utility>

namespace pellith::forms {

template <typename Handle, typename Traits>
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(Handle handle) : handle_(handle) {}
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Handle{}));
    return *this;
  }
  ~OwnedHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  void reset(Handle handle = Handle{}) {
    if (handle_ != Handle{}) Traits::release(handle_);
    handle_ = handle;
  }
  Handle release() { return std::exchange(handle_, Handle{}); }

 private:
  Handle handle_{};
};

struct GdiObjectTraits {
  static void release(HGDIOBJ object) { DeleteObject(object); }
};
struct MenuTraits {
  static void release(HMENU menu) { DestroyMenu(menu); }
};
struct AcceleratorTraits {
  static void release(HACCEL table) { DestroyAcceleratorTable(table); }
};
struct TopLevelWindowTraits {
  static void release(HWND window) { DestroyWindow(window); }
};

using FontHandle = OwnedHandle<HFONT, GdiObjectTraits>;
using BrushHandle = OwnedHandle<HBRUSH, GdiObjectTraits>;
using MenuHandle = OwnedHandle<HMENU, MenuTraits>;
using AcceleratorHandle = OwnedHandle<HACCEL, AcceleratorTraits>;
using WindowHandle = OwnedHandle<HWND, TopLevelWindowTraits>;

}  // namespace pellith::forms

namespace pellith::forms {

// The screen's device context for as long as it lives.
class ScreenDeviceContext {
 public:
  ScreenDeviceContext() : dc_(GetDC(nullptr)) {}
  ~ScreenDeviceContext() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenDeviceContext(const ScreenDeviceContext&) = delete;
  ScreenDeviceContext& operator=(const ScreenDeviceContext&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// An object selected into a device context until this goes, then the previous one again.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The screen's vertical resolution in dots per inch, which font sizes use.
inline int screenDotsPerInch() {
  ScreenDeviceContext screen;
  return screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
}

}  // namespace pellith::forms
