#include "ui/model/main_rows.h"

#include <cstdio>

#include "platform/cp932.h"

namespace zelk {
namespace {

// The switch as the settings file writes it: "02" is byte 0, bit 2; "b0" is byte 11, bit 0.
constexpr HideSwitch hideSwitch(const char (&code)[3]) {
  int byte = code[0] >= 'a' ? code[0] - 'a' + 10 : code[0] - '0';
  return HideSwitch{byte, code[1] - '0'};
}

// A field a row leaves out has the default of MainRow: shown and written
// always, no hide switch, one caption for both lines, no guards.
//
// The Telechoice + Areaplus rows (26, 30) are written on every ISDN line whose
// Telechoice fee is set: the rows are shown with a regional carrier as well,
// and the fee is computed then too, so an empty label would be a lost value.
const std::array<MainRow, kMainRowCount> kRows = {{
    {.number = 1, .name = "NormalFee", .kind = RowKind::Fee,
     .caption = "通常料金",
     .hint = "「ケンタくん」も対象ならば自動処理しています。",
     .slot = ResultSlot::NormalFee},
    {.number = 2, .name = "KddFee", .kind = RowKind::Fee, .shownWhen = kKddi, .hide = hideSwitch("02"),
     .caption = "KDDI(001)",
     .hint = "旧KDDの001サービスです。0077や0070ではありません。",
     .slot = ResultSlot::KddiFee, .writtenWhen = kKddi},
    {.number = 3, .name = "KddFee_Kpack", .kind = RowKind::Fee, .shownWhen = kKddi, .hide = hideSwitch("03"),
     .caption = "KDDIかけどくパック",
     .slot = ResultSlot::KddiKakedokuFee, .writtenWhen = kKddi},
    {.number = 4, .name = "TimeplusFee", .kind = RowKind::Fee,
     .hide = hideSwitch("10"), .isdnCaption = IsdnCaption::Own,
     .caption = "タイムプラス(定額通話料 \\200)",
     .isdnText = "INSタイムプラス(定額通話料 \\350)",
     .slot = ResultSlot::TimeplusFee},
    {.number = 5, .name = "TimeplusFee_with_Ttnet", .kind = RowKind::Fee,
     .shownWhen = kCarrier, .hide = hideSwitch("11"), .isdnCaption = IsdnCaption::InsInFront,
     .caption = "タイムプラス(区域内)+{C}(その他)",
     .slot = ResultSlot::TimeplusWithCarrierFee, .writtenWhen = kCarrier},
    {.number = 6, .name = "TimeplusFee_with_Ttnet2", .kind = RowKind::Fee,
     .shownWhen = kKyushu, .hide = hideSwitch("12"), .isdnCaption = IsdnCaption::InsInFront,
     .caption = "タイムプラス(区域内)+九州うれしい値プラン(その他)",
     .slot = ResultSlot::TimeplusWithKyushuPlanFee, .writtenWhen = kKyushu},
    {.number = 7, .name = "TimeplusCount0", .kind = RowKind::Count, .hide = hideSwitch("17"),
     .caption = "タイムプラス適用区域内通常利用度数",
     .slot = ResultSlot::TimeplusNormalCount},
    {.number = 8, .name = "TimeplusCount1", .kind = RowKind::Count, .hide = hideSwitch("17"),
     .caption = "タイムプラス適用区域内サービス利用時度数",
     .slot = ResultSlot::TimeplusServiceCount},
    {.number = 9, .name = "TtnetFee", .kind = RowKind::Fee, .shownWhen = kCarrier, .hide = hideSwitch("01"),
     .caption = "{C}",
     .slot = ResultSlot::CarrierFee, .writtenWhen = kCarrier},
    {.number = 10, .name = "TtnetFee_sub1", .kind = RowKind::Fee, .shownWhen = kKyushu, .hide = hideSwitch("02"),
     .caption = "九州電話・九州うれしい値プラン(定額通話料 \\100)",
     .slot = ResultSlot::KyushuPlanFee, .writtenWhen = kKyushu},
    {.number = 11, .name = "Telejoze2000Fee", .kind = RowKind::Fee,
     .shownWhen = kAnalogLine, .hide = hideSwitch("20"),
     .caption = "テレジョーズ2000(定額通話料 \\1750)",
     .slot = ResultSlot::Telejoze2000Fee, .writtenWhen = kAnalogLine},
    {.number = 12, .name = "Telejoze3000Fee", .kind = RowKind::Fee,
     .shownWhen = kAnalogLine, .hide = hideSwitch("21"),
     .caption = "テレジョーズ3000(定額通話料 \\2600)",
     .slot = ResultSlot::Telejoze3000Fee, .writtenWhen = kAnalogLine},
    {.number = 13, .name = "Telejoze5000Fee", .kind = RowKind::Fee,
     .shownWhen = kAnalogLine, .hide = hideSwitch("22"),
     .caption = "テレジョーズ5000(定額通話料 \\4300)",
     .slot = ResultSlot::Telejoze5000Fee, .writtenWhen = kAnalogLine},
    {.number = 14, .name = "Telejoze8000Fee", .kind = RowKind::Fee,
     .shownWhen = kAnalogLine, .hide = hideSwitch("23"),
     .caption = "テレジョーズ8000(定額通話料 \\6850)",
     .slot = ResultSlot::Telejoze8000Fee, .writtenWhen = kAnalogLine},
    {.number = 15, .name = "TelejozeCount", .kind = RowKind::Count,
     .shownWhen = kAnalogLine, .hide = hideSwitch("27"),
     .caption = "テレジョーズ適用時間内利用度数",
     .slot = ResultSlot::TelejozeOffPeakCount, .writtenWhen = kAnalogLine},
    {.number = 16, .name = "Telewides10Fee", .kind = RowKind::Fee,
     .shownWhen = kAnalogLine | kOwnMaKnown, .hide = hideSwitch("30"),
     .caption = "テレワイズ10(定額通話料 \\550)",
     .slot = ResultSlot::Telewides10Fee, .writtenWhen = kAnalogLine, .guards = {ResultSlot::Telewides10Fee}},
    {.number = 17, .name = "Telewides10Fee_with_Tplus", .kind = RowKind::Fee,
     .shownWhen = kAnalogLine | kOwnMaKnown, .hide = hideSwitch("31"),
     .caption = "テレワイズ10(隣接区域・区域外)+タイムプラス(区域内)",
     .slot = ResultSlot::Telewides10WithTimeplusFee, .writtenWhen = kAnalogLine, .guards = {ResultSlot::Telewides10Fee}},
    {.number = 18, .name = "Telewides10Fee_with_Ttnet", .kind = RowKind::Fee,
     .shownWhen = kAnalogLine | kOwnMaKnown | kCarrier, .hide = hideSwitch("30"),
     .caption = "テレワイズ10(隣接区域・区域外)+{C}(区域内)",
     .slot = ResultSlot::Telewides10WithCarrierFee, .writtenWhen = kAnalogLine | kCarrier, .guards = {ResultSlot::Telewides10Fee}},
    {.number = 19, .name = "Telewides15Fee", .kind = RowKind::Fee,
     .shownWhen = kAnalogLine | kOwnMaKnown, .hide = hideSwitch("30"),
     .caption = "テレワイズ15(定額通話料 \\1150)",
     .slot = ResultSlot::Telewides15Fee, .writtenWhen = kAnalogLine, .guards = {ResultSlot::Telewides15Fee}},
    {.number = 20, .name = "Telewides15Fee_with_Tplus", .kind = RowKind::Fee,
     .shownWhen = kAnalogLine | kOwnMaKnown, .hide = hideSwitch("31"),
     .caption = "テレワイズ15(隣接区域・区域外)+タイムプラス(区域内)",
     .slot = ResultSlot::Telewides15WithTimeplusFee, .writtenWhen = kAnalogLine, .guards = {ResultSlot::Telewides15Fee}},
    {.number = 21, .name = "Telewides15Fee_with_Ttnet", .kind = RowKind::Fee,
     .shownWhen = kAnalogLine | kOwnMaKnown | kCarrier, .hide = hideSwitch("32"),
     .caption = "テレワイズ15(隣接区域・区域外)+{C}(区域内)",
     .slot = ResultSlot::Telewides15WithCarrierFee, .writtenWhen = kAnalogLine | kCarrier, .guards = {ResultSlot::Telewides15Fee}},
    {.number = 22, .name = "TelewidesCount", .kind = RowKind::Count,
     .shownWhen = kAnalogLine | kOwnMaKnown, .hide = hideSwitch("37"),
     .caption = "テレワイズ適用区域内利用度数",
     .slot = ResultSlot::TelewidesCount, .writtenWhen = kAnalogLine, .guards = {ResultSlot::Telewides10Fee, ResultSlot::Telewides15Fee}},
    {.number = 23, .name = "Telechoice10Fee", .kind = RowKind::Fee,
     .shownWhen = kTelechoice10Or30, .hide = hideSwitch("40"), .isdnCaption = IsdnCaption::Own,
     .caption = "テレチョイス{T}(定額通話料 \\100)",
     .isdnText = "INSテレチョイス{T}(定額通話料 \\200)",
     .slot = ResultSlot::Telechoice10Fee, .guards = {ResultSlot::Telechoice10Fee}},
    {.number = 24, .name = "Telechoice10Fee_with_Tplus", .kind = RowKind::Fee,
     .shownWhen = kTelechoice10Or30, .hide = hideSwitch("41"), .isdnCaption = IsdnCaption::Own,
     .caption = "テレチョイス{T}(適用区域)+タイムプラス(区域内)",
     .isdnText = "INSテレチョイス{T}(適用区域)+INSタイムプラス(区域内)",
     .slot = ResultSlot::Telechoice10WithTimeplusFee, .guards = {ResultSlot::Telechoice10Fee}},
    {.number = 25, .name = "Telechoice10Fee_with_Ttnet", .kind = RowKind::Fee,
     .shownWhen = kTelechoice10Or30 | kCarrier, .hide = hideSwitch("42"), .isdnCaption = IsdnCaption::InsInFront,
     .caption = "テレチョイス{T}(適用区域)+{C}(適用区域外)",
     .slot = ResultSlot::Telechoice10WithCarrierFee, .writtenWhen = kCarrier, .guards = {ResultSlot::Telechoice10Fee}},
    {.number = 26, .name = "Telechoice10Fee_with_Aplus", .kind = RowKind::Fee,
     .shownWhen = kTelechoice10Or30 | kIsdnLine | kAdjacentMas, .hide = hideSwitch("46"),
     .caption = "INSテレチョイス{T}(適用区域)+INSエリアプラス(適用区域)",
     .slot = ResultSlot::Telechoice10WithAreaplusFee, .writtenWhen = kIsdnLine, .guards = {ResultSlot::Telechoice10Fee}},
    {.number = 27, .name = "Telechoice15Fee", .kind = RowKind::Fee,
     .shownWhen = kTelechoice10Or15, .hide = hideSwitch("40"), .isdnCaption = IsdnCaption::Own,
     .caption = "テレチョイス15(定額通話料 \\200)",
     .isdnText = "INSテレチョイス15(定額通話料 \\400)",
     .slot = ResultSlot::Telechoice15Fee, .guards = {ResultSlot::Telechoice15Fee}},
    {.number = 28, .name = "Telechoice15Fee_with_Tplus", .kind = RowKind::Fee,
     .shownWhen = kTelechoice10Or15, .hide = hideSwitch("41"), .isdnCaption = IsdnCaption::Own,
     .caption = "テレチョイス15(適用区域)+タイムプラス(区域内)",
     .isdnText = "INSテレチョイス15(適用区域)+INSタイムプラス(区域内)",
     .slot = ResultSlot::Telechoice15WithTimeplusFee, .guards = {ResultSlot::Telechoice15Fee}},
    {.number = 29, .name = "Telechoice15Fee_with_Ttnet", .kind = RowKind::Fee,
     .shownWhen = kTelechoice10Or15 | kCarrier, .hide = hideSwitch("42"), .isdnCaption = IsdnCaption::InsInFront,
     .caption = "テレチョイス15(適用区域)+{C}(適用区域外)",
     .slot = ResultSlot::Telechoice15WithCarrierFee, .writtenWhen = kCarrier, .guards = {ResultSlot::Telechoice15Fee}},
    {.number = 30, .name = "Telechoice15Fee_with_Aplus", .kind = RowKind::Fee,
     .shownWhen = kTelechoice10Or15 | kIsdnLine | kAdjacentMas, .hide = hideSwitch("46"),
     .caption = "INSテレチョイス15(適用区域)+INSエリアプラス(適用区域)",
     .slot = ResultSlot::Telechoice15WithAreaplusFee, .writtenWhen = kIsdnLine, .guards = {ResultSlot::Telechoice15Fee}},
    {.number = 31, .name = "TelechoiceCount", .kind = RowKind::Count,
     .shownWhen = kTelechoice, .hide = hideSwitch("46"),
     .caption = "テレチョイス適用区域内利用度数",
     .slot = ResultSlot::TelechoiceCount, .guards = {ResultSlot::Telechoice10Fee, ResultSlot::Telechoice15Fee}},
    {.number = 32, .name = "AreaplusFee", .kind = RowKind::Fee,
     .shownWhen = kAdjacentMas, .hide = hideSwitch("50"), .isdnCaption = IsdnCaption::Own,
     .caption = "エリアプラス(定額通話料 \\200)",
     .isdnText = "INSエリアプラス(定額通話料 \\350)",
     .slot = ResultSlot::AreaplusFee, .guards = {ResultSlot::AreaplusFee}},
    {.number = 33, .name = "AreaplusFee_with_Tplus", .kind = RowKind::Fee,
     .shownWhen = kAdjacentMas, .hide = hideSwitch("53"), .isdnCaption = IsdnCaption::Own,
     .caption = "エリアプラス(対象通話のみ)+タイムプラス(区域内)",
     .isdnText = "INSエリアプラス(対象通話のみ)+INSタイムプラス(区域内)",
     .slot = ResultSlot::AreaplusWithTimeplusFee, .guards = {ResultSlot::AreaplusFee}},
    {.number = 34, .name = "AreaplusFee_with_Ttnet", .kind = RowKind::Fee,
     .shownWhen = kAdjacentMas | kCarrier, .hide = hideSwitch("51"), .isdnCaption = IsdnCaption::InsInFront,
     .caption = "エリアプラス(対象通話のみ)+{C}(その他)",
     .slot = ResultSlot::AreaplusWithCarrierFee, .writtenWhen = kCarrier, .guards = {ResultSlot::AreaplusFee}},
    {.number = 35, .name = "AreaplusFee_with_Ttnet2", .kind = RowKind::Fee,
     .shownWhen = kAdjacentMas | kKyushu, .hide = hideSwitch("52"), .isdnCaption = IsdnCaption::InsInFront,
     .caption = "エリアプラス(対象通話のみ)+九州うれしい値ﾌﾟﾗﾝ(その他)",
     .slot = ResultSlot::AreaplusWithKyushuPlanFee, .writtenWhen = kKyushu, .guards = {ResultSlot::AreaplusFee}},
    {.number = 36, .name = "AreaplusCount0", .kind = RowKind::Count,
     .shownWhen = kAdjacentMas, .hide = hideSwitch("57"),
     .caption = "エリアプラス適用区域内通常利用時度数",
     .slot = ResultSlot::AreaplusNormalCount, .guards = {ResultSlot::AreaplusFee}},
    {.number = 37, .name = "AreaplusCount1", .kind = RowKind::Count,
     .shownWhen = kAdjacentMas, .hide = hideSwitch("57"),
     .caption = "エリアプラス適用区域内サービス利用時度数",
     .slot = ResultSlot::AreaplusServiceCount, .guards = {ResultSlot::AreaplusFee}},
    {.number = 38, .name = "Iiplan1200Fee", .kind = RowKind::Fee, .shownWhen = kIsdnLine, .hide = hideSwitch("90"),
     .caption = "ｉ・アイプラン1200(定額通話料 \\1200)",
     .slot = ResultSlot::Iiplan1200Fee, .writtenWhen = kIsdnLine},
    {.number = 39, .name = "Iiplan1200Fee_with_Tplus", .kind = RowKind::Fee,
     .shownWhen = kIsdnLine, .hide = hideSwitch("92"),
     .caption = "ｉ・アイプラン1200(最適番号)+INSタイムプラス(区域内)",
     .slot = ResultSlot::Iiplan1200WithTimeplusFee, .writtenWhen = kIsdnLine},
    {.number = 40, .name = "Iiplan1200Fee_with_Aplus", .kind = RowKind::Fee,
     .shownWhen = kIsdnLine | kAdjacentMas, .hide = hideSwitch("91"),
     .caption = "ｉ・アイプラン1200(最適番号)+INSエリアプラス(対象区域)",
     .slot = ResultSlot::Iiplan1200WithAreaplusFee, .writtenWhen = kIsdnLine, .guards = {ResultSlot::AreaplusFee}},
    {.number = 41, .name = "Iiplan3000Fee", .kind = RowKind::Fee, .shownWhen = kIsdnLine, .hide = hideSwitch("94"),
     .caption = "ｉ・アイプラン3000(定額通話料 \\3000)",
     .slot = ResultSlot::Iiplan3000Fee, .writtenWhen = kIsdnLine},
    {.number = 42, .name = "Iiplan3000Fee_with_Tplus", .kind = RowKind::Fee,
     .shownWhen = kIsdnLine, .hide = hideSwitch("96"),
     .caption = "ｉ・アイプラン3000(最適番号)+INSタイムプラス(区域内)",
     .slot = ResultSlot::Iiplan3000WithTimeplusFee, .writtenWhen = kIsdnLine},
    {.number = 43, .name = "Iiplan3000Fee_with_Aplus", .kind = RowKind::Fee,
     .shownWhen = kIsdnLine | kAdjacentMas, .hide = hideSwitch("95"),
     .caption = "ｉ・アイプラン3000(最適番号)+INSエリアプラス(対象区域)",
     .slot = ResultSlot::Iiplan3000WithAreaplusFee, .writtenWhen = kIsdnLine, .guards = {ResultSlot::AreaplusFee}},
    {.number = 44, .name = "IiplanCount", .kind = RowKind::Count, .shownWhen = kIsdnLine, .hide = hideSwitch("97"),
     .caption = "ｉ・アイプラン対象利用度数",
     .slot = ResultSlot::IiplanDesignatedCount, .writtenWhen = kIsdnLine},
    {.number = 45, .name = "Telehodai0Fee", .kind = RowKind::Fee,
     .hide = hideSwitch("60"), .isdnCaption = IsdnCaption::Own,
     .caption = "テレホーダイ1800(定額通話料 \\1800)",
     .isdnText = "INSテレホーダイホーム 市内プラン(定額通話料 \\2400)",
     .slot = ResultSlot::TelehodaiOwnMaFee, .guards = {ResultSlot::TelehodaiOwnMaFee}},
    {.number = 46, .name = "Telehodai0Fee_with_Tplus", .kind = RowKind::Fee,
     .hide = hideSwitch("61"), .isdnCaption = IsdnCaption::Own,
     .caption = "テレホーダイ1800(時間内上位2番号)+ﾀｲﾑﾌﾟﾗｽ(区域内)",
     .isdnText = "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 市内P(時間内上位2番号)+INSﾀｲﾑﾌﾟﾗｽ(区域内)",
     .slot = ResultSlot::TelehodaiOwnMaWithTimeplusFee, .guards = {ResultSlot::TelehodaiOwnMaFee}},
    {.number = 47, .name = "Telehodai0Fee_with_Ttnet", .kind = RowKind::Fee,
     .shownWhen = kCarrier, .hide = hideSwitch("62"), .isdnCaption = IsdnCaption::Own,
     .caption = "テレホーダイ1800(時間内上位2番号)+{C}(その他)",
     .isdnText = "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 市内P(時間内上位2番号)+{C}(その他)",
     .slot = ResultSlot::TelehodaiOwnMaWithCarrierFee, .writtenWhen = kCarrier, .guards = {ResultSlot::TelehodaiOwnMaFee}},
    {.number = 48, .name = "Telehodai0Fee_with_Ttnet2", .kind = RowKind::Fee,
     .shownWhen = kKyushu, .hide = hideSwitch("64"), .isdnCaption = IsdnCaption::Own,
     .caption = "ﾃﾚﾎｰﾀﾞｲ1800(上位2番号)+九州うれしい値ﾌﾟﾗﾝ(その他)",
     .isdnText = "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 市内P(上位2番号)+九州うれしい値ﾌﾟﾗﾝ(その他)",
     .slot = ResultSlot::TelehodaiOwnMaWithKyushuPlanFee, .writtenWhen = kKyushu, .guards = {ResultSlot::TelehodaiOwnMaFee}},
    {.number = 49, .name = "Telehodai0Fee_with_Aplus", .kind = RowKind::Fee,
     .shownWhen = kAdjacentMas, .hide = hideSwitch("63"), .isdnCaption = IsdnCaption::Own,
     .caption = "テレホーダイ1800(時間内上位2番号)+ｴﾘｱﾌﾟﾗｽ(区域内)",
     .isdnText = "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 市内P(時間内上位2番号)+INSｴﾘｱﾌﾟﾗｽ(区域内)",
     .slot = ResultSlot::TelehodaiOwnMaWithAreaplusFee, .guards = {ResultSlot::TelehodaiOwnMaFee}},
    {.number = 50, .name = "Telehodai0Count0", .kind = RowKind::Count, .hide = hideSwitch("67"),
     .caption = "対象時間内利用度数(対象MAのみ)",
     .slot = ResultSlot::TelehodaiOwnMaTargetCount, .guards = {ResultSlot::TelehodaiOwnMaFee}},
    {.number = 51, .name = "Telehodai0Count1", .kind = RowKind::Count, .hide = hideSwitch("67"),
     .caption = "対象時間内利用度数(上位2番号)",
     .slot = ResultSlot::TelehodaiOwnMaTopTwoCount, .guards = {ResultSlot::TelehodaiOwnMaFee}},
    {.number = 52, .name = "Telehodai0Count2", .kind = RowKind::Count,
     .shownWhen = kDesignatedOwnMa, .hide = hideSwitch("67"),
     .caption = "対象時間内利用度数(指定番号のみ)",
     .slot = ResultSlot::TelehodaiOwnMaDesignatedCount, .guards = {ResultSlot::TelehodaiOwnMaFee}, .noCountWhenAllBits = true},
    {.number = 53, .name = "Telehodai1Fee", .kind = RowKind::Fee,
     .shownWhen = kAdjacentMas, .hide = hideSwitch("70"), .isdnCaption = IsdnCaption::Own,
     .caption = "テレホーダイ3600(定額通話料 \\3600)",
     .isdnText = "INSテレホーダイホーム 隣接プラン(定額通話料 \\4800)",
     .slot = ResultSlot::TelehodaiAdjacentFee, .guards = {ResultSlot::TelehodaiAdjacentFee}},
    {.number = 54, .name = "Telehodai1Fee_with_Tplus", .kind = RowKind::Fee,
     .shownWhen = kAdjacentMas, .hide = hideSwitch("71"), .isdnCaption = IsdnCaption::Own,
     .caption = "テレホーダイ3600(時間内上位2番号)+ﾀｲﾑﾌﾟﾗｽ(区域内)",
     .isdnText = "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 隣接P(時間内上位2番号)+INSﾀｲﾑﾌﾟﾗｽ(区域内)",
     .slot = ResultSlot::TelehodaiAdjacentWithTimeplusFee, .guards = {ResultSlot::TelehodaiAdjacentFee}},
    {.number = 55, .name = "Telehodai1Fee_with_Ttnet", .kind = RowKind::Fee,
     .shownWhen = kAdjacentMas | kCarrier, .hide = hideSwitch("72"), .isdnCaption = IsdnCaption::Own,
     .caption = "テレホーダイ3600(時間内上位2番号)+{C}(その他)",
     .isdnText = "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 隣接P(時間内上位2番号)+{C}(その他)",
     .slot = ResultSlot::TelehodaiAdjacentWithCarrierFee, .writtenWhen = kCarrier, .guards = {ResultSlot::TelehodaiAdjacentFee}},
    {.number = 56, .name = "Telehodai1Fee_with_Ttnet2", .kind = RowKind::Fee,
     .shownWhen = kAdjacentMas | kKyushu, .hide = hideSwitch("74"), .isdnCaption = IsdnCaption::Own,
     .caption = "ﾃﾚﾎｰﾀﾞｲ3600(上位2番号)+九州うれしい値ﾌﾟﾗﾝ(その他)",
     .isdnText = "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 隣接P(上位2番号)+九州うれしい値ﾌﾟﾗﾝ(その他)",
     .slot = ResultSlot::TelehodaiAdjacentWithKyushuPlanFee, .writtenWhen = kKyushu, .guards = {ResultSlot::TelehodaiAdjacentFee}},
    {.number = 57, .name = "Telehodai1Fee_with_Aplus", .kind = RowKind::Fee,
     .shownWhen = kAdjacentMas, .hide = hideSwitch("73"), .isdnCaption = IsdnCaption::Own,
     .caption = "テレホーダイ3600(時間内上位2番号)+ｴﾘｱﾌﾟﾗｽ(区域内)",
     .isdnText = "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 隣接P(時間内上位2番号)+INSｴﾘｱﾌﾟﾗｽ(区域内)",
     .slot = ResultSlot::TelehodaiAdjacentWithAreaplusFee, .guards = {ResultSlot::TelehodaiAdjacentFee}},
    {.number = 58, .name = "Telehodai1Count0", .kind = RowKind::Count,
     .shownWhen = kAdjacentMas, .hide = hideSwitch("77"),
     .caption = "対象時間内利用度数(対象MAのみ)",
     .slot = ResultSlot::TelehodaiAdjacentTargetCount, .guards = {ResultSlot::TelehodaiAdjacentFee}},
    {.number = 59, .name = "Telehodai1Count1", .kind = RowKind::Count,
     .shownWhen = kAdjacentMas, .hide = hideSwitch("77"),
     .caption = "対象時間内利用度数(上位2番号)",
     .slot = ResultSlot::TelehodaiAdjacentTopTwoCount, .guards = {ResultSlot::TelehodaiAdjacentFee}},
    {.number = 60, .name = "Telehodai1Count2", .kind = RowKind::Count,
     .shownWhen = kAdjacentMas | kDesignatedAdjacent, .hide = hideSwitch("77"),
     .caption = "対象時間内利用度数(指定番号のみ)",
     .slot = ResultSlot::TelehodaiAdjacentDesignatedCount, .guards = {ResultSlot::TelehodaiAdjacentFee}, .noCountWhenAllBits = true},
    {.number = 61, .name = "FletsiFee", .kind = RowKind::Fee,
     .shownWhen = kIsdnLine | kFlets, .hide = hideSwitch("b0"),
     .caption = "フレッツ・Isdn(定額通信料 \\4500)",
     .slot = ResultSlot::FletsIsdnFee, .writtenWhen = kIsdnLine | kFlets},
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
