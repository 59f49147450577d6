// The data set being built: where the sources are, where the files go, and
// the errors found on the way.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zbdata {

class DataSet {
 public:
  DataSet(std::filesystem::path sources, std::filesystem::path out);

  // A source file, by its path relative to the sources folder.
  std::filesystem::path source(std::string_view relative) const { return sources_ / relative; }
  const std::filesystem::path& out() const { return out_; }

  // Writes a file of the data set by the path the program opens it by
  // ("MDATA\\slitm.sn"). A file that already holds these bytes is left
  // untouched, so that its time stamp still says when it last changed.
  void write(std::string_view enginePath, const std::vector<uint8_t>& bytes);
  // Every file written in this run, by engine path, in order.
  const std::vector<std::string>& written() const { return written_; }

  // Reports an error in a source ("file:line: message") and counts it.
  void error(const std::filesystem::path& file, int line, const std::string& message);
  void error(const std::string& message);
  int errors() const { return errors_; }

 private:
  std::filesystem::path sources_;
  std::filesystem::path out_;
  std::vector<std::string> written_;
  int errors_ = 0;
};

// Reads a text source split into lines of tab-separated fields; blank lines
// and lines starting with '#' are skipped. Each row keeps its line number.
struct Row {
  int line = 0;
  std::vector<std::string> fields;
};
std::vector<Row> readTable(const std::filesystem::path& file, DataSet& data);

}  // namespace zbdata
