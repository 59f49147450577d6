// The input language of a lesson on a Linux desktop.
//
// On X11 the lesson's language is reached by locking the keyboard group
// that types it, when the desktop has one configured. Where that cannot be
// done (no such group, Wayland, offscreen), the typing field maps physical
// key positions to the lesson's layout, so that a Russian lesson can be
// taken on a keyboard set up for English only, and the other way round.
#pragma once

#include <cstdint>
#include <optional>

#include <QString>

#include "key_positions.h"

class QKeyEvent;

namespace pirvo3 {

class KeyboardLayer {
 public:
  KeyboardLayer() = default;
  // Gives the desktop back its keyboard group (see restoreDesktop).
  ~KeyboardLayer();
  KeyboardLayer(const KeyboardLayer&) = delete;
  KeyboardLayer& operator=(const KeyboardLayer&) = delete;

  // Notes the desktop's keyboard group as the program starts. The group is
  // the whole desktop's, not the program's own: restoreDesktop puts it
  // back when the program ends, so that the lesson's language does not
  // stay with the user's other programs.
  void rememberDesktop();
  void restoreDesktop();

  // Switches to the layout of a lesson (a Windows layout handle). The
  // group stays as the last lesson set it while the program runs.
  void activate(std::uint32_t layoutHandle);

  // The text a key press types into the lesson: the lesson layout's
  // character for the physical key while mapping, else the event's text.
  QString textFor(const QKeyEvent& event) const;

  // The layout key positions are mapped to, if any.
  std::optional<KeyLayout> mapping() const { return mapping_; }
  void setMapping(std::optional<KeyLayout> layout) { mapping_ = layout; }

 private:
  std::optional<KeyLayout> mapping_;
  int desktopGroup_ = -1;  // the group at start; -1 when unknown
  bool switched_ = false;  // a lesson has locked a group since
};

}  // namespace pirvo3
