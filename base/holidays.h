// Japan's national holidays as the holiday law had them each year, and the
// days the charges treat as holidays besides.
//
// Dates are full years, months 1-12 and days 1-31. The years 1900-2100, all a
// calendar record can hold, are worked out once and then looked up; a date
// outside them, or one that does not exist, is no holiday.
#pragma once

namespace zelk {

// True when the date was a national holiday: a holiday of the law in force
// that year (one-off holidays and moved ones included), a substitute holiday
// or a citizens' holiday between two holidays. No date before the law of
// 20 July 1948 is one.
bool isNationalHoliday(int year, int month, int day);

// True when the charges treat the date as a holiday: a national holiday, or
// one of the New Year days 1 to 3 January (the 2nd and 3rd are no national
// holidays, but the charges count them as such).
bool isChargeHoliday(int year, int month, int day);

}  // namespace zelk
