// The two reference tables of call rates that zelk.cfg carries as comments,
// so that a user choosing an area-set flag can see what each band costs.
// They are printed from their own data; the charges themselves always come
// from the charge rules.
#pragma once

#include <string>
#include <vector>

namespace zelk {

enum class RateScope { InPrefecture, OutOfPrefecture };

// The table's comment lines (CP932), from its opening ";" to its closing ";".
std::vector<std::string> rateReferenceLines(RateScope scope);

}  // namespace zelk
