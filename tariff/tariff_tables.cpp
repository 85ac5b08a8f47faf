#include "tariff/tariff_tables.h"

namespace zelk {
namespace {

// Unit lengths below are tenths of a second (day, night, late night); unit
// prices tenths of a yen; KDDI step prices hundredths of a yen.
constexpr std::int32_t k10Yen = 100;
constexpr std::int32_t k9Yen = 90;

// --- NTT East/West ----------------------------------------------------------
// Rows: band 1, 2, 3, 4, 5, and one row for 6, 7 and 20.
constexpr UnitRate kNttRows[] = {
    {{1800, 1800, 2400}, k10Yen},
    {{900, 900, 1200}, k10Yen},
    {{450, 450, 600}, k10Yen},
    {{360, 360, 600}, k10Yen},
    {{225, 300, 450}, k10Yen},
    {{200, 225, 300}, k10Yen},
};
constexpr RateChange<UnitRate> kNttChanges[] = {
    {20001001, RateScope::AllCalls, 2, {{600, 750, 900}, k10Yen}},
    {20001001, RateScope::AllCalls, 3, {{600, 750, 900}, k10Yen}},
    {20001001, RateScope::AllCalls, 4, {{450, 600, 900}, k10Yen}},
    {20001001, RateScope::AllCalls, 5, {{450, 600, 900}, k10Yen}},
};

// --- NTT Com ----------------------------------------------------------------
// Same rows as NTT East/West; the original rates are the same too.
constexpr RateChange<UnitRate> kComChanges[] = {
    {20000403, RateScope::AllCalls, 3, {{450, 450, 600}, k10Yen}},
    {20000403, RateScope::AllCalls, 4, {{260, 450, 450}, k10Yen}},
    {20000403, RateScope::AllCalls, 5, {{200, 260, 360}, k10Yen}},
};

// --- In-area plan -------------------------------------------------------------
constexpr UnitRate kLocalPlanRows[] = {
    {{3000, 3000, 4200}, k10Yen},
};

// --- TTNet ------------------------------------------------------------------
// Rows: band 1, 2, 3, 4, 5, one row for 6 and 7, and band 20.
constexpr UnitRate kTtnetRows[] = {
    {{1800, 1800, 2250}, k9Yen},
    {{900, 900, 1200}, k9Yen},
    {{900, 900, 900}, k9Yen},
    {{600, 600, 900}, k9Yen},
    {{360, 450, 600}, k9Yen},
    {{260, 300, 450}, k9Yen},
    {{260, 300, 360}, k9Yen},
};
constexpr RateChange<UnitRate> kTtnetChanges[] = {
    {20001001, RateScope::InPrefecture, 3, {{900, 900, 900}, k9Yen}},
    {20001001, RateScope::InPrefecture, 4, {{600, 600, 900}, k9Yen}},
    {20001001, RateScope::InPrefecture, 5, {{600, 600, 900}, k9Yen}},
    {20001001, RateScope::InPrefecture, 6, {{600, 600, 900}, k9Yen}},
};

// --- QTNet ------------------------------------------------------------------
// Rows: band 1, one row for 2 and 3, band 4, band 5, one row for 6, 7 and 20.
// Its in-prefecture rates start a month after those of TTNet and KDDI.
constexpr UnitRate kQtnetRows[] = {
    {{1800, 1800, 2250}, k9Yen},
    {{900, 900, 1200}, k9Yen},
    {{450, 600, 900}, k10Yen},
    {{300, 450, 600}, k10Yen},
    {{260, 300, 450}, k10Yen},
};
constexpr RateChange<UnitRate> kQtnetChanges[] = {
    {20000901, RateScope::AllCalls, 2, {{600, 600, 900}, k10Yen}},
    {20000901, RateScope::AllCalls, 3, {{360, 450, 600}, k10Yen}},
    {20001101, RateScope::InPrefecture, 2, {{600, 750, 900}, k9Yen}},
    {20001101, RateScope::InPrefecture, 3, {{600, 750, 900}, k9Yen}},
    {20001101, RateScope::InPrefecture, 4, {{600, 750, 900}, k9Yen}},
};

// --- KDDI 001 -----------------------------------------------------------------
// Rows: class A (bands 1, 2), B (3, 4), C (5), D (6, 7, 20). Class D kept its
// rates on 1999-09-24, and class A its rates for in-prefecture calls.
constexpr StepRate kKddiRows[] = {
    {{130, 130, 100}},
    {{130, 130, 100}},
    {{180, 130, 100}},
    {{230, 180, 100}},
};
constexpr RateChange<StepRate> kKddiChanges[] = {
    {19990924, RateScope::AllCalls, 0, {{66, 66, 50}}},
    {19990924, RateScope::AllCalls, 1, {{110, 110, 90}}},
    {19990924, RateScope::AllCalls, 2, {{180, 120, 90}}},
    {20001001, RateScope::InPrefecture, 1, {{101, 91, 68}}},
    {20001001, RateScope::InPrefecture, 2, {{131, 101, 68}}},
    {20001001, RateScope::InPrefecture, 3, {{131, 101, 68}}},
};

//                                       band: 1  2  3  4  5  6  7  20
constexpr std::array<std::uint8_t, kBandColumns> kNttRowOfBand{0, 1, 2, 3, 4, 5, 5, 5};
constexpr std::array<std::uint8_t, kBandColumns> kOneRow{0, 0, 0, 0, 0, 0, 0, 0};
constexpr std::array<std::uint8_t, kBandColumns> kTtnetRowOfBand{0, 1, 2, 3, 4, 5, 5, 6};
constexpr std::array<std::uint8_t, kBandColumns> kQtnetRowOfBand{0, 1, 1, 2, 3, 4, 4, 4};
constexpr std::array<std::uint8_t, kBandColumns> kKddiRowOfBand{0, 0, 1, 1, 2, 3, 3, 3};

}  // namespace

constinit const DatedTariff<UnitRate> kNttTariff{kNttRowOfBand, kNttRows, kNttChanges};
constinit const DatedTariff<UnitRate> kComTariff{kNttRowOfBand, kNttRows, kComChanges};
constinit const DatedTariff<UnitRate> kLocalPlanTariff{kOneRow, kLocalPlanRows, {}};
constinit const DatedTariff<UnitRate> kTtnetTariff{kTtnetRowOfBand, kTtnetRows, kTtnetChanges};
constinit const DatedTariff<UnitRate> kQtnetTariff{kQtnetRowOfBand, kQtnetRows, kQtnetChanges};
constinit const DatedTariff<StepRate> kKddiTariff{kKddiRowOfBand, kKddiRows, kKddiChanges};

}  // namespace zelk
