#include "history.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace pirvo3 {

void countKeystroke(std::map<std::string, KeyTally>& keys, const std::string& expected,
                    const std::string& typed) {
  if (expected.empty()) return;
  KeyTally& tally = keys[expected];
  ++tally.presses;
  if (typed != expected) {
    ++tally.errors;
    ++tally.typedInstead[typed];
  }
}

int HistorySummary::total() const { return std::accumulate(runs.begin(), runs.end(), 0); }

StoreResult MemoryHistoryStore::result() {
  StoreResult r;
  r.path = "memory";
  if (fault != HistoryFault::None) {
    r.ok = false;
    r.fault = fault;
    return r;
  }
  r.setAside = std::move(setAside);
  setAside.clear();
  return r;
}

StoreResult MemoryHistoryStore::add(const RunRecord& run) {
  StoreResult r = result();
  if (!r.ok) return r;
  records.push_back(run);
  records.back().id = static_cast<std::int64_t>(records.size());
  return r;
}

StoreResult MemoryHistoryStore::runs(int lesson, std::size_t limit, std::vector<RunRecord>& out) {
  out.clear();
  StoreResult r = result();
  if (!r.ok) return r;
  for (const RunRecord& run : records) {
    if (run.lesson == lesson) out.push_back(run);
  }
  if (out.size() > limit) out.erase(out.begin(), out.end() - static_cast<std::ptrdiff_t>(limit));
  return r;
}

StoreResult MemoryHistoryStore::summary(HistorySummary& out) {
  out = {};
  StoreResult r = result();
  if (!r.ok) return r;
  for (const RunRecord& run : records) {
    if (run.lesson < 0 || run.lesson >= kLessonCount) continue;
    ++out.runs[static_cast<std::size_t>(run.lesson)];
    out.latestLesson = run.lesson;
  }
  return r;
}

namespace {

std::string why(const StoreResult& r) {
  const std::string file = "файл истории «" + r.path + "»";
  const std::string detail = r.detail.empty() ? "" : " (" + r.detail + ")";
  switch (r.fault) {
    case HistoryFault::None:
      return "";
    case HistoryFault::CannotOpen:
      return "не удаётся открыть или создать " + file + detail + ".";
    case HistoryFault::ReadOnly:
      return file + " или его папка открыты только для чтения.";
    case HistoryFault::Locked:
      return file + " занят другой копией программы.";
    case HistoryFault::Newer:
      return file + " записан более новой версией программы.";
    case HistoryFault::Damaged:
      return file + " повреждён, и отложить его в сторону не удалось" + detail + ".";
    case HistoryFault::Failed:
      return "ошибка при работе с файлом истории «" + r.path + "»" + detail + ".";
  }
  return "";
}

}  // namespace

std::string recordFailureText(const StoreResult& r) {
  return "Этот урок не записан в историю занятий: " + why(r) +
         " На сам урок это не влияет, записанное раньше сохранено.";
}

std::string readFailureText(const StoreResult& r) {
  return "Историю занятий сейчас не прочитать: " + why(r);
}

std::string setAsideText(const StoreResult& r) {
  return "Файл истории занятий был повреждён. Он сохранён под именем «" + r.setAside +
         "», история начата заново.";
}

namespace {

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar, and
// back (H. Hinnant's algorithms).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct Civil {
  std::int64_t year;
  unsigned month;
  unsigned day;
  unsigned hour;
  unsigned minute;
  unsigned second;
};

Civil civilFrom(std::int64_t seconds) {
  std::int64_t days = seconds / 86400;
  std::int64_t rest = seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto doe = static_cast<unsigned>(days - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
  return {y, m, d, static_cast<unsigned>(rest / 3600), static_cast<unsigned>(rest % 3600 / 60),
          static_cast<unsigned>(rest % 60)};
}

}  // namespace

std::string isoDateTime(std::int64_t localSeconds) {
  const Civil c = civilFrom(localSeconds);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04lld-%02u-%02u %02u:%02u:%02u",
                static_cast<long long>(c.year), c.month, c.day, c.hour, c.minute, c.second);
  return buf;
}

bool parseIsoDateTime(const std::string& text, std::int64_t& localSeconds) {
  int y = 0;
  unsigned mo = 0, d = 0, h = 0, mi = 0, s = 0;
  int used = 0;
  if (std::sscanf(text.c_str(), "%4d-%2u-%2u %2u:%2u:%2u%n", &y, &mo, &d, &h, &mi, &s, &used) != 6 ||
      static_cast<std::size_t>(used) != text.size() || mo < 1 || mo > 12 || d < 1 || d > 31 ||
      h > 23 || mi > 59 || s > 59) {
    return false;
  }
  localSeconds = daysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + s;
  return true;
}

std::string shownDateTime(std::int64_t localSeconds) {
  const Civil c = civilFrom(localSeconds);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%02u.%02u.%04lld %02u:%02u", c.day, c.month,
                static_cast<long long>(c.year), c.hour, c.minute);
  return buf;
}

int lessonOfFile(const std::string& file) {
  for (const Lesson& lesson : lessons()) {
    if (file == lesson.file) return lesson.index;
  }
  return -1;
}

}  // namespace pirvo3
