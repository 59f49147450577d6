#include "shell/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace zb {

bool writePng(const std::filesystem::path& path, const IndexedPicture& picture, std::string& error) {
  if (picture.pixels == nullptr || picture.colours == nullptr || picture.width <= 0 ||
      picture.height <= 0) {
    error = "nothing to write";
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    error = "cannot create " + path.string();
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (png == nullptr || info == nullptr) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    error = "out of memory";
    return false;
  }
  std::vector<png_bytep> rows(static_cast<size_t>(picture.height));
  for (int y = 0; y < picture.height; ++y) {
    int memoryRow = picture.bottomUp ? picture.height - 1 - y : y;
    rows[static_cast<size_t>(y)] =
        const_cast<png_bytep>(picture.pixels + static_cast<size_t>(memoryRow) * picture.stride);
  }
  png_color palette[256];
  for (int i = 0; i < 256; ++i) {
    palette[i].red = picture.colours[4 * i + 2];
    palette[i].green = picture.colours[4 * i + 1];
    palette[i].blue = picture.colours[4 * i];
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    error = "cannot write " + path.string();
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
               static_cast<png_uint_32>(picture.height), 8, PNG_COLOR_TYPE_PALETTE,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_PLTE(png, info, palette, 256);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fclose(file) != 0) {
    error = "cannot write " + path.string();
    return false;
  }
  return true;
}

}  // namespace zb
