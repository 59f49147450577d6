// Drawing pictures, glyphs and text into the frame buffer.
//
// Every call that draws also invalidates the window rectangle it touched
// (cut to the client area), so the next paint shows it. A frame number at
// or beyond the Image's frameCount, or an empty Image, draws nothing.
#pragma once

#include <cstdint>

#include "engine/image.h"

namespace zb {

// The colours the screens draw text with, and the key colour their glyph
// pixels carry.
inline constexpr uint8_t kTextColour = 191;
inline constexpr uint8_t kHighlightColour = 107;
inline constexpr uint8_t kKeyLabelColour = 20;
inline constexpr uint8_t kGlyphKeyColour = 16;

// Invalidates left, top, right, bottom (right and bottom exclusive), cut to
// the client area.
void invalidateArea(int left, int top, int right, int bottom);

// blitSprite of the frame with its top-left corner at (x, y); the frame's
// offsets are not applied. Invalidates x, y, x + width, y + height.
// False when the frame does not exist or the blit fails.
bool drawImage(const Image& image, uint16_t x, uint16_t y, uint16_t frame);
// blitSpriteWindow of the frame at (x, y) with the window left <= column <
// right, top <= row < bottom measured from the frame's top-left corner.
// Invalidates x + left, y + top, x + right, y + bottom.
bool drawImagePart(const Image& image, uint16_t x, uint16_t y, uint16_t left, uint16_t top,
                   uint16_t right, uint16_t bottom, uint16_t frame);
// Makes image one uncoded frame of width x height holding the frame-buffer
// rectangle at (x, y). Draws and invalidates nothing. False when memory
// runs out or there is no frame buffer.
bool captureImage(Image& image, uint16_t x, uint16_t y, uint16_t width, uint16_t height);
// Copies an Image made by captureImage back to (x, y) as the raw pixels
// it holds (not decoded as a sprite, which would read dark colours 1..15
// as run codes) and invalidates that rectangle. False for an empty Image.
bool putBackImage(const Image& image, uint16_t x, uint16_t y);
// blitSprite of frame `code` at (x, y); invalidates x, y, x + width(code),
// y + height(code). Always true: a glyph that cannot be drawn is simply
// not there.
bool drawGlyph(uint8_t code, const Image& image, uint16_t x, uint16_t y);
// blitSpriteRecoloured of frame `code` (keyColour pixels become colour);
// invalidates as drawGlyph. Always true.
bool drawGlyphColoured(uint8_t code, const Image& font, uint16_t x, uint16_t y, uint8_t colour,
                       uint8_t keyColour);
// Draws the zero-terminated text with the font, fixed pitch: character i
// (taken as an unsigned byte c) is frame c drawn recoloured at
// x + i * w0, y with the size w0 x h0 of frame 0. Invalidates x, y,
// x + n * w0, y + h0 for the n characters, even when n is 0. False for a
// null text or an empty font.
bool drawText(const char* text, const Image& font, uint16_t x, uint16_t y, uint8_t colour,
              uint8_t keyColour);

}  // namespace zb
