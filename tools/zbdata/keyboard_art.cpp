#include "keyboard_art.h"

#include <algorithm>

#include "palette.h"

namespace zbdata {

namespace {

uint8_t C(int ramp, int shade) { return Palette::index(ramp, shade); }

// The colour the program gives unmarked labels; the keys drawn into the
// body take it too.
constexpr uint8_t kLabelColour = 20;

// The two cap styles: raised cream caps of the desktop keyboards and the
// flat grey caps of the laptop.
struct CapColours {
  uint8_t outline, lip, lipShadow, face, faceEdge, highlight, pressedFace, pressedShadow;
  int lipRows;  // rows of the front edge below the face, key up
  int radius;
};

CapColours capColours(bool laptop) {
  if (laptop) return {C(0, 3), C(0, 10), C(0, 8), C(0, 14), C(0, 13), C(0, 15), C(0, 12), C(0, 6), 2, 3};
  return {C(4, 3), C(3, 11), C(3, 9), C(3, 15), C(3, 13), C(0, 15), C(3, 13), C(4, 7), 3, 5};
}

// A cap of one rectangle, key up (pressed = false) or down. The outline
// and the silhouette are the same in both, so that drawing one over the
// other leaves nothing of the first.
Raster cap(bool laptop, int w, int h, bool pressed) {
  const CapColours c = capColours(laptop);
  Raster r(w, h);
  r.roundRect(0, 0, w, h, c.radius, c.outline);
  r.roundRect(1, 1, w - 2, h - 2, c.radius - 1, c.lip);
  r.fill(2, h - 2, w - 4, 1, c.lipShadow);
  const int p = pressed ? 1 : 0;
  const int faceH = h - 2 - c.lipRows - 1;
  if (pressed) r.roundRect(1, 1, w - 2, 3, c.radius - 1, c.pressedShadow);
  const int inset = laptop ? 1 : 2;
  r.roundRect(inset, 1 + p, w - 2 * inset, faceH, c.radius - 1, pressed ? c.pressedFace : c.face);
  if (!pressed) {
    r.fill(inset + c.radius - 1, 1, w - 2 * inset - 2 * (c.radius - 1), 1, c.highlight);
    r.fill(inset + 1, faceH, w - 2 * inset - 2, 1, c.faceEdge);
  }
  return r;
}

// The L-shaped Enter: 1.5 units over the upper row, 1.25 units below,
// drawn as one cap: the outline, the front edge and the face each as the
// union of the two parts.
Raster isoEnterCap(const Shape& s, bool pressed) {
  const int w = s.width(), h = s.height(), step = kQuarter, th = kCapHeight;
  const CapColours c = capColours(s.laptop);
  const int r = c.radius, inset = s.laptop ? 1 : 2, p = pressed ? 1 : 0;
  Raster out(w, h);
  out.roundRect(0, 0, w, th, r, c.outline);
  out.roundRect(step, 0, w - step, h, r, c.outline);
  out.roundRect(1, 1, w - 2, th - 2, r - 1, c.lip);
  out.roundRect(step + 1, 1, w - step - 2, h - 2, r - 1, c.lip);
  out.fill(2, th - 2, step - 1, 1, c.lipShadow);
  out.fill(step + 2, h - 2, w - step - 4, 1, c.lipShadow);
  if (pressed) out.roundRect(1, 1, w - 2, 3, r - 1, c.pressedShadow);
  const uint8_t face = pressed ? c.pressedFace : c.face;
  const int topFace = th - 3 - c.lipRows, lowFace = h - 3 - c.lipRows;
  out.roundRect(inset, 1 + p, w - 2 * inset, topFace, r - 1, face);
  out.roundRect(step + inset, 1 + p, w - step - 2 * inset, lowFace, r - 1, face);
  if (!pressed) {
    out.fill(inset + r - 1, 1, w - 2 * inset - 2 * (r - 1), 1, c.highlight);
    out.fill(inset + 1, topFace, step - 1, 1, c.faceEdge);
    out.fill(step + inset + 1, lowFace, w - step - 2 * inset - 2, 1, c.faceEdge);
  }
  return out;
}

Raster mark(int w, int h, uint8_t border, uint8_t fillColour) {
  Raster r(w, h);
  r.roundRect(0, 0, w, h, 4, border);
  r.roundRect(1, 1, w - 2, h - 2, 3, fillColour);
  return r;
}

constexpr int kMarkHeight = kFaceBottom + 1 - kMarkY;  // down to the face's last row

}  // namespace

Raster capPicture(bool laptop, int width, int height) { return cap(laptop, width, height, false); }

std::vector<zb::FrameData> capFrames(const Shape& s, int restSpot) {
  const int w = s.width();
  Raster up = s.kind == Shape::IsoEnter ? isoEnterCap(s, false) : cap(s.laptop, w, s.height(), false);
  Raster down = s.kind == Shape::IsoEnter ? isoEnterCap(s, true) : cap(s.laptop, w, s.height(), true);
  // A key goes up and down by drawing one cap over the other: both must
  // cover exactly the same pixels, or a corner of the last one stays.
  for (int y = 0; y < up.height(); ++y) {
    for (int x = 0; x < up.width(); ++x) {
      if (up.at(x, y) == kTransparent) {
        down.set(x, y, kTransparent);
      } else if (down.at(x, y) == kTransparent) {
        down.set(x, y, up.at(x, y));
      }
    }
  }
  const int mw = w - 2 * kMarkX;
  Raster target = mark(mw, kMarkHeight, C(2, 6), C(5, 11));
  Raster home = mark(mw, kMarkHeight, C(7, 7), C(7, 13));
  if (s.kind == Shape::Space) {
    // The thumb rests on one spot of the long bar: only there is its mark.
    constexpr int kSpotWidth = 30;
    Raster spot(mw, kMarkHeight);
    spot.draw(mark(kSpotWidth, kMarkHeight, C(7, 7), C(7, 13)), restSpot - kMarkX - kSpotWidth / 2, 0);
    home = spot;
  }
  return {up.frame(), down.frame(), target.frame(), home.frame()};
}

namespace {

struct BodyColours {
  uint8_t outline, body, rim, front, well, wellEdge, slot, slotRim;
};

BodyColours bodyColours(bool laptop) {
  if (laptop) return {C(0, 1), C(0, 5), C(0, 8), C(0, 3), C(0, 2), C(0, 1), C(10, 1), C(0, 9)};
  return {C(10, 1), C(10, 6), C(10, 9), C(10, 4), C(10, 3), C(10, 2), C(10, 1), C(10, 9)};
}

// A dark box with a light rim around the rectangle (x, y, w, h).
void box(Raster& r, int x, int y, int w, int h, const BodyColours& c) {
  r.roundRect(x - 3, y - 3, w + 6, h + 6, 3, c.outline);
  r.roundRect(x - 2, y - 2, w + 4, h + 4, 2, c.slotRim);
  r.fill(x - 1, y - 1, w + 2, h + 2, c.outline);
  r.fill(x, y, w, h, c.slot);
}

}  // namespace

Raster keyboardBody(const KeyboardType& type, const Keyboards& keyboards, bool game,
                    const std::map<std::string, Raster>& symbols, const Raster& fnLabel) {
  const bool laptop = !type.keys.empty() && keyboards.shapes[type.keys.back().shape].laptop;
  const BodyColours c = bodyColours(laptop);
  Raster r(kKeyboardWidth, kKeyboardHeight, C(4, 10));
  // The desk: wide planks with clean seams.
  for (int y = 40; y < kKeyboardHeight; y += 72) {
    r.fill(0, y, kKeyboardWidth, 1, C(4, 8));
    r.fill(0, y + 1, kKeyboardWidth, 1, C(4, 11));
  }
  // The case: a dark outline, a light rim along the top, a darker front.
  r.roundRect(4, 3, kKeyboardWidth - 8, kKeyboardHeight - 5, 14, c.outline);
  r.roundRect(5, 4, kKeyboardWidth - 10, kKeyboardHeight - 7, 13, c.front);
  r.roundRect(5, 4, kKeyboardWidth - 10, kKeyboardHeight - 11, 13, c.rim);
  r.roundRect(5, 6, kKeyboardWidth - 10, kKeyboardHeight - 13, 12, c.body);

  // The well the keys stand in.
  int left = 1 << 20, right = 0, top = 1 << 20, bottom = 0;
  for (const KeyPlace& k : type.keys) {
    const Shape& s = keyboards.shapes[k.shape];
    left = std::min(left, k.x);
    right = std::max(right, k.x + s.width());
    top = std::min(top, k.y);
    bottom = std::max(bottom, k.y + s.height());
  }
  if (laptop) right = std::max(right, type.originX + 60 * kQuarter - kCapGap);
  r.roundRect(left - 5, top - 5, right - left + 10, bottom - top + 10, 7, c.outline);
  r.roundRect(left - 4, top - 4, right - left + 8, bottom - top + 8, 6, c.wellEdge);
  r.roundRect(left - 4, top - 3, right - left + 8, bottom - top + 7, 6, c.well);

  // The flag's place at (31, 193) on screen.
  box(r, 31, 10, 36, 24, c);
  if (game) {
    // Level box (140, 200)-(192, 215), score box (239, 200)-(329, 215) and
    // the damage bar's slot from (368, 206), 220 x 10, on screen.
    box(r, 140, 17, 52, 15, c);
    box(r, 239, 17, 90, 15, c);
    box(r, 368, 23, 220, 10, c);
    auto icon = [&](const char* name, int x, int y) {
      auto it = symbols.find(name);
      if (it != symbols.end()) r.draw(it->second, x, y);
    };
    icon("stairs", 119, 19);
    icon("star", 219, 17);
    icon("heart", 348, 22);
  }

  if (laptop) {
    // Keys that only decorate: Fn at the left of the bottom row and the
    // arrow keys at its right, half-height up and down keys between.
    const int y = type.originY + 4 * kRowPitch;
    const int w = kUnit - kCapGap;
    Raster fn = capPicture(true, w, kCapHeight);
    fn.drawIn(fnLabel, kMainX, kMainY, kLabelColour);
    r.draw(fn, type.originX, y);
    const int half = (kCapHeight - 1) / 2;
    struct Arrow {
      const char* name;
      int col, dy, h;
    };
    const Arrow arrows[] = {{"left", 48, 0, kCapHeight},
                            {"up", 52, 0, half},
                            {"down", 52, kCapHeight - half, half},
                            {"right", 56, 0, kCapHeight}};
    for (const Arrow& a : arrows) {
      Raster k = capPicture(true, w, a.h);
      auto it = symbols.find(a.name);
      if (it != symbols.end()) {
        const Raster& s = it->second;
        k.drawIn(s, (w - s.width()) / 2, (a.h - 2 - s.height()) / 2, kLabelColour);
      }
      r.draw(k, type.originX + a.col * kQuarter, y + a.dy);
    }
  }
  return r;
}

std::vector<zb::FrameData> fingerMarkerFrames() {
  // A fingertip seen from above: round at the top, with its nail.
  const int w = kFingerMarkerWidth, h = 26;
  Raster tip(w, h);
  tip.roundRect(0, 0, w, h, 10, C(3, 3));
  tip.roundRect(1, 1, w - 2, h - 2, 9, C(3, 9));
  tip.roundRect(2, 2, w - 7, h - 5, 8, C(3, 11));
  tip.roundRect(3, 3, w - 9, h - 7, 7, C(3, 10));
  tip.roundRect(6, 3, 10, 11, 4, C(3, 7));
  tip.roundRect(7, 4, 8, 9, 3, C(3, 14));
  tip.fill(8, 5, 2, 1, C(0, 15));
  Raster shadow(w, h);
  shadow.drawIn(tip, 0, 0, kShade);
  return {tip.frame(), shadow.frame()};
}

}  // namespace zbdata
