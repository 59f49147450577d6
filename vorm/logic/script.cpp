#include "logic/script.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <tuple>

#include "logic/text.h"

namespace vorm {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool splitControl(std::string_view name, std::string& form, std::string& control) {
  const size_t dot = name.find('.');
  if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size()) return false;
  form = std::string(name.substr(0, dot));
  control = std::string(name.substr(dot + 1));
  return form.find_first_of(" \t") == std::string::npos &&
         control.find_first_of(" \t") == std::string::npos;
}

bool isSingleWord(std::string_view s) {
  return !s.empty() && s.find_first_of(" \t") == std::string_view::npos;
}

// "Label20(5)" -> ("Label20", 5); a name without an index sorts before index 0.
std::tuple<std::string_view, long> splitIndex(std::string_view name) {
  if (name.size() >= 3 && name.back() == ')') {
    const size_t open = name.rfind('(');
    if (open != std::string_view::npos && open > 0) {
      long index = 0;
      const char* first = name.data() + open + 1;
      const char* last = name.data() + name.size() - 1;
      auto [ptr, ec] = std::from_chars(first, last, index);
      if (ec == std::errc() && ptr == last && first != last) return {name.substr(0, open), index};
    }
  }
  return {name, -1};
}

// Compares runs of digits by value so that "Label2" comes before "Label10".
bool naturalLess(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const bool da = a[i] >= '0' && a[i] <= '9';
    const bool db = b[j] >= '0' && b[j] <= '9';
    if (da && db) {
      size_t ie = i, je = j;
      while (ie < a.size() && a[ie] >= '0' && a[ie] <= '9') ++ie;
      while (je < b.size() && b[je] >= '0' && b[je] <= '9') ++je;
      std::string_view na = a.substr(i, ie - i), nb = b.substr(j, je - j);
      while (na.size() > 1 && na.front() == '0') na.remove_prefix(1);
      while (nb.size() > 1 && nb.front() == '0') nb.remove_prefix(1);
      if (na.size() != nb.size()) return na.size() < nb.size();
      if (na != nb) return na < nb;
      i = ie;
      j = je;
      continue;
    }
    if (a[i] != b[j]) return a[i] < b[j];
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
}

}  // namespace

bool decodeTypedText(std::string_view text, std::u32string& out, std::string& error) {
  out.clear();
  const std::u32string chars = fromUtf8(text);
  for (size_t i = 0; i < chars.size(); ++i) {
    if (chars[i] != U'\\') {
      out.push_back(chars[i]);
      continue;
    }
    if (i + 1 == chars.size()) {
      error = "a lone backslash at the end of the text (write \\\\ for a backslash)";
      return false;
    }
    switch (chars[++i]) {
      case U'n': out.push_back(13); break;
      case U'e': out.push_back(27); break;
      case U'b': out.push_back(8); break;
      case U't': out.push_back(9); break;
      case U'\\': out.push_back(U'\\'); break;
      default:
        error = "unknown escape \\" + toUtf8(chars[i]) + " (known: \\n \\e \\b \\t \\\\)";
        return false;
    }
  }
  return true;
}

ScriptLine parseScriptLine(std::string_view line) {
  ScriptLine result;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const std::string_view trimmed = trim(line);
  if (trimmed.empty() || trimmed.front() == '#') {
    result.skip = true;
    return result;
  }
  // The text of type and paste is everything after the single blank that
  // follows the command word, so leading and trailing blanks can be typed.
  const std::string_view body = line.substr(line.find_first_not_of(" \t"));
  const size_t space = body.find(' ');
  const std::string_view word = body.substr(0, space);
  const std::string_view raw = space == std::string_view::npos ? "" : body.substr(space + 1);
  const std::string_view args = trim(raw);
  ScriptCommand& cmd = result.command;

  if (word == "hover" || word == "click") {
    cmd.kind = word == "hover" ? CommandKind::Hover : CommandKind::Click;
    if (!splitControl(args, cmd.form, cmd.control))
      result.error = std::string(word) + " needs a control named FORM.CONTROL";
  } else if (word == "type" || word == "paste") {
    cmd.kind = word == "type" ? CommandKind::Type : CommandKind::Paste;
    std::string why;
    if (!decodeTypedText(raw, cmd.text, why)) result.error = std::string(word) + ": " + why;
  } else if (word == "wait") {
    cmd.kind = CommandKind::Wait;
    auto [ptr, ec] = std::from_chars(args.data(), args.data() + args.size(), cmd.ms);
    if (args.empty() || ec != std::errc() || ptr != args.data() + args.size() || cmd.ms < 0 ||
        cmd.ms > kMaxWaitMs) {
      result.error = "wait needs a number of milliseconds from 0 to " + std::to_string(kMaxWaitMs);
    }
  } else if (word == "close") {
    cmd.kind = CommandKind::Close;
    cmd.form = std::string(args);
    if (!isSingleWord(args)) result.error = "close needs a form name";
  } else if (word == "dump") {
    cmd.kind = CommandKind::Dump;
    if (!args.empty()) result.error = "dump takes no arguments";
  } else if (word == "shot") {
    cmd.kind = CommandKind::Shot;
    const size_t gap = args.find_first_of(" \t");
    if (gap == std::string_view::npos) {
      result.error = "shot needs a form and a file: shot FORM PATH";
    } else {
      cmd.form = std::string(args.substr(0, gap));
      cmd.path = std::string(trim(args.substr(gap)));
    }
  } else {
    result.error = "unknown command '" + std::string(word) + "'";
  }
  return result;
}

void sortControlNames(std::vector<std::string>& names) {
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const auto [baseA, indexA] = splitIndex(a);
    const auto [baseB, indexB] = splitIndex(b);
    if (baseA != baseB) return naturalLess(baseA, baseB);
    return indexA < indexB;
  });
}

std::string escapeCaption(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\r':
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += "\\n";
        break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\x1b': out += "\\e"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f') {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
          out += hex;
        } else {
          out.push_back(c);
        }
    }
  }
  return out;
}

}  // namespace vorm
