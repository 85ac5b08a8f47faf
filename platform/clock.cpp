#include "platform/clock.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace zelk {
namespace {

std::optional<LocalDate>& pinnedDate() {
  static std::optional<LocalDate> date;
  return date;
}

}  // namespace

std::optional<LocalDate> parseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  auto number = [&](std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
      if (text[i] < '0' || text[i] > '9') return -1;
      value = value * 10 + (text[i] - '0');
    }
    return value;
  };
  LocalDate date{number(0, 4), number(5, 2), number(8, 2)};
  if (date.year < 0 || date.month < 1 || date.month > 12 || date.day < 1) return std::nullopt;
  static constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
  const int days = kMonthDays[date.month - 1] + (date.month == 2 && leap ? 1 : 0);
  if (date.day > days) return std::nullopt;
  return date;
}

std::string isoDateText(const LocalDate& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

void setToday(std::optional<LocalDate> date) { pinnedDate() = date; }

std::optional<LocalDate> pinnedToday() { return pinnedDate(); }

LocalDate today() {
  if (pinnedDate()) return *pinnedDate();
  if (const char* fixed = std::getenv("ZELK_TODAY")) {
    if (auto date = parseIsoDate(fixed)) return *date;
  }
  std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  ::localtime_s(&local, &now);  // its arguments the other way round
#else
  ::localtime_r(&now, &local);
#endif
  return LocalDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace zelk
