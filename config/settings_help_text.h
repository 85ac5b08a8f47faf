// The comment blocks of zelk.cfg as the writer emits them (UTF-8 here,
// converted to Shift-JIS when written). The first line of each block, the
// option lines and the examples are what users and older files know; the
// longer explanations are ours.
#pragma once

#include <string_view>

namespace zelk::help {

inline constexpr std::string_view kHeader[] = {
    ";[zelk.cfg]",
    ";  zelk用の各種設定をここで行います。",
    ";",
    "; なお、行頭の`;'以降はコメント行とみなします。",
    "; 必要な設定行に関しては、先頭の`;'を外してご利用下さい。",
};

inline constexpr std::string_view kOptionIntro[] = {
    ";☆Option 設定データ",
    ";",
    ";   各種Optionについては、man zelk (zelkwinではヘルプの[zelk_doc.html])を参照して下さい",
};

inline constexpr std::string_view kOrigin[] = {
    ";=[tel#]  : 発信地指定 (def. : 未設定)",
    ";           ex)=0312341234  (03-1234-1234から発信する場合)",
    ";           ※自動で書き換えられた時は、番号が市外局番を含む2～6桁に",
    ";             短くなることがありますが、同じMAを表しています。",
    ";",
};
inline constexpr std::string_view kOriginExample = ";=0312341234";

inline constexpr std::string_view kTelechoice[] = {
    ";=10[....]: テレチョイス10/INSテレチョイス10用",
    ";=15[....]: テレチョイス15/INSテレチョイス15用",
    ";=30[....]: テレチョイス30/INSテレチョイス30用",
    ";           [....]には対象地域の市外局番を`,'で区切って並べます。",
    ";           ex)=15011,0222,0252,06,0922",
    ";              (札幌,仙台,新潟,大阪,福岡の5地域を指定する場合)",
    ";",
};
inline constexpr std::string_view kTelechoiceExample = ";=15011,0222,0252,06,0922";

inline constexpr std::string_view kCrt[] = {
    ";=c       : 最新データのCRT出力 (def. : 未設定/MS-DOS版のみ)",
    ";",
};

inline constexpr std::string_view kMeterDay[] = {
    ";=d[mday] : 検針日設定 (def. : =de (月末検針日設定))",
    ";           ex)=d5   5日検針日",
    ";              =d15 15日検針日",
    ";",
};

inline constexpr std::string_view kEstimate[] = {
    ";=e       : 当月推計計算 (def. : 未設定)",
    ";",
};

inline constexpr std::string_view kFullCalc[] = {
    ";=f       : 全料金計算 (def. : 未設定)",
    ";",
};

inline constexpr std::string_view kIsdn[] = {
    ";=i       : ISDN回線ご利用の方用 (def. : 未設定)",
    ";",
};

inline constexpr std::string_view kKddi[] = {
    ";=k       : KDDの国内電話サービスご利用の方用 (def. : 未設定)",
    ";",
};

inline constexpr std::string_view kLatestMonths[] = {
    ";=l[num]  : 最新データのみ出力 (def. : 未設定)",
    ";           ex)=l     最新データのみ",
    ";              =l12   過去1年のデータ",
    ";",
};

inline constexpr std::string_view kOutputPath[] = {
    ";=o[path] : 出力PATH指定 (def. : 未設定)",
    ";           ex)=oa:         (a:ドライブのカレントディレクトリへ出力)",
    ";              =oc:\\tmp     (c:\\tmpディレクトリへ出力)",
    ";              =om:\\_.dir   (m:\\_.dirディレクトリへ出力)",
    ";",
};
inline constexpr std::string_view kOutputPathExample = ";=om:\\_.dir";

inline constexpr std::string_view kRegionalCarrier[] = {
    ";=q       : 「九州電話」ご利用の方用 (def. : 未設定)",
    ";=t       : 「東京電話」ご利用の方用 (def. : 未設定)",
    ";",
};

inline constexpr std::string_view kFlets[] = {
    ";=z       : フレッツ・Isdnの試算を行う方用 (def. : 未指定)",
    ";",
};

inline constexpr std::string_view kTelehodai[] = {
    ";☆テレホーダイ計算用番号指定 (H)",
    ";",
    ";  テレホーダイで指定する電話番号を、H=番号 の形で2つまで書きます。",
    ";  番号が発信地(=[tel#])と同じMAか隣接MAかは自動的に判定され、",
    ";  どちらでもない番号があるとテレホーダイの指定全体が無効になります。",
    ";  3つ以上書いた場合は、先に書いた2つが使われます。",
    ";  ※=[tel#]の行が必要です。",
    ";",
    ";  ex)",
    ";H=033200****",
    ";H=032222****",
};

inline constexpr std::string_view kNumberReplace[] = {
    ";☆番号置換指定 (N)",
    ";",
    ";  ログに記録された番号を、別の番号に読み替えて計算します(最大20件)。",
    ";  書式) N=ログの番号==計算に使う番号",
    ";",
    ";  ex)",
    ";N=0081-028-651==651-3026",
    ";N=0081-028-638==638-9999",
};

inline constexpr std::string_view kNameReplace[] = {
    ";☆接続先電話番号不明データ登録 ($);",
    ";",
    ";  電話番号を記録せず接続先の名前だけを記録するログのために、名前と",
    ";  電話番号の対応を登録します(最大20件、名前は38文字まで)。",
    ";  登録されていない名前がログにあると番号[0999]として自動的に登録",
    ";  されますので、正しい番号に書き換えてください。",
    ";  書式) $接続先の名前==電話番号",
    ";",
    ";  ex)",
    ";$NIFTY 2==033200****",
    ";$So-net==1234567",
};

inline constexpr std::string_view kAreaSet[] = {
    ";☆電話料金不明データ登録 (%)",
    ";",
    ";  0570で始まる番号のように、zelkがMAを判別できない番号は、",
    ";  ここで距離区分を指定します(件数に上限はありません)。書式) %フラグ=電話番号",
    ";  フラグは下の料金表の[zelk用フラグ]の数字(%1～%8)です。",
    ";  判別できない番号が計算中に見つかると%8(170km～)として自動的に",
    ";  登録されますので、必要なら正しいフラグに書き換えてください。",
    ";",
    ";※都道府県内通話料金表",
    ";  各距離区分の上から順に、NTT・DDI・東京電話・九州電話の料金です。",
    ";  NTT・東京電話・九州電話は課金単位の秒数(3分間の料金)、",
    ";  DDIは6秒ごとの料金(3分間の料金)です。",
    ";  ※各社とも、料金改定より前の通話は改定前の料金で計算します。",
    ";    この表は現在の料金の参考で、計算そのものには使いません。",
};

inline constexpr std::string_view kAreaSetOutOfPrefecture[] = {
    ";※都道府県外通話料金表",
    ";  都道府県をまたぐ通話の料金です(区域内の欄はありません)。",
    ";  並びと単位は都道府県内通話料金表と同じです。",
};

inline constexpr std::string_view kAreaSetExample[] = {
    ";  ex) =[tel#]optionで、[=0286](宇都宮MA(028))を設定した場合",
    ";      宇都宮MAの番号は%1、隣接MAの番号は%2、それ以外は宇都宮からの",
    ";      距離に合ったフラグを選びます。",
    ";%1=028-600-****      (宇都宮MAの番号)",
    ";%2=0285-22-****      (隣接MAの番号)",
    ";%8=06-6***-****      (170km～)",
    ";%1=06-6***-****      (間違い: 区域内の料金で計算されてしまいます)",
    ";%9=089-999-****      (%9は無効なフラグなので、この行は無視されます)",
    ";%5=03-3200-****",
};

inline constexpr std::string_view kHideSwitches[] = {
    ";☆秘密の機能(*^_^*)",
    ";",
    ";    いぢらない方が身のためです(^_^;;;;;。",
    ";",
};

}  // namespace zelk::help
