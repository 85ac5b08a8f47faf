// A bill file's bytes as the core's text. Carriers' downloads come in CP932,
// a spreadsheet saves UTF-8 (often with a byte-order mark); one file is one
// encoding, decided once for the whole of it.
#pragma once

#include <string>
#include <string_view>

namespace zelk {

enum class BillEncoding { Cp932, Utf8 };

struct BillText {
  std::string cp932;
  BillEncoding encoding = BillEncoding::Cp932;
};

// UTF-8 when the file starts with the byte-order mark, or when it holds
// bytes above ASCII and all of them form valid UTF-8; CP932 otherwise. A
// UTF-8 character CP932 lacks becomes "?"; the yen sign U+00A5 becomes the
// CP932 yen sign (0x5C).
BillText decodeBillText(std::string_view bytes);

// UTF-8 text (a path, say) as CP932 the same way: "?" for what CP932 lacks.
std::string cp932OfUtf8(std::string_view utf8);

}  // namespace zelk
