#include "config/log_options.h"

namespace zelk {
namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool beginsWithLetters(std::string_view text, std::string_view letters) {
  if (text.size() < letters.size()) return false;
  for (std::size_t i = 0; i < letters.size(); ++i)
    if (lower(text[i]) != letters[i]) return false;
  return true;
}

}  // namespace

const LogOption* matchLogOption(std::string_view afterDash) {
  for (const auto& option : kLogOptions)
    if (beginsWithLetters(afterDash, option.letters)) return &option;
  return nullptr;
}

}  // namespace zelk
