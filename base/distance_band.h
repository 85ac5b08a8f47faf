#pragma once

#include <cstdint>

namespace zelk {

// Distance band of a called number, as stored in month rows and the area set.
enum class DistanceBand : std::uint8_t {
  Undetermined = 0,  // only while a row is being created
  InArea = 1,
  Adjacent = 2,      // adjacent MA or up to 20 km
  Upto30km = 3,
  Upto60km = 4,
  Upto100km = 5,
  Upto160km = 6,
  Upto170km = 7,
  Beyond170km = 20,
  UnknownDistance = 21,  // the MA is not in the MA data; never stays in a row
};

}  // namespace zelk
