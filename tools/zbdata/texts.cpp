#include "texts.h"

#include <map>
#include <string>
#include <vector>

#include "engine/textlist.h"
#include "engine/writers.h"

namespace zbdata {

namespace {

constexpr int W = kMenuFontWidth;

// How many characters of the menu font fit where a screen draws a string,
// by list (the name without its language suffix) and string index (-1:
// every string). Widths are measured against the panels' click bounds and
// edges, with W = 8.
struct Fit {
  const char* list;
  int index;
  int chars;
  const char* where;
};
constexpr Fit kFits[] = {
    // Items at x 176; a click counts up to x 307.
    {"MDATA\\MSGS\\mnmnu", -1, (307 - 176) / W, "main-menu items (x 176 to 307)"},
    // Title centred on the panel (x 131 to 498, a margin of 16 each side).
    {"MDATA\\MSGS\\lgmnu", 0, (367 - 32) / W, "layout-menu title (panel 367 wide)"},
    // Names centred on x 328 between the clicks' 254 and 419, and drawn
    // on the main menu at x 321 before the panel's edge at 498.
    {"MDATA\\MSGS\\lgmnu", -1, 2 * (328 - 255) / W, "layout names (centred on 328, x 254 to 419)"},
    {"MDATA\\MSGS\\kbmnu", -1, (367 - 32) / W, "keyboard-menu title (panel 367 wide)"},
    // Language names at x 237; a click counts up to x 454.
    {"MDATA\\MSGS\\lngmsg", -1, (454 - 237) / W, "language names (x 237 to 454)"},
    // String 0: the name prompt and the first column heading at x 190,
    // which must end before the second heading at 350 (with a space).
    {"MDATA\\MSGS\\rdmnu", 0, (350 - W - 190) / W, "first records heading (x 190 to 350)"},
    {"MDATA\\MSGS\\rdmnu", 1, (490 - 350) / W, "second records heading (x 350 to 490)"},
    // Caption at x 202, the new letter at 408 (with a space).
    {"GDATA\\MSGS\\nwsmbl", -1, (408 - W - 202) / W, "new-letter caption (x 202 to 408)"},
    // Lines centred on the notice panel (374 wide, a margin of 16).
    {"DDATA\\MSGS\\wrng", -1, (374 - 32) / W, "lesson notice lines (panel 374 wide)"},
};
// The lesson notice has room for this many lines of 15 pixels from y 155
// on a panel that ends at y 334.
constexpr int kNoticeLines = (334 - 10 - 155) / 15;

const Fit* fitOf(const std::string& list, int index) {
  const Fit* any = nullptr;
  for (const Fit& f : kFits) {
    if (list != f.list) continue;
    if (f.index == index) return &f;
    if (f.index == -1) any = &f;
  }
  return any;
}

}  // namespace

void buildTexts(DataSet& data, const Charset& charset, CodeUse& used) {
  std::filesystem::path file = data.source("texts/lists.tsv");
  // list -> language (0-3, or -1 for a list shared by all) -> strings
  std::map<std::string, std::map<int, std::vector<std::string>>> lists;
  std::map<std::string, int> firstLine;
  for (const Row& row : readTable(file, data)) {
    const auto& f = row.fields;
    if (f.size() != 6) {
      data.error(file, row.line, "expected: list, index (or -), rus, eng, grm, fr");
      continue;
    }
    const std::string& list = f[0];
    firstLine.emplace(list, row.line);
    bool shared = f[1] == "-";
    for (int lang = 0; lang < 4; ++lang) {
      std::string text = charset.encode(f[2 + lang], data, file, row.line);
      used.add(text);
      int index = shared ? lang : static_cast<int>(lists[list][lang].size());
      if (const Fit* fit = fitOf(list, index); fit != nullptr && static_cast<int>(text.size()) > fit->chars)
        data.error(file, row.line, "'" + f[2 + lang] + "' has " + std::to_string(text.size()) + " characters; the " +
                                       fit->where + " hold " + std::to_string(fit->chars));
      std::vector<std::string>& strings = lists[list][shared ? -1 : lang];
      if (!shared && f[1] != std::to_string(strings.size()))
        data.error(file, row.line, "expected index " + std::to_string(strings.size()));
      strings.push_back(text);
    }
  }
  for (const auto& [list, byLanguage] : lists) {
    for (const auto& [lang, strings] : byLanguage) {
      if (list == "DDATA\\MSGS\\wrng" && static_cast<int>(strings.size()) > kNoticeLines)
        data.error(file, firstLine[list], "the lesson notice has room for " + std::to_string(kNoticeLines) + " lines");
      std::string path = list + (lang < 0 ? "" : zb::kLanguageSuffixes[lang]) + ".lim";
      data.write(path, zb::textListFileBytes(strings));
    }
  }
}

void buildLetters(DataSet& data, const Charset& charset, const Keyboards& keyboards, CodeUse& used) {
  std::filesystem::path file = data.source("texts/letters.tsv");
  std::vector<std::string> sequences(6);
  std::vector<bool> seen(6, false);
  for (const Row& row : readTable(file, data)) {
    const auto& f = row.fields;
    int layout = -1;
    for (const Layout& l : keyboards.layouts)
      if (!f.empty() && f[0] == l.suffix) layout = l.number;
    if (f.size() != 2 || layout < 0) {
      data.error(file, row.line, "expected: layout suffix (rus, amr, grm, fr, eng, sw), letters");
      continue;
    }
    std::string letters = charset.encode(f[1], data, file, row.line);
    used.add(letters);
    if (letters.size() < 2) data.error(file, row.line, "a sequence needs at least 2 letters");
    if (letters.size() > 255) data.error(file, row.line, "a sequence holds at most 255 letters");
    std::optional<std::u32string> chars = decodeUtf8(f[1]);
    for (size_t i = 0; chars && chars->size() == letters.size() && i < letters.size(); ++i) {
      uint8_t c = static_cast<uint8_t>(letters[i]);
      if (letters.find(letters[i]) != i)
        data.error(file, row.line, "'" + encodeUtf8((*chars)[i]) + "' twice in the sequence");
      if (c == ' ') data.error(file, row.line, "the space is not a letter of the sequence");
      if (!typesCharacter(keyboards.layouts[layout], c))
        data.error(file, row.line, "no key of layout " + f[0] + " types '" + encodeUtf8((*chars)[i]) + "'");
    }
    seen[layout] = true;
    sequences[layout] = letters;
  }
  for (int l = 0; l < 6; ++l)
    if (!seen[l]) data.error(file, 0, "no sequence for layout " + std::to_string(l));
  data.write("MDATA\\lvltrs.lim", zb::textListFileBytes(sequences));
}

}  // namespace zbdata
