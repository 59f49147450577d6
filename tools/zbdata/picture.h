// Pictures of the data set: drawn in true colour with cairo (or rendered
// from SVG with librsvg), then mapped onto the palette and run-coded.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "dataset.h"
#include "engine/writers.h"
#include "palette.h"

namespace zbdata {

// An RGBA drawing surface with a second, colourless layer for shade pixels.
class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  // The drawing context of the picture (starts fully transparent).
  cairo_t* cr() const { return cr_; }
  // The drawing context of the shade layer: where it is covered (alpha at
  // least one half) and the picture is transparent, the frame gets shade
  // pixels, which darken whatever lies under them on screen.
  cairo_t* shade() const { return shadeCr_; }

  // Renders an SVG document into the rectangle (x, y, w, h) of the picture
  // (or of the shade layer). Reports a broken file to data; false then.
  bool drawSvgFile(const std::filesystem::path& file, double x, double y, double w, double h,
                   DataSet& data, bool toShade = false);
  bool drawSvg(std::string_view svg, double x, double y, double w, double h, DataSet& data,
               const std::string& what, bool toShade = false);

  // Colour and opacity of a pixel, not premultiplied.
  struct Rgba {
    uint8_t r, g, b, a;
  };
  Rgba pixel(int x, int y) const;
  uint8_t shadeAlpha(int x, int y) const;

 private:
  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
  cairo_surface_t* shadeSurface_;
  cairo_t* shadeCr_;
};

// Palette indices of the canvas, top row first: the nearest picture colour
// (16..239) for every pixel at least half opaque, 254 for shade pixels,
// 255 (transparent) for the rest. No dithering: flat areas stay flat.
std::vector<uint8_t> quantise(const Canvas& canvas, const Palette& palette);

// A frame of indices (top row first), run-coded.
zb::FrameData makeFrame(const std::vector<uint8_t>& indices, int width, int height,
                        uint16_t offsetX = 0, uint16_t offsetY = 0);
zb::FrameData makeFrame(const Canvas& canvas, const Palette& palette, uint16_t offsetX = 0,
                        uint16_t offsetY = 0);

// Writes the frames as the .im3 file the program opens by enginePath.
void writeImage(DataSet& data, std::string_view enginePath, const std::vector<zb::FrameData>& frames);

}  // namespace zbdata
