// The eleven record layouts. Columns count from 0 at the first character of
// a line; a field is {first column, width}.
#include <array>

#include "logs/format_rules.h"
#include "logs/log_layout.h"

namespace zelk {
namespace {

// -a1 and -a2 (AirCraft97): one layout, two ways of reading column 67.
constexpr ColumnTest kAccessLogTests[] = {
    {2, "/"},  {5, "/"},  {8, " "},  {11, ":"}, {14, ":"}, {17, " "}, {18, "("},
    {22, ":"}, {25, ":"}, {28, ")"}, {29, " "}, {38, " "}, {49, " "}, {66, " "},
};

// -nt (NifTerm): tab-separated, no seconds in the start.
constexpr ColumnTest kNtTests[] = {{4, "/"}, {7, "/"}, {10, "\t"}, {13, ":"}, {16, "\t"}};

// -v1 (VCTerm): the second date and time (41-57) are tested, never read.
constexpr ColumnTest kV1Tests[] = {
    {20, " "}, {21, " "}, {24, "-"}, {27, "-"}, {30, " "}, {33, ":"}, {36, ":"},
    {39, " "}, {40, " "}, {43, "-"}, {46, "-"}, {49, " "}, {52, ":"}, {55, ":"},
    {58, " "}, {62, ":"}, {65, ":"},
};

// -c (telfee.tel): column 28 separates the length from the fee, untested.
constexpr ColumnTest kCTests[] = {
    {4, "/"},  {7, "/"},  {10, " "}, {13, ":"}, {16, ":"}, {19, " "},
    {22, ":"}, {25, ":"}, {34, " "}, {35, " "}, {36, ":"}, {37, " "},
};

// -t (tftel.tel): the time is the end of the call.
constexpr ColumnTest kTTests[] = {
    {4, "-"},  {7, "-"},  {10, " "}, {13, ":"}, {16, ":"},
    {19, " "}, {22, ":"}, {25, ":"}, {35, "円"}, {37, " "},
};

// -w (wterm.tel)
constexpr ColumnTest kWTests[] = {
    {4, "-"},  {7, "-"},  {10, " "}, {11, " "}, {14, ":"}, {17, ":"},
    {20, " "}, {21, " "}, {22, "["}, {25, ":"}, {28, ":"}, {31, "]"},
    {32, " "}, {40, "円"}, {42, " "}, {43, " "}, {44, "["}, {57, "]"},
};

// -h (phone.txt): start and end of the call; 41-42 hold the weekday.
constexpr ColumnTest kHTests[] = {
    {29, " "}, {34, "."}, {37, "."}, {40, "("}, {43, ")"}, {44, " "},
    {47, ":"}, {50, ":"}, {53, "～"}, {57, ":"}, {60, ":"},
};

// -k (ktx.log): 9-10 hold the weekday.
constexpr ColumnTest kKTests[] = {
    {2, "/"},  {5, "/"},  {8, "("},  {11, ")"}, {12, " "}, {15, ":"}, {18, ":"},
    {21, " "}, {24, ":"}, {27, ":"}, {30, " "}, {39, "円"}, {41, " "},
};

// -mf (connect.dat): the separators inside the date and times are not tested.
constexpr ColumnTest kMfTests[] = {{0, "tel no="}, {19, ";"}, {78, ";"}};

// -r (log.txt): comma fields after column 28.
constexpr ColumnTest kRTests[] = {
    {4, "/"}, {7, "/"}, {10, ","}, {13, ":"}, {16, ":"}, {19, ","}, {22, ":"}, {25, ":"}, {28, ","},
};

constexpr std::array<FormatLayout, 11> kLayouts = {{
    // -w
    {.format = LogFormat::W, .tests = kWTests, .minLength = 58, .maxLength = 79,
     .year = {0, 4}, .month = {5, 2}, .day = {8, 2},
     .time = {{12, 2}, {15, 2}, {18, 2}}, .length = {{23, 2}, {26, 2}, {29, 2}},
     .fee = {33, 5},  // 38-39 hold the yen digit and a blank
     .numberRule = NumberRule::Digits, .number = {45, 12}},

    // -t
    {.format = LogFormat::T, .tests = kTTests, .minLength = 37,
     .endsWithBracket = true,
     .year = {0, 4}, .month = {5, 2}, .day = {8, 2},
     .clockRule = ClockRule::EndAndLength,
     .time = {{11, 2}, {14, 2}, {17, 2}}, .length = {{20, 2}, {23, 2}, {26, 2}},
     .fee = {29, 4},  // 33-34 hold the yen digit and a blank
     .numberRule = NumberRule::Hook, .recordHook = readBracketNumber},

    // -k
    {.format = LogFormat::K, .tests = kKTests, .minLength = 42,
     .endsWithBracket = true,
     .twoDigitYear = true, .year = {0, 2}, .month = {3, 2}, .day = {6, 2},
     .time = {{13, 2}, {16, 2}, {19, 2}}, .length = {{22, 2}, {25, 2}, {28, 2}},
     .fee = {33, 5},  // 38 holds the yen digit
     .numberRule = NumberRule::Hook, .recordHook = readBracketNumber},

    // -c
    {.format = LogFormat::C, .tests = kCTests,
     .year = {0, 4}, .month = {5, 2}, .day = {8, 2},
     .time = {{11, 2}, {14, 2}, {17, 2}}, .length = {{20, 2}, {23, 2}, {26, 2}},
     .fee = {29, 4},  // 33 holds the yen digit
     .numberRule = NumberRule::Name, .number = {38, kToLineEnd}},

    // -mf
    {.format = LogFormat::MF, .tests = kMfTests, .minLength = 79, .maxLength = 79,
     .year = {29, 4}, .month = {34, 2}, .day = {37, 2},
     .clockRule = ClockRule::EndAndLength,
     .time = {{40, 2}, {43, 2}, {46, 2}}, .length = {{56, 2}, {59, 2}, {62, 2}},
     .numberRule = NumberRule::Digits, .number = {7, 12}},

    // -nt
    {.format = LogFormat::NT, .tests = kNtTests, .acceptLine = acceptTabFields,
     .year = {0, 4}, .month = {5, 2}, .day = {8, 2},
     .clockRule = ClockRule::StartOnly, .time = {{11, 2}, {14, 2}, {}},
     .numberRule = NumberRule::Hook, .recordHook = readTabFields},

    // -v1
    {.format = LogFormat::V1, .tests = kV1Tests, .minLength = 68, .maxLength = 68,
     .twoDigitYear = true, .year = {22, 2}, .month = {25, 2}, .day = {28, 2},
     .time = {{31, 2}, {34, 2}, {37, 2}}, .length = {{60, 2}, {63, 2}, {66, 2}},
     .numberRule = NumberRule::Name, .number = {0, 20}},

    // -h
    {.format = LogFormat::H, .tests = kHTests, .minLength = 63, .maxLength = 63,
     .year = {30, 4}, .month = {35, 2}, .day = {38, 2},
     .clockRule = ClockRule::StartAndEnd,
     .time = {{45, 2}, {48, 2}, {51, 2}}, .length = {{55, 2}, {58, 2}, {61, 2}},
     .numberRule = NumberRule::Name, .number = {0, 29}},

    // -r
    {.format = LogFormat::R, .tests = kRTests,
     .year = {0, 4}, .month = {5, 2}, .day = {8, 2},
     .time = {{11, 2}, {14, 2}, {17, 2}}, .length = {{20, 2}, {23, 2}, {26, 2}},
     .numberRule = NumberRule::Hook, .recordHook = readCommaName, .nameHook = commaName},

    // -a1: only dialled numbers; its line test has cut the line already.
    {.format = LogFormat::A1, .tests = kAccessLogTests,
     .acceptLine = acceptDialledLine,
     .twoDigitYear = true, .year = {0, 2}, .month = {3, 2}, .day = {6, 2},
     .time = {{9, 2}, {12, 2}, {15, 2}}, .length = {{19, 3}, {23, 2}, {26, 2}},
     .numberRule = NumberRule::Digits, .number = {kDialMarkColumn + 1, kToLineEnd}},

    // -a2 also takes connection names from column 67.
    {.format = LogFormat::A2, .tests = kAccessLogTests,
     .twoDigitYear = true, .year = {0, 2}, .month = {3, 2}, .day = {6, 2},
     .time = {{9, 2}, {12, 2}, {15, 2}}, .length = {{19, 3}, {23, 2}, {26, 2}},
     .numberRule = NumberRule::Hook, .recordHook = readAccessLogNumber,
     .nameHook = accessLogName},
}};

// The layouts by format code, looked up once per record.
constexpr auto kLayoutByCode = [] {
  std::array<const FormatLayout*, kFormatCodes> byCode{};
  for (const FormatLayout& layout : kLayouts) byCode[static_cast<std::size_t>(layout.format)] = &layout;
  return byCode;
}();

}  // namespace

const FormatLayout* layoutOf(LogFormat format) {
  const auto code = static_cast<std::size_t>(format);
  return code < kLayoutByCode.size() ? kLayoutByCode[code] : nullptr;
}

std::span<const FormatLayout> allLayouts() { return kLayouts; }

}  // namespace zelk
