#include "picture.h"

#include <librsvg/rsvg.h>

#include <unordered_map>

namespace zbdata {

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)),
      shadeSurface_(cairo_image_surface_create(CAIRO_FORMAT_A8, width, height)),
      shadeCr_(cairo_create(shadeSurface_)) {}

Canvas::~Canvas() {
  cairo_destroy(shadeCr_);
  cairo_surface_destroy(shadeSurface_);
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

bool Canvas::drawSvg(std::string_view svg, double x, double y, double w, double h, DataSet& data,
                     const std::string& what, bool toShade) {
  GError* error = nullptr;
  RsvgHandle* handle =
      rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error);
  if (handle == nullptr) {
    data.error(what + ": " + (error != nullptr ? error->message : "not an SVG document"));
    if (error != nullptr) g_error_free(error);
    return false;
  }
  RsvgRectangle viewport{x, y, w, h};
  bool ok = rsvg_handle_render_document(handle, toShade ? shadeCr_ : cr_, &viewport, &error);
  if (!ok) {
    data.error(what + ": " + (error != nullptr ? error->message : "cannot render"));
    if (error != nullptr) g_error_free(error);
  }
  g_object_unref(handle);
  return ok;
}

bool Canvas::drawSvgFile(const std::filesystem::path& file, double x, double y, double w, double h,
                         DataSet& data, bool toShade) {
  gchar* contents = nullptr;
  gsize length = 0;
  if (!g_file_get_contents(file.c_str(), &contents, &length, nullptr)) {
    data.error("cannot read " + file.string());
    return false;
  }
  bool ok = drawSvg(std::string_view(contents, length), x, y, w, h, data, file.string(), toShade);
  g_free(contents);
  return ok;
}

Canvas::Rgba Canvas::pixel(int x, int y) const {
  cairo_surface_flush(surface_);
  const unsigned char* row =
      cairo_image_surface_get_data(surface_) + static_cast<size_t>(y) * cairo_image_surface_get_stride(surface_);
  uint32_t v = reinterpret_cast<const uint32_t*>(row)[x];
  uint8_t a = static_cast<uint8_t>(v >> 24);
  if (a == 0) return {0, 0, 0, 0};
  auto un = [a](uint32_t c) { return static_cast<uint8_t>(std::min<uint32_t>(255, (c * 255 + a / 2) / a)); };
  return {un((v >> 16) & 0xFF), un((v >> 8) & 0xFF), un(v & 0xFF), a};
}

uint8_t Canvas::shadeAlpha(int x, int y) const {
  cairo_surface_flush(shadeSurface_);
  const unsigned char* row = cairo_image_surface_get_data(shadeSurface_) +
                             static_cast<size_t>(y) * cairo_image_surface_get_stride(shadeSurface_);
  return row[x];
}

std::vector<uint8_t> quantise(const Canvas& canvas, const Palette& palette) {
  std::vector<uint8_t> out(static_cast<size_t>(canvas.width()) * canvas.height(), 255);
  std::unordered_map<uint32_t, uint8_t> cache;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      Canvas::Rgba p = canvas.pixel(x, y);
      uint8_t& index = out[static_cast<size_t>(y) * canvas.width() + x];
      if (p.a >= 128) {
        uint32_t key = uint32_t{p.r} << 16 | uint32_t{p.g} << 8 | p.b;
        auto it = cache.find(key);
        if (it == cache.end()) it = cache.emplace(key, palette.nearest(Rgb{p.r, p.g, p.b})).first;
        index = it->second;
      } else if (canvas.shadeAlpha(x, y) >= 128) {
        index = 254;
      }
    }
  }
  return out;
}

zb::FrameData makeFrame(const std::vector<uint8_t>& indices, int width, int height, uint16_t offsetX,
                        uint16_t offsetY) {
  auto w = static_cast<uint16_t>(width);
  auto h = static_cast<uint16_t>(height);
  return zb::FrameData{w, h, offsetX, offsetY, zb::encodeSprite(indices.data(), w, h, zb::RowOrder::TopDown)};
}

zb::FrameData makeFrame(const Canvas& canvas, const Palette& palette, uint16_t offsetX, uint16_t offsetY) {
  return makeFrame(quantise(canvas, palette), canvas.width(), canvas.height(), offsetX, offsetY);
}

void writeImage(DataSet& data, std::string_view enginePath, const std::vector<zb::FrameData>& frames) {
  data.write(enginePath, zb::imageFileBytes(frames));
}

}  // namespace zbdata
