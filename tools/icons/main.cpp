// tticon: renders an icon's SVG source at the sizes of the desktop's icon
// theme, or into a header of RGBA pixels that a program builds in.
//
//   tticon png SVG OUT_DIR NAME SIZE... [--small SVG MAX]
//       writes OUT_DIR/<N>x<N>/apps/NAME.png for each size N; sizes up to
//       MAX are drawn from the simplified SVG given with --small
//   tticon header SVG SIZE OUT SYMBOL
//       writes OUT, a header holding SYMBOLSize and SYMBOLPixels
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "render.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "Usage: tticon png SVG OUT_DIR NAME SIZE... [--small SVG MAX]\n"
    "       tticon header SVG SIZE OUT SYMBOL\n";

int fail(const std::string& message) {
  std::cerr << "tticon: " << message << "\n";
  return 1;
}

bool parseSize(const std::string& text, int& size) {
  char* end = nullptr;
  const long n = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != 0 || n < 1 || n > 4096) return false;
  size = static_cast<int>(n);
  return true;
}

int pngs(const std::vector<std::string>& args) {
  if (args.size() < 4) return fail("png needs SVG OUT_DIR NAME and at least one size");
  const std::string svg = args[0];
  const fs::path outDir = args[1];
  const std::string name = args[2];
  std::string small;
  int smallMax = 0;
  std::vector<int> sizes;
  for (size_t i = 3; i < args.size(); ++i) {
    if (args[i] == "--small") {
      if (i + 2 >= args.size() || !parseSize(args[i + 2], smallMax)) {
        return fail("--small needs an SVG and the largest size it draws");
      }
      small = args[i + 1];
      i += 2;
      continue;
    }
    int size = 0;
    if (!parseSize(args[i], size)) return fail("not a size: " + args[i]);
    sizes.push_back(size);
  }
  if (sizes.empty()) return fail("png needs at least one size");
  for (int size : sizes) {
    const std::string& source = size <= smallMax ? small : svg;
    tticon::Rgba picture;
    std::string error;
    if (!tticon::render(source, size, picture, error)) return fail(source + ": " + error);
    const std::string dim = std::to_string(size);
    const fs::path dir = outDir / (dim + "x" + dim) / "apps";
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) return fail("cannot create " + dir.string() + ": " + ec.message());
    if (!tticon::writePng(picture, (dir / (name + ".png")).string(), error)) return fail(error);
  }
  return 0;
}

int header(const std::vector<std::string>& args) {
  if (args.size() != 4) return fail("header needs SVG SIZE OUT SYMBOL");
  int size = 0;
  if (!parseSize(args[1], size)) return fail("not a size: " + args[1]);
  tticon::Rgba picture;
  std::string error;
  if (!tticon::render(args[0], size, picture, error)) return fail(args[0] + ": " + error);
  const std::string text = tticon::headerText(picture, args[3], fs::path(args[0]).filename().string());
  const fs::path out = args[2];
  const fs::path tmp = out.string() + ".tmp";
  {
    std::ofstream file(tmp, std::ios::binary);
    file << text;
    if (!file) return fail("cannot write " + tmp.string());
  }
  std::error_code ec;
  fs::rename(tmp, out, ec);
  if (ec) return fail("cannot write " + out.string() + ": " + ec.message());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << kUsage;
    return 2;
  }
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "png") return pngs(args);
  if (command == "header") return header(args);
  std::cerr << kUsage;
  return 2;
}
