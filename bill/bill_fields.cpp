#include "bill/bill_fields.h"

#include <cstdio>
#include <vector>

#include "platform/cp932.h"

namespace zelk {
namespace {

// Full-width digits and signs a spreadsheet may keep, as ASCII (CP932
// double-byte character -> ASCII byte).
struct WideSign {
  const char* utf8;
  char ascii;
};
constexpr WideSign kWideSigns[] = {
    {"０", '0'}, {"１", '1'}, {"２", '2'}, {"３", '3'}, {"４", '4'}, {"５", '5'}, {"６", '6'},
    {"７", '7'}, {"８", '8'}, {"９", '9'}, {"：", ':'}, {"／", '/'}, {"－", '-'}, {"‐", '-'},
    {"ー", '-'}, {"（", '('}, {"）", ')'}, {"　", ' '}, {"，", ','}, {"．", '.'}, {"￥", '\\'},
};

// The cell with its full-width signs as ASCII and each word of `units`
// (UTF-8) replaced by its ASCII stand-in.
struct Unit {
  const char* utf8;
  const char* ascii;
};
std::string asciiCell(std::string_view cp932, std::initializer_list<Unit> units = {}) {
  std::string text;
  for (std::size_t at = 0; at < cp932.size();) {
    const unsigned char c = static_cast<unsigned char>(cp932[at]);
    if (!isLeadByte(c) || at + 1 == cp932.size()) {
      text += cp932[at++];
      continue;
    }
    const std::string_view character = cp932.substr(at, 2);
    at += 2;
    bool replaced = false;
    for (const auto& sign : kWideSigns) {
      if (sjis(sign.utf8) == character) {
        text += sign.ascii;
        replaced = true;
        break;
      }
    }
    if (!replaced) text += character;
  }
  for (const auto& unit : units) {
    const std::string& word = sjis(unit.utf8);
    for (std::size_t at = 0; (at = text.find(word, at)) != std::string::npos;) {
      text.replace(at, word.size(), unit.ascii);
      at += std::string_view(unit.ascii).size();
    }
  }
  return std::string(trimmed(text));
}

// Reads the text from the left: numbers and the signs between them.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}
  bool atEnd() const { return at_ == text_.size(); }
  // A number of `minDigits` to `maxDigits` digits.
  std::optional<int> number(std::size_t minDigits, std::size_t maxDigits) {
    std::size_t digits = 0;
    int value = 0;
    while (at_ < text_.size() && digits < maxDigits && text_[at_] >= '0' && text_[at_] <= '9') {
      value = value * 10 + (text_[at_++] - '0');
      ++digits;
    }
    if (digits < minDigits || (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9')) return std::nullopt;
    return value;
  }
  bool take(char sign) {
    if (at_ < text_.size() && text_[at_] == sign) {
      ++at_;
      return true;
    }
    return false;
  }
  char next() { return text_[at_++]; }
  bool takeAny(std::string_view signs) {
    if (at_ < text_.size() && signs.find(text_[at_]) != std::string_view::npos) {
      ++at_;
      return true;
    }
    return false;
  }
  void skipSpaces() {
    while (at_ < text_.size() && text_[at_] == ' ') ++at_;
  }
  std::string_view rest() const { return text_.substr(at_); }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t daysOf(int year, int month, int day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int yearOfEra = year - static_cast<int>(era * 400);
  const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

// H:MM or H:MM:SS from the cursor on.
std::optional<int> clockAt(Cursor& cursor) {
  const auto hour = cursor.number(1, 2);
  if (!hour || !cursor.take(':')) return std::nullopt;
  const auto minute = cursor.number(2, 2);
  if (!minute) return std::nullopt;
  int second = 0;
  if (cursor.take(':')) {
    const auto seconds = cursor.number(2, 2);
    if (!seconds) return std::nullopt;
    second = *seconds;
  }
  if (*hour > 23 || *minute > 59 || second > 59) return std::nullopt;
  return *hour * 3600 + *minute * 60 + second;
}

std::string clockCell(std::string_view cp932) {
  std::string text = asciiCell(cp932, {{"時", ":"}, {"分", ":"}, {"秒", ""}});
  if (text.ends_with(':')) text.pop_back();  // "10時04分"
  return text;
}

}  // namespace

Moment momentOf(int year, int month, int day, int hour, int minute, int second) {
  return daysOf(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

std::string momentText(Moment moment) {
  std::int64_t days = moment >= 0 ? moment / 86400 : (moment - 86399) / 86400;
  const std::int64_t second = moment - days * 86400;
  // The civil date of a day count (the inverse of daysOf).
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shifted = (5 * dayOfYear + 2) / 153;
  const std::int64_t day = dayOfYear - (153 * shifted + 2) / 5 + 1;
  const std::int64_t month = shifted < 10 ? shifted + 3 : shifted - 9;
  const std::int64_t year = yearOfEra + era * 400 + (month <= 2);
  char text[80];  // room for every field at its widest, signs included
  std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", static_cast<long long>(year),
                static_cast<long long>(month), static_cast<long long>(day), static_cast<long long>(second / 3600),
                static_cast<long long>(second / 60 % 60), static_cast<long long>(second % 60));
  return text;
}

std::string_view trimmed(std::string_view cp932) {
  const std::string_view wideSpace = sjis("　");
  for (;;) {
    if (cp932.starts_with(' ') || cp932.starts_with('\t')) cp932.remove_prefix(1);
    else if (cp932.starts_with(wideSpace)) cp932.remove_prefix(wideSpace.size());
    else if (cp932.ends_with(' ') || cp932.ends_with('\t')) cp932.remove_suffix(1);
    else if (cp932.ends_with(wideSpace) && (cp932.size() < 3 || !isLeadByte(static_cast<unsigned char>(cp932[cp932.size() - 3]))))
      cp932.remove_suffix(wideSpace.size());
    else return cp932;
  }
}

std::optional<BillDate> parseBillDate(std::string_view cp932) {
  const std::string text = asciiCell(cp932, {{"年", "/"}, {"月", "/"}, {"日", " "}, {"時", ":"}, {"分", ":"}, {"秒", ""}});
  Cursor cursor(text);
  const auto year = cursor.number(4, 4);
  if (!year || !cursor.takeAny("/-.")) return std::nullopt;
  const auto month = cursor.number(1, 2);
  if (!month || !cursor.takeAny("/-.")) return std::nullopt;
  const auto day = cursor.number(1, 2);
  if (!day || *year < 1900 || *year > 2100 || *month < 1 || *month > 12 || *day < 1 ||
      *day > daysInMonth(*year, *month))
    return std::nullopt;
  BillDate date{momentOf(*year, *month, *day, 0, 0, 0), std::nullopt};
  cursor.takeAny("T");
  cursor.skipSpaces();
  if (cursor.atEnd()) return date;
  std::string clock(cursor.rest());
  if (clock.ends_with(':')) clock.pop_back();
  Cursor clockCursor(clock);
  date.secondOfDay = clockAt(clockCursor);
  if (!date.secondOfDay || !clockCursor.atEnd()) return std::nullopt;
  return date;
}

std::optional<int> parseClock(std::string_view cp932) {
  const std::string text = clockCell(cp932);
  Cursor cursor(text);
  const auto second = clockAt(cursor);
  if (!second || !cursor.atEnd()) return std::nullopt;
  return second;
}

std::optional<int> parseDuration(std::string_view cp932) {
  constexpr int kLongest = 48 * 3600;  // no call of a bill lasts longer
  std::string text = asciiCell(cp932, {{"時間", "h"}, {"時", "h"}, {"分", "m"}, {"秒", "s"}});
  Cursor cursor(text);
  std::vector<int> parts;
  std::string signs;  // the sign after each number
  while (!cursor.atEnd()) {
    const auto part = cursor.number(1, 6);
    if (!part) return std::nullopt;
    parts.push_back(*part);
    if (cursor.atEnd()) break;
    const char sign = cursor.next();
    if (std::string_view(":hms").find(sign) == std::string_view::npos) return std::nullopt;
    signs += sign;
  }
  if (parts.empty()) return std::nullopt;
  long long seconds = 0;
  if (signs.find(':') == std::string::npos && !signs.empty()) {
    // "1h2m3s" as the kanji units leave it; a bare last number counts seconds.
    if (signs.size() + 1 < parts.size() || signs.find_first_not_of("hms") != std::string::npos) return std::nullopt;
    if (signs.size() < parts.size()) signs += 's';
    for (std::size_t i = 0; i < parts.size(); ++i) {
      if (i > 0 && std::string_view("hms").find(signs[i]) <= std::string_view("hms").find(signs[i - 1]))
        return std::nullopt;  // each unit once, largest first
      seconds += static_cast<long long>(parts[i]) * (signs[i] == 'h' ? 3600 : signs[i] == 'm' ? 60 : 1);
    }
  } else {
    // "H:MM:SS", "M:SS" or seconds alone.
    if (signs.find_first_not_of(':') != std::string::npos || parts.size() > 3 || signs.size() + 1 != parts.size())
      return std::nullopt;
    for (std::size_t i = 1; i < parts.size(); ++i)
      if (parts[i] > 59) return std::nullopt;
    for (int part : parts) seconds = seconds * 60 + part;
  }
  if (seconds > kLongest) return std::nullopt;
  return static_cast<int>(seconds);
}

std::optional<std::int64_t> parseYen(std::string_view cp932) {
  std::string text = asciiCell(cp932, {{"円", ""}});
  std::string digits;
  bool negative = false;
  for (char c : text) {
    if (c == '\\' || c == ',' || c == ' ') continue;
    if (c == '-' && digits.empty() && !negative) {
      negative = true;
      continue;
    }
    if ((c < '0' || c > '9') && c != '.') return std::nullopt;
    digits += c;
  }
  const std::size_t point = digits.find('.');
  const std::string whole = digits.substr(0, point);
  const std::string fraction = point == std::string::npos ? "" : digits.substr(point + 1);
  if (whole.empty() || whole.size() > 12 || fraction.size() > 2 || fraction.find('.') != std::string::npos ||
      (point != std::string::npos && fraction.empty()))
    return std::nullopt;
  std::int64_t hundredths = std::stoll(whole) * 100;
  if (!fraction.empty()) hundredths += std::stoll(fraction) * (fraction.size() == 1 ? 10 : 1);
  return negative ? -hundredths : hundredths;
}

std::optional<std::string> normaliseNumber(std::string_view cp932) {
  const std::string text = asciiCell(cp932);
  std::string digits;
  for (char c : text) {
    if (c >= '0' && c <= '9') digits += c;
    else if (c != '-' && c != '(' && c != ')' && c != ' ') return std::nullopt;
  }
  if (digits.empty()) return std::nullopt;
  return digits;
}

}  // namespace zelk
