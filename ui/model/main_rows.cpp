#include "ui/model/main_rows.h"

#include <cstdio>

#include "platform/cp932.h"

namespace zelk {
namespace {

// The switch as the settings file writes it: "02" is byte 0, bit 2; "b0" is byte 11, bit 0.
constexpr HideSwitch hs(const char (&code)[3]) {
  int byte = code[0] >= 'a' ? code[0] - 'a' + 10 : code[0] - '0';
  return HideSwitch{byte, code[1] - '0'};
}

constexpr HideSwitch kNever{};

constexpr auto F = RowKind::Fee;
constexpr auto C = RowKind::Count;
constexpr auto Same = IsdnCaption::Same;
constexpr auto Own = IsdnCaption::Own;
constexpr auto Ins = IsdnCaption::InsInFront;

constexpr std::uint16_t An = kAnalogLine;
constexpr std::uint16_t Is = kIsdnLine;
constexpr std::uint16_t Rc = kCarrier;
constexpr std::uint16_t Ky = kKyushu;
constexpr std::uint16_t W = kOwnMaKnown;
constexpr std::uint16_t A = kAdjacentMas;
constexpr std::uint16_t T = kTelechoice;
constexpr std::uint16_t T10 = kTelechoice10Or30;
constexpr std::uint16_t T15 = kTelechoice10Or15;

constexpr std::array<int, 2> kAny{-1, -1};
constexpr std::array<int, 2> g(int slot) { return {slot, -1}; }
constexpr std::array<int, 2> g(int a, int b) { return {a, b}; }

// The Telechoice + Areaplus rows (26, 30) are written on every ISDN line whose
// Telechoice fee is set: the rows are shown with a regional carrier as well,
// and the fee is computed then too, so an empty label would be a lost value.
const std::array<MainRow, kMainRowCount> kRows = {{
    {1, "NormalFee", F, 0, kNever, Same, "通常料金", nullptr,
     "「ケンタくん」も対象ならば自動処理しています。", 14, 0, kAny, false},
    {2, "KddFee", F, kKddi, hs("02"), Same, "KDDI(001)", nullptr,
     "旧KDDの001サービスです。0077や0070ではありません。", 15, kKddi, kAny, false},
    {3, "KddFee_Kpack", F, kKddi, hs("03"), Same, "KDDIかけどくパック", nullptr, nullptr, 16, kKddi, kAny, false},
    {4, "TimeplusFee", F, 0, hs("10"), Own, "タイムプラス(定額通話料 \\200)", "INSタイムプラス(定額通話料 \\350)",
     nullptr, 17, 0, kAny, false},
    {5, "TimeplusFee_with_Ttnet", F, Rc, hs("11"), Ins, "タイムプラス(区域内)+{C}(その他)", nullptr, nullptr, 18,
     Rc, kAny, false},
    {6, "TimeplusFee_with_Ttnet2", F, Ky, hs("12"), Ins, "タイムプラス(区域内)+九州うれしい値プラン(その他)",
     nullptr, nullptr, 19, Ky, kAny, false},
    {7, "TimeplusCount0", C, 0, hs("17"), Same, "タイムプラス適用区域内通常利用度数", nullptr, nullptr, 0, 0, kAny,
     false},
    {8, "TimeplusCount1", C, 0, hs("17"), Same, "タイムプラス適用区域内サービス利用時度数", nullptr, nullptr, 1, 0,
     kAny, false},
    {9, "TtnetFee", F, Rc, hs("01"), Same, "{C}", nullptr, nullptr, 20, Rc, kAny, false},
    {10, "TtnetFee_sub1", F, Ky, hs("02"), Same, "九州電話・九州うれしい値プラン(定額通話料 \\100)", nullptr,
     nullptr, 21, Ky, kAny, false},
    {11, "Telejoze2000Fee", F, An, hs("20"), Same, "テレジョーズ2000(定額通話料 \\1750)", nullptr, nullptr, 22, An,
     kAny, false},
    {12, "Telejoze3000Fee", F, An, hs("21"), Same, "テレジョーズ3000(定額通話料 \\2600)", nullptr, nullptr, 23, An,
     kAny, false},
    {13, "Telejoze5000Fee", F, An, hs("22"), Same, "テレジョーズ5000(定額通話料 \\4300)", nullptr, nullptr, 24, An,
     kAny, false},
    {14, "Telejoze8000Fee", F, An, hs("23"), Same, "テレジョーズ8000(定額通話料 \\6850)", nullptr, nullptr, 25, An,
     kAny, false},
    {15, "TelejozeCount", C, An, hs("27"), Same, "テレジョーズ適用時間内利用度数", nullptr, nullptr, 2, An, kAny,
     false},
    {16, "Telewides10Fee", F, An | W, hs("30"), Same, "テレワイズ10(定額通話料 \\550)", nullptr, nullptr, 26, An,
     g(26), false},
    {17, "Telewides10Fee_with_Tplus", F, An | W, hs("31"), Same, "テレワイズ10(隣接区域・区域外)+タイムプラス(区域内)",
     nullptr, nullptr, 28, An, g(26), false},
    {18, "Telewides10Fee_with_Ttnet", F, An | W | Rc, hs("30"), Same, "テレワイズ10(隣接区域・区域外)+{C}(区域内)",
     nullptr, nullptr, 30, An | Rc, g(26), false},
    {19, "Telewides15Fee", F, An | W, hs("30"), Same, "テレワイズ15(定額通話料 \\1150)", nullptr, nullptr, 27, An,
     g(27), false},
    {20, "Telewides15Fee_with_Tplus", F, An | W, hs("31"), Same, "テレワイズ15(隣接区域・区域外)+タイムプラス(区域内)",
     nullptr, nullptr, 29, An, g(27), false},
    {21, "Telewides15Fee_with_Ttnet", F, An | W | Rc, hs("32"), Same, "テレワイズ15(隣接区域・区域外)+{C}(区域内)",
     nullptr, nullptr, 31, An | Rc, g(27), false},
    {22, "TelewidesCount", C, An | W, hs("37"), Same, "テレワイズ適用区域内利用度数", nullptr, nullptr, 3, An,
     g(26, 27), false},
    {23, "Telechoice10Fee", F, T10, hs("40"), Own, "テレチョイス{T}(定額通話料 \\100)",
     "INSテレチョイス{T}(定額通話料 \\200)", nullptr, 32, 0, g(32), false},
    {24, "Telechoice10Fee_with_Tplus", F, T10, hs("41"), Own, "テレチョイス{T}(適用区域)+タイムプラス(区域内)",
     "INSテレチョイス{T}(適用区域)+INSタイムプラス(区域内)", nullptr, 34, 0, g(32), false},
    {25, "Telechoice10Fee_with_Ttnet", F, T10 | Rc, hs("42"), Ins, "テレチョイス{T}(適用区域)+{C}(適用区域外)",
     nullptr, nullptr, 36, Rc, g(32), false},
    {26, "Telechoice10Fee_with_Aplus", F, T10 | Is | A, hs("46"), Same,
     "INSテレチョイス{T}(適用区域)+INSエリアプラス(適用区域)", nullptr, nullptr, 38, Is, g(32), false},
    {27, "Telechoice15Fee", F, T15, hs("40"), Own, "テレチョイス15(定額通話料 \\200)",
     "INSテレチョイス15(定額通話料 \\400)", nullptr, 33, 0, g(33), false},
    {28, "Telechoice15Fee_with_Tplus", F, T15, hs("41"), Own, "テレチョイス15(適用区域)+タイムプラス(区域内)",
     "INSテレチョイス15(適用区域)+INSタイムプラス(区域内)", nullptr, 35, 0, g(33), false},
    {29, "Telechoice15Fee_with_Ttnet", F, T15 | Rc, hs("42"), Ins, "テレチョイス15(適用区域)+{C}(適用区域外)",
     nullptr, nullptr, 37, Rc, g(33), false},
    {30, "Telechoice15Fee_with_Aplus", F, T15 | Is | A, hs("46"), Same,
     "INSテレチョイス15(適用区域)+INSエリアプラス(適用区域)", nullptr, nullptr, 39, Is, g(33), false},
    {31, "TelechoiceCount", C, T, hs("46"), Same, "テレチョイス適用区域内利用度数", nullptr, nullptr, 4, 0, g(32, 33),
     false},
    {32, "AreaplusFee", F, A, hs("50"), Own, "エリアプラス(定額通話料 \\200)", "INSエリアプラス(定額通話料 \\350)",
     nullptr, 40, 0, g(40), false},
    {33, "AreaplusFee_with_Tplus", F, A, hs("53"), Own, "エリアプラス(対象通話のみ)+タイムプラス(区域内)",
     "INSエリアプラス(対象通話のみ)+INSタイムプラス(区域内)", nullptr, 41, 0, g(40), false},
    {34, "AreaplusFee_with_Ttnet", F, A | Rc, hs("51"), Ins, "エリアプラス(対象通話のみ)+{C}(その他)", nullptr,
     nullptr, 42, Rc, g(40), false},
    {35, "AreaplusFee_with_Ttnet2", F, A | Ky, hs("52"), Ins, "エリアプラス(対象通話のみ)+九州うれしい値ﾌﾟﾗﾝ(その他)",
     nullptr, nullptr, 43, Ky, g(40), false},
    {36, "AreaplusCount0", C, A, hs("57"), Same, "エリアプラス適用区域内通常利用時度数", nullptr, nullptr, 5, 0, g(40),
     false},
    {37, "AreaplusCount1", C, A, hs("57"), Same, "エリアプラス適用区域内サービス利用時度数", nullptr, nullptr, 6, 0,
     g(40), false},
    {38, "Iiplan1200Fee", F, Is, hs("90"), Same, "ｉ・アイプラン1200(定額通話料 \\1200)", nullptr, nullptr, 44, Is,
     kAny, false},
    {39, "Iiplan1200Fee_with_Tplus", F, Is, hs("92"), Same, "ｉ・アイプラン1200(最適番号)+INSタイムプラス(区域内)",
     nullptr, nullptr, 48, Is, kAny, false},
    {40, "Iiplan1200Fee_with_Aplus", F, Is | A, hs("91"), Same,
     "ｉ・アイプラン1200(最適番号)+INSエリアプラス(対象区域)", nullptr, nullptr, 46, Is, g(40), false},
    {41, "Iiplan3000Fee", F, Is, hs("94"), Same, "ｉ・アイプラン3000(定額通話料 \\3000)", nullptr, nullptr, 45, Is,
     kAny, false},
    {42, "Iiplan3000Fee_with_Tplus", F, Is, hs("96"), Same, "ｉ・アイプラン3000(最適番号)+INSタイムプラス(区域内)",
     nullptr, nullptr, 49, Is, kAny, false},
    {43, "Iiplan3000Fee_with_Aplus", F, Is | A, hs("95"), Same,
     "ｉ・アイプラン3000(最適番号)+INSエリアプラス(対象区域)", nullptr, nullptr, 47, Is, g(40), false},
    {44, "IiplanCount", C, Is, hs("97"), Same, "ｉ・アイプラン対象利用度数", nullptr, nullptr, 7, Is, kAny, false},
    {45, "Telehodai0Fee", F, 0, hs("60"), Own, "テレホーダイ1800(定額通話料 \\1800)",
     "INSテレホーダイホーム 市内プラン(定額通話料 \\2400)", nullptr, 50, 0, g(50), false},
    {46, "Telehodai0Fee_with_Tplus", F, 0, hs("61"), Own, "テレホーダイ1800(時間内上位2番号)+ﾀｲﾑﾌﾟﾗｽ(区域内)",
     "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 市内P(時間内上位2番号)+INSﾀｲﾑﾌﾟﾗｽ(区域内)", nullptr, 52, 0, g(50), false},
    {47, "Telehodai0Fee_with_Ttnet", F, Rc, hs("62"), Own, "テレホーダイ1800(時間内上位2番号)+{C}(その他)",
     "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 市内P(時間内上位2番号)+{C}(その他)", nullptr, 54, Rc, g(50), false},
    {48, "Telehodai0Fee_with_Ttnet2", F, Ky, hs("64"), Own, "ﾃﾚﾎｰﾀﾞｲ1800(上位2番号)+九州うれしい値ﾌﾟﾗﾝ(その他)",
     "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 市内P(上位2番号)+九州うれしい値ﾌﾟﾗﾝ(その他)", nullptr, 56, Ky, g(50), false},
    {49, "Telehodai0Fee_with_Aplus", F, A, hs("63"), Own, "テレホーダイ1800(時間内上位2番号)+ｴﾘｱﾌﾟﾗｽ(区域内)",
     "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 市内P(時間内上位2番号)+INSｴﾘｱﾌﾟﾗｽ(区域内)", nullptr, 58, 0, g(50), false},
    {50, "Telehodai0Count0", C, 0, hs("67"), Same, "対象時間内利用度数(対象MAのみ)", nullptr, nullptr, 8, 0, g(50),
     false},
    {51, "Telehodai0Count1", C, 0, hs("67"), Same, "対象時間内利用度数(上位2番号)", nullptr, nullptr, 9, 0, g(50),
     false},
    {52, "Telehodai0Count2", C, kDesignatedOwnMa, hs("67"), Same, "対象時間内利用度数(指定番号のみ)", nullptr,
     nullptr, 10, 0, g(50), true},
    {53, "Telehodai1Fee", F, A, hs("70"), Own, "テレホーダイ3600(定額通話料 \\3600)",
     "INSテレホーダイホーム 隣接プラン(定額通話料 \\4800)", nullptr, 51, 0, g(51), false},
    {54, "Telehodai1Fee_with_Tplus", F, A, hs("71"), Own, "テレホーダイ3600(時間内上位2番号)+ﾀｲﾑﾌﾟﾗｽ(区域内)",
     "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 隣接P(時間内上位2番号)+INSﾀｲﾑﾌﾟﾗｽ(区域内)", nullptr, 53, 0, g(51), false},
    {55, "Telehodai1Fee_with_Ttnet", F, A | Rc, hs("72"), Own, "テレホーダイ3600(時間内上位2番号)+{C}(その他)",
     "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 隣接P(時間内上位2番号)+{C}(その他)", nullptr, 55, Rc, g(51), false},
    {56, "Telehodai1Fee_with_Ttnet2", F, A | Ky, hs("74"), Own, "ﾃﾚﾎｰﾀﾞｲ3600(上位2番号)+九州うれしい値ﾌﾟﾗﾝ(その他)",
     "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 隣接P(上位2番号)+九州うれしい値ﾌﾟﾗﾝ(その他)", nullptr, 57, Ky, g(51), false},
    {57, "Telehodai1Fee_with_Aplus", F, A, hs("73"), Own, "テレホーダイ3600(時間内上位2番号)+ｴﾘｱﾌﾟﾗｽ(区域内)",
     "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 隣接P(時間内上位2番号)+INSｴﾘｱﾌﾟﾗｽ(区域内)", nullptr, 59, 0, g(51), false},
    {58, "Telehodai1Count0", C, A, hs("77"), Same, "対象時間内利用度数(対象MAのみ)", nullptr, nullptr, 11, 0, g(51),
     false},
    {59, "Telehodai1Count1", C, A, hs("77"), Same, "対象時間内利用度数(上位2番号)", nullptr, nullptr, 12, 0, g(51),
     false},
    {60, "Telehodai1Count2", C, A | kDesignatedAdjacent, hs("77"), Same, "対象時間内利用度数(指定番号のみ)", nullptr,
     nullptr, 13, 0, g(51), true},
    {61, "FletsiFee", F, Is | kFlets, hs("b0"), Same, "フレッツ・Isdn(定額通信料 \\4500)", nullptr, nullptr, 60,
     Is | kFlets, kAny, false},
}};

bool telehodaiGiven(const RunSettings& settings) {
  const auto count = settings.telehodai.count;
  return count >= 1 && count != TelehodaiNumbers::kInvalid;
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
    text.replace(pos, from.size(), to);
}

}  // namespace

bool needsHold(std::uint16_t needs, const RunSettings& s) {
  const bool isdn = s.isdn != 0;
  const auto kind = static_cast<int>(s.telechoiceKind);
  const struct {
    std::uint16_t bit;
    bool holds;
  } tests[] = {
      {kAnalogLine, !isdn},
      {kIsdnLine, isdn},
      {kCarrier, s.regionalCarrier != RegionalCarrier::None},
      {kKyushu, s.regionalCarrier == RegionalCarrier::Kyushu},
      {kKddi, s.kddi != 0},
      {kOwnMaKnown, !s.origin.prefixes.empty()},
      {kAdjacentMas, !s.origin.adjacentPrefixes.empty()},
      {kTelechoice, kind != 0},
      {kTelechoice10Or30, kind == 1 || kind == 3},
      {kTelechoice10Or15, kind == 1 || kind == 2},
      {kFlets, s.flets != 0},
      {kDesignatedOwnMa, telehodaiGiven(s) && s.telehodai.adjacent == 0},
      {kDesignatedAdjacent, telehodaiGiven(s) && s.telehodai.adjacent != 0},
  };
  for (const auto& test : tests)
    if ((needs & test.bit) && !test.holds) return false;
  return true;
}

const std::array<MainRow, kMainRowCount>& mainRows() { return kRows; }

std::string panelName(const MainRow& row) { return std::string("Panel_") + row.name; }
std::string labelName(const MainRow& row) { return std::string("Label_") + row.name; }

std::string carrierName(const RunSettings& settings) {
  switch (settings.regionalCarrier) {
    case RegionalCarrier::Tokyo: return sjis("東京電話");
    case RegionalCarrier::Kyushu: return sjis("九州電話");
    default: return {};
  }
}

std::string rowCaption(const MainRow& row, const RunSettings& settings) {
  std::string text = row.caption;
  if (settings.isdn) {
    if (row.isdnCaption == IsdnCaption::Own) text = row.isdnText;
    if (row.isdnCaption == IsdnCaption::InsInFront) text = "INS" + text;
  }
  replaceAll(text, "{T}", settings.telechoiceKind == TelechoiceKind::Plan30 ? "30" : "10");
  replaceAll(text, "{C}", toUtf8(carrierName(settings)));
  return sjis(text);
}

bool rowInUse(const MainRow& row, const RunSettings& settings) {
  return needsHold(row.shownWhen, settings) && !row.hide.isSet(settings);
}

std::string rowHint(const MainRow& row) { return row.hint ? sjis(row.hint) : std::string(); }

std::string formatRowValue(RowKind kind, std::uint32_t value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%7u", static_cast<unsigned>(value));
  return kind == RowKind::Fee ? "\x5C" + std::string(digits) : digits + sjis("度数");
}

std::string cheapestPlanCaption() { return sjis("最適プラン"); }

std::array<std::string, 3> callListHeader() {
  return {"TelNo.", sjis("対象時間度数"), sjis("非対象時間度数")};
}

}  // namespace zelk
