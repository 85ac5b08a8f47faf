#include "ui/model/field_limits.h"

#include <limits>

#include "base/text.h"
#include "platform/cp932.h"

namespace zelk {
namespace {

std::size_t measure(std::string_view cp932, const FieldLimit& field) {
  return field.digits ? digitsOnly(cp932, std::numeric_limits<std::size_t>::max()).size() : cp932.size();
}

}  // namespace

bool fitsField(std::string_view cp932, const FieldLimit& field) {
  return measure(cp932, field) <= field.limit &&
         !(field.noDoubleEquals && cp932.find("==") != std::string_view::npos);
}

std::optional<std::string> fieldProblem(std::string_view label, std::string_view cp932, bool convertible,
                                        const FieldLimit& field) {
  std::string message(label);
  message += sjis(" : ");
  if (!convertible) return message + sjis("シフトJISで表せない文字が入っています。");
  if (field.noDoubleEquals && cp932.find("==") != std::string_view::npos)
    return message + sjis("「==」は名前と番号の区切りなので、名前には使えません。");
  if (measure(cp932, field) <= field.limit) return std::nullopt;
  const std::string limit = std::to_string(field.limit);
  if (field.digits) return message + sjis("番号が長すぎます。") + limit + sjis("桁までです。");
  return message + sjis("長すぎます。半角") + limit + sjis("文字(全角") + std::to_string(field.limit / 2) +
         sjis("文字)までです。");
}

}  // namespace zelk
