#include "form.h"

#include <algorithm>
#include <cstdlib>

namespace pirvo3 {

std::string Control::id() const {
  return index < 0 ? name : name + "(" + std::to_string(index) + ")";
}

Rgb Control::shownBack() const {
  switch (kind) {
    case ControlKind::Shape:
      if (fill == FillStyle::Solid) return fillColor;
      return opaque ? back : backdrop;
    case ControlKind::Label:
      return opaque ? back : backdrop;
    case ControlKind::Line:
    case ControlKind::Timer:
      return backdrop;
    case ControlKind::CommandButton:
    case ControlKind::TextBox:
    case ControlKind::Chart:
    case ControlKind::Table:
      return back;
  }
  return back;
}

Form::Form(App& app, std::string name) : app_(app), name_(std::move(name)) {}

Control* Form::find(std::string_view name, int index) {
  for (auto& c : controls_) {
    if (c.name == name && c.index == index) return &c;
  }
  return nullptr;
}

const Control* Form::find(std::string_view name, int index) const {
  return const_cast<Form*>(this)->find(name, index);
}

Control& Form::control(std::string_view name, int index) {
  Control* c = find(name, index);
  // Designs and code name the same controls; a miss is a programming error
  // that the tests catch at once.
  if (!c) std::abort();
  return *c;
}

void Form::setControls(std::vector<Control> controls) {
  controls_ = std::move(controls);
  focus_ = nullptr;
  for (auto& c : controls_) {
    if (c.focusable() && (!focus_ || c.tabIndex < focus_->tabIndex)) focus_ = &c;
  }
}

void Form::focusNext() {
  std::vector<Control*> order;
  for (auto& c : controls_) {
    if (c.focusable()) order.push_back(&c);
  }
  if (order.empty()) return;
  std::stable_sort(order.begin(), order.end(),
                   [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
  auto it = std::find(order.begin(), order.end(), focus_);
  focus_ = (it == order.end() || std::next(it) == order.end()) ? order.front() : *std::next(it);
}

WindowSize Form::resize(const WindowSize& size) {
  if (maxWidth == 0 || maxHeight == 0) return size;
  return limitWindowSize(size, maxWidth, maxHeight);
}

WindowSize limitWindowSize(const WindowSize& size, int maxWidth, int maxHeight) {
  WindowSize out = size;
  out.maximized = false;
  out.width = std::min(size.width, maxWidth);
  out.height = std::min(size.height, maxHeight);
  return out;
}

Control label(std::string name, int left, int top, int width, int height, std::string caption,
              Font font, Rgb fore, Rgb backdrop) {
  Control c;
  c.name = std::move(name);
  c.kind = ControlKind::Label;
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  c.autoSize = width == 0;
  c.wordWrap = width != 0;
  c.caption = std::move(caption);
  c.font = font;
  c.fore = fore;
  c.back = backdrop;
  c.backdrop = backdrop;
  return c;
}

Control shape(std::string name, int left, int top, int width, int height) {
  return placed(std::move(name), ControlKind::Shape, left, top, width, height);
}

Control placed(std::string name, ControlKind kind, int left, int top, int width, int height) {
  Control c;
  c.name = std::move(name);
  c.kind = kind;
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  return c;
}

Control button(std::string name, int left, int top, int width, int height, std::string caption,
               int tabIndex) {
  Control c;
  c.name = std::move(name);
  c.kind = ControlKind::CommandButton;
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  c.caption = std::move(caption);
  c.back = 0xF0F0F0;
  c.fore = 0x000000;
  c.tabIndex = tabIndex;
  return c;
}

}  // namespace pirvo3
