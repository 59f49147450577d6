// Forms and their controls as plain data.
//
// A form holds its controls' design (place in twips, fonts, colours) and
// their current state (caption, visibility, colours). The window layer
// builds its widgets from this data and redraws them from it after every
// event; the script driver dumps it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pirvo3 {

class App;

using Rgb = std::uint32_t;  // 0xRRGGBB

inline constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch

enum class ControlKind { Label, CommandButton, TextBox, Shape, Line, Timer, Chart, Table };

// The faces of the original design; the window layer maps them to fonts
// that exist on the desktop.
enum class FontFace { MsSansSerif, Arial, TimesNewRoman, CourierNew };

struct Font {
  FontFace face = FontFace::MsSansSerif;
  int pixels = 11;  // height in pixels at 96 dpi (8.25 points)
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

enum class Alignment { Left, Center };
enum class ShapeKind { RoundedRectangle, Square };
enum class FillStyle { Transparent, Solid, DiagonalCross };

// One series of a chart: a value per category, in thousandths. Lines
// stand on the left axis, bars on the right one.
struct ChartSeries {
  std::string name;
  Rgb color = 0x000000;
  bool bars = false;
  std::vector<std::int64_t> milli;
  bool operator==(const ChartSeries&) const = default;
};

struct Control {
  std::string name;
  int index = -1;  // place in a control array, -1 for a single control
  ControlKind kind = ControlKind::Label;

  // Place in twips. A line runs from (left, top) to (left + width, top + height).
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool autoSize = false;  // a label as large as its caption
  bool wordWrap = false;

  bool visible = true;
  bool enabled = true;
  bool opaque = false;      // labels: background drawn; shapes: back colour drawn
  Rgb back = 0xFFFFFF;      // back colour (labels, buttons, text boxes, shapes)
  Rgb fore = 0x000000;      // text colour, or the border of a shape or line
  Rgb backdrop = 0xFFFFFF;  // what shows through where the control is transparent
  std::string caption;      // line breaks as "\n"
  Font font;
  Alignment align = Alignment::Left;
  bool border = false;
  std::string toolTip;
  bool handCursor = false;

  ShapeKind shape = ShapeKind::RoundedRectangle;
  FillStyle fill = FillStyle::Transparent;
  Rgb fillColor = 0x000000;
  int borderWidth = 1;  // pixels

  // Tables: rows of cells, the first row the column titles.
  std::vector<std::vector<std::string>> cells;
  // Charts: the categories along the bottom, the series over them, and the
  // titles of the bottom, left and right axes.
  std::vector<std::string> categories;
  std::vector<ChartSeries> series;
  std::vector<std::string> axisTitles;

  int tabIndex = -1;  // -1: never takes the focus
  bool clickFocus = true;  // a click gives it the focus

  // "Label20(5)" or "Command1".
  std::string id() const;
  bool focusable() const { return tabIndex >= 0 && visible && enabled; }
  // Background colour as seen: the back colour where it is drawn, else what
  // lies behind.
  Rgb shownBack() const;
};

// Keys that type no character but act on a form as a whole.
enum class FormKey { Up, Down, Enter, Escape, F1 };

// The window's size as the Resize event sees it, client area in twips.
struct WindowSize {
  bool maximized = false;
  int width = 0;
  int height = 0;
  bool operator==(const WindowSize&) const = default;
};

class Form {
 public:
  Form(App& app, std::string name);
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }

  std::string caption;
  Rgb back = 0xFFFFFF;
  std::string picture;       // background picture file, relative to the data folder
  bool paintedPicture = false;  // background drawn by the window layer itself
  int width = 0;             // client area in twips
  int height = 0;
  int maxWidth = 0;          // Resize limits in twips; 0 for a fixed dialog
  int maxHeight = 0;
  bool fixedDialog = false;  // fixed single border, no maximise or minimise
  // Clock time (TimerService::nowMs) at which the form was last shown or
  // brought to the front.
  std::int64_t shownAtMs = 0;

  std::vector<Control>& controls() { return controls_; }
  const std::vector<Control>& controls() const { return controls_; }
  Control* find(std::string_view name, int index = -1);
  const Control* find(std::string_view name, int index = -1) const;
  Control& control(std::string_view name, int index = -1);

  // The control holding the keyboard focus while this form is active.
  Control* focus() const { return focus_; }
  void setFocus(Control* control) { focus_ = control; }
  // Moves the focus to the next control in tab order (the Tab key).
  void focusNext();

  // Events, called by the application.
  virtual void load() {}
  virtual void unload() {}
  virtual void mouseMove(Control&) {}
  virtual void click(Control&) {}
  // A key arriving at a text box (KeyPress, then the box's own editing).
  virtual void keyPress(Control&, char32_t) {}
  // The text of a text box changed to `text` at once (a paste).
  virtual void change(Control&, const std::string&) {}
  // A key reaching the form itself, not one of its controls.
  virtual void formKey(FormKey) {}
  virtual WindowSize resize(const WindowSize& size);

 protected:
  // Called once the controls are in place; gives the focus to the lowest
  // tab index.
  void setControls(std::vector<Control> controls);

  App& app_;

 private:
  std::string name_;
  std::vector<Control> controls_;
  Control* focus_ = nullptr;
};

// The Resize rule of the two sizable forms: a maximised window is put back
// to normal, a larger one is cut to the limits; smaller sizes stay.
WindowSize limitWindowSize(const WindowSize& size, int maxWidth, int maxHeight);

// Helpers for building designs.
Control label(std::string name, int left, int top, int width, int height, std::string caption,
              Font font, Rgb fore, Rgb backdrop);
Control button(std::string name, int left, int top, int width, int height, std::string caption,
               int tabIndex);
Control shape(std::string name, int left, int top, int width, int height);
// A control of any kind at a place, with the defaults of its fields.
Control placed(std::string name, ControlKind kind, int left, int top, int width, int height);

}  // namespace pirvo3
