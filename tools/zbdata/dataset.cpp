#include "dataset.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <system_error>

#include "engine/files.h"

namespace zbdata {

namespace fs = std::filesystem;

DataSet::DataSet(fs::path sources, fs::path out) : sources_(std::move(sources)), out_(std::move(out)) {}

void DataSet::write(std::string_view enginePath, const std::vector<uint8_t>& bytes) {
  written_.emplace_back(enginePath);
  std::string relative(enginePath);
  for (char& c : relative) {
    if (c == '\\') c = '/';
  }
  fs::path target = out_ / relative;
  std::error_code ec;
  fs::create_directories(target.parent_path(), ec);
  {
    std::ifstream old(target, std::ios::binary);
    if (old) {
      std::vector<uint8_t> current((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>());
      if (current == bytes) return;
    }
  }
  if (!zb::writeFileAtomically(target, bytes)) error("cannot write " + target.string());
}

void DataSet::error(const fs::path& file, int line, const std::string& message) {
  std::cerr << file.string() << ':' << line << ": " << message << '\n';
  ++errors_;
}

void DataSet::error(const std::string& message) {
  std::cerr << "zbdata: " << message << '\n';
  ++errors_;
}

std::vector<Row> readTable(const fs::path& file, DataSet& data) {
  std::vector<Row> rows;
  std::ifstream in(file);
  if (!in) {
    data.error("cannot read " + file.string());
    return rows;
  }
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.empty() || text[0] == '#') continue;
    Row row{number, {}};
    size_t start = 0;
    while (true) {
      size_t tab = text.find('\t', start);
      row.fields.push_back(text.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace zbdata
