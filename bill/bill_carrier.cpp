#include "bill/bill_carrier.h"

#include <array>
#include <string>

#include "platform/cp932.h"

namespace zelk {
namespace {

constexpr std::array<std::string_view, kBillCarrierCount> kKeys = {"ntt", "com", "ttnet", "qtnet", "kddi"};

// What a bill writes for each carrier, as parts of the cell (UTF-8 here,
// matched in CP932, ASCII letters in any case). Checked in this order, so
// the NTT Com names come before plain "NTT".
struct CarrierWords {
  BillCarrier carrier;
  std::string_view words[5];
};
constexpr CarrierWords kWords[] = {
    {BillCarrier::Com, {"nttコム", "nttコミュニケーションズ", "ntt com", "nttcom", "ocn"}},
    {BillCarrier::TTNet, {"東京電話", "ttnet", "0088"}},
    {BillCarrier::QTNet, {"九州電話", "qtnet", "0090"}},
    {BillCarrier::Kddi, {"kddi", "001"}},
    {BillCarrier::Ntt, {"ntt東日本", "ntt西日本", "ntt東西", "ntt"}},
};

// ASCII letters in lower case; the trail bytes of double-byte characters
// are left alone.
std::string lowerAscii(std::string_view cp932) {
  std::string text(cp932);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (isLeadByte(c)) {
      ++i;
    } else if (c >= 'A' && c <= 'Z') {
      text[i] = static_cast<char>(c - 'A' + 'a');
    }
  }
  return text;
}

}  // namespace

std::string_view carrierKey(BillCarrier carrier) { return kKeys[static_cast<std::size_t>(carrier)]; }

std::optional<BillCarrier> carrierOfKey(std::string_view key) {
  for (std::size_t i = 0; i < kKeys.size(); ++i)
    if (kKeys[i] == key) return static_cast<BillCarrier>(i);
  return std::nullopt;
}

std::optional<BillCarrier> carrierOfBillText(std::string_view cp932) {
  const std::string cell = lowerAscii(cp932);
  for (const auto& entry : kWords)
    for (std::string_view word : entry.words)
      if (!word.empty() && cell.find(sjis(word)) != std::string::npos) return entry.carrier;
  return std::nullopt;
}

}  // namespace zelk
