// zbdata: builds zubbatik's data set from the sources in zubbatik/data.
#include <chrono>
#include <iostream>
#include <string>

#include "charset.h"
#include "contact_sheet.h"
#include "dataset.h"
#include "fonts.h"
#include "game_pictures.h"
#include "keyboards.h"
#include "lesson_pictures.h"
#include "menu_pictures.h"
#include "palette.h"
#include "sound.h"
#include "symbols.h"
#include "texts.h"

namespace {

constexpr const char* kUsage =
    "Usage: zbdata --sources DIR --out DIR [--contact-sheet FILE.png]\n"
    "Builds zubbatik's data set (Zubbatik.pal, MDATA, GDATA, DDATA) into --out\n"
    "from the sources in --sources. With --contact-sheet, also writes one PNG\n"
    "showing every frame of every picture in --out.\n";

}  // namespace

int main(int argc, char** argv) {
  std::string sources, out, sheet;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help") {
      std::cout << kUsage;
      return 0;
    }
    if ((arg == "--sources" || arg == "--out" || arg == "--contact-sheet") && i + 1 < argc) {
      (arg == "--sources" ? sources : arg == "--out" ? out : sheet) = argv[++i];
    } else {
      std::cerr << "zbdata: unknown argument '" << arg << "'\n" << kUsage;
      return 2;
    }
  }
  if (sources.empty() || out.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  auto start = std::chrono::steady_clock::now();
  zbdata::DataSet data(sources, out);
  zbdata::Palette palette = zbdata::Palette::load(data);
  data.write("Zubbatik.pal", palette.fileBytes());
  zbdata::Charset charset = zbdata::Charset::load(data);
  zbdata::FontTable fonts = zbdata::loadFontTable(data);
  zbdata::CodeUse used;
  zbdata::buildTexts(data, charset, used);
  zbdata::Keyboards keyboards = zbdata::loadKeyboards(data, charset, used);
  zbdata::buildLetters(data, charset, keyboards, used);
  zbdata::buildKeyboards(data, keyboards, fonts, zbdata::loadSymbols(data));
  zbdata::buildMenuFont(data, fonts, charset, used);
  zbdata::buildFieldFont(data, fonts, charset);
  zbdata::buildClick(data);
  zbdata::buildMenuPictures(data, palette);
  zbdata::buildGamePictures(data, palette);
  zbdata::buildLessonPictures(data, palette);
  if (data.errors() > 0) {
    std::cerr << "zbdata: " << data.errors() << " error(s); the data set is incomplete\n";
    return 1;
  }
  if (!sheet.empty()) {
    std::string error;
    if (!zbdata::writeContactSheet(out, sheet, error)) {
      std::cerr << "zbdata: " << error << '\n';
      return 1;
    }
  }
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  std::cout << "zbdata: " << data.written().size() << " files in " << ms.count() << " ms\n";
  return 0;
}
