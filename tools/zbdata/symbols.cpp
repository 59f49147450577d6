#include "symbols.h"

#include <fstream>
#include <sstream>
#include <vector>

#include "palette.h"

namespace zbdata {

namespace {

struct Drawing {
  std::string name;
  int line = 0;
  std::map<char, uint8_t> colours;
  std::vector<std::string> rows;
};

}  // namespace

std::map<std::string, Raster> loadSymbols(DataSet& data) {
  std::filesystem::path file = data.source("keyboards/symbols.txt");
  std::ifstream in(file);
  std::map<std::string, Raster> out;
  if (!in) {
    data.error("cannot read " + file.string());
    return out;
  }
  std::vector<Drawing> drawings;
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.empty() || (text[0] == '#' && drawings.empty())) continue;
    if (text.compare(0, 2, "= ") == 0) {
      drawings.push_back(Drawing{text.substr(2), number, {{'#', kGlyphColour}}, {}});
      continue;
    }
    if (drawings.empty()) {
      data.error(file, number, "expected '= name' before a drawing");
      continue;
    }
    Drawing& d = drawings.back();
    if (text.compare(0, 8, "colours ") == 0) {
      std::istringstream fields(text.substr(8));
      std::string field;
      while (fields >> field) {
        int ramp = -1, shade = -1;
        if (field.size() < 5 || field[1] != '=' || std::sscanf(field.c_str() + 2, "%d.%d", &ramp, &shade) != 2 ||
            ramp < 0 || ramp >= kRampCount || shade < 0 || shade > 15) {
          data.error(file, number, "expected letter=ramp.shade, not '" + field + "'");
          continue;
        }
        d.colours[field[0]] = Palette::index(ramp, shade);
      }
      continue;
    }
    d.rows.push_back(text);
    for (char c : text)
      if (c != '.' && d.colours.find(c) == d.colours.end())
        data.error(file, number, std::string("'") + c + "' has no colour in drawing " + d.name);
  }
  for (const Drawing& d : drawings) {
    size_t width = 0;
    for (const std::string& row : d.rows) width = std::max(width, row.size());
    if (width == 0) {
      data.error(file, d.line, "drawing " + d.name + " is empty");
      continue;
    }
    Raster r(static_cast<int>(width), static_cast<int>(d.rows.size()));
    for (size_t y = 0; y < d.rows.size(); ++y)
      for (size_t x = 0; x < d.rows[y].size(); ++x) {
        auto it = d.colours.find(d.rows[y][x]);
        if (it != d.colours.end()) r.set(int(x), int(y), it->second);
      }
    if (!out.emplace(d.name, std::move(r)).second) data.error(file, d.line, "drawing " + d.name + " twice");
  }
  return out;
}

}  // namespace zbdata
