#include "forms/control.h"

#include "core/window_geometry.h"

namespace pellith::forms {

Control::Control(FormWindow& owner, const FormControl& definition, int id)
    : owner_(owner), definition_(definition), id_(id), bounds_(definition.bounds),
      visible_(definition.visible), enabled_(definition.enabled) {}

int Control::left() const { return bounds_.left; }
int Control::top() const { return bounds_.top; }

int Control::width() const {
  RECT rect;
  if (handle_ && GetWindowRect(handle_, &rect)) return rect.right - rect.left;
  return bounds_.width;
}

int Control::height() const {
  RECT rect;
  if (handle_ && GetWindowRect(handle_, &rect)) return rect.bottom - rect.top;
  return bounds_.height;
}

void Control::setWidth(int width) {
  bounds_.width = clampDimension(width);
  bounds_.height = height();
  resize();
}

void Control::setHeight(int height) {
  bounds_.height = clampDimension(height);
  bounds_.width = width();
  resize();
}

void Control::resize() {
  if (!handle_) return;
  SetWindowPos(handle_, nullptr, 0, 0, bounds_.width, bounds_.height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void Control::setFocus() {
  if (handle_) SetFocus(handle_);
}

LRESULT Control::sendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return handle_ ? SendMessageA(handle_, message, wParam, lParam) : 0;
}

bool Control::create(HWND parent, HWND previous) {
  handle_ = createWindow(parent);
  if (!handle_) return definition_.kind == ControlKind::commonDialog || definition_.kind == ControlKind::printer;
  SetWindowPos(handle_, previous ? previous : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

bool Control::claimsKey(WPARAM) const { return false; }
HBRUSH Control::paintColours(HDC) { return nullptr; }
void Control::notify(WORD) {}

HBRUSH brushFor(Colour colour, BrushHandle& cache) {
  if (colour == systemDefaultColour) return GetSysColorBrush(COLOR_3DFACE);
  if (!cache) cache.reset(CreateSolidBrush(colour));
  return cache.get();
}

}  // namespace pellith::forms
