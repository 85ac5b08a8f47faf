#include "platform/clock.h"

#include <cstdlib>
#include <ctime>

namespace zelk {

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
  if (date.year < 0 || date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31)
    return std::nullopt;
  return date;
}

LocalDate today() {
  if (const char* fixed = std::getenv("ZELK_TODAY")) {
    if (auto date = parseIsoDate(fixed)) return *date;
  }
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return LocalDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace zelk
