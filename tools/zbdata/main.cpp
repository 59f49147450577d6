// zbdata: builds zubbatik's data set from the sources in zubbatik/data.
#include <iostream>
#include <string>

#include "dataset.h"
#include "menu_pictures.h"
#include "palette.h"

namespace {

constexpr const char* kUsage =
    "Usage: zbdata --sources DIR --out DIR\n"
    "Builds zubbatik's data set (Zubbatik.pal, MDATA, GDATA, DDATA) into --out\n"
    "from the sources in --sources.\n";

}  // namespace

int main(int argc, char** argv) {
  std::string sources, out;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help") {
      std::cout << kUsage;
      return 0;
    }
    if ((arg == "--sources" || arg == "--out") && i + 1 < argc) {
      (arg == "--sources" ? sources : out) = argv[++i];
    } else {
      std::cerr << "zbdata: unknown argument '" << arg << "'\n" << kUsage;
      return 2;
    }
  }
  if (sources.empty() || out.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  zbdata::DataSet data(sources, out);
  zbdata::Palette palette = zbdata::Palette::load(data);
  data.write("Zubbatik.pal", palette.fileBytes());
  zbdata::buildMenuPictures(data, palette);
  if (data.errors() > 0) {
    std::cerr << "zbdata: " << data.errors() << " error(s); the data set is incomplete\n";
    return 1;
  }
  return 0;
}
