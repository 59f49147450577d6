// The contact sheet: one PNG showing every frame of every picture in a
// built data set, so that the whole data set can be looked at at once.
#pragma once

#include <filesystem>
#include <string>

namespace zbdata {

// Reads the pictures under dataDir (every .im3, in path order) with the
// program's own loader and writes the sheet to png. On failure returns
// false and says why in error.
bool writeContactSheet(const std::filesystem::path& dataDir, const std::filesystem::path& png, std::string& error);

}  // namespace zbdata
