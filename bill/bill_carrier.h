// The carriers whose estimate a bill row can be held against, with the names
// the command line and a bill's carrier column use for them.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace zelk {

enum class BillCarrier { Ntt, Com, TTNet, QTNet, Kddi };
inline constexpr std::size_t kBillCarrierCount = 5;

// "ntt", "com", "ttnet", "qtnet", "kddi": the command line's names.
std::string_view carrierKey(BillCarrier carrier);
std::optional<BillCarrier> carrierOfKey(std::string_view key);

// The carrier a bill's carrier or service cell (CP932) names: "NTT東日本",
// "NTTコミュニケーションズ", "東京電話", "KDDI(001)" and the like. Nothing
// for a cell that names none (a service such as 市内通話).
std::optional<BillCarrier> carrierOfBillText(std::string_view cp932);

}  // namespace zelk
