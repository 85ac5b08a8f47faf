// The main window's wiring: which row widgets it shows for the settings, in
// which order and with which captions, what a month writes into them, the
// month commands, the menus, the fonts, Esc and the window-settings file.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <memory>

#include "dialog_test_support.h"
#include "platform/cp932.h"
#include "platform/messages.h"
#include "support/test_support.h"
#include "ui/model/main_rows.h"
#include "ui/qt/calls_window.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_text.h"
#include "ui/ui_fixtures.h"

namespace zelk {
namespace {

using test::Carrier;
using test::Choice;
using test::Line;
using test::makeSettings;
using test::sj;

QString u8(const char* text) { return QString::fromUtf8(text); }

template <typename T>
T* child(QObject& window, const QString& name) {
  T* found = window.findChild<T*>(name);
  if (!found) qFatal("no child %s", qPrintable(name));
  return found;
}

QLabel* panelOf(MainWindow& window, int rowNumber) {
  return child<QLabel>(window, QString::fromStdString(panelName(mainRows()[rowNumber - 1])));
}

QLabel* valueOf(MainWindow& window, int rowNumber) {
  return child<QLabel>(window, QString::fromStdString(labelName(mainRows()[rowNumber - 1])));
}

QString title(const char* utf8Label) { return u8("zelk for Windows Version 4.21    [") + u8(utf8Label) + "]"; }

QString amount(std::uint32_t value) { return QChar(0x00A5) + QString("%1").arg(value, 7); }

MonthList monthsOf(std::initializer_list<MonthResult> months) {
  MonthList list;
  for (const MonthResult& m : months) list.months[static_cast<std::size_t>(list.count++)] = m;
  return list;
}

// A window on the screen with the given months and settings, its files in a
// scratch directory.
struct OpenWindow {
  test::ScratchDir dir;
  test::FakeMainWindowServices services;
  MainWindow window;

  OpenWindow(const MonthList& months, const RunSettings& settings, WindowSettings ws = defaultWindowSettings()) {
    window.setServices(services);
    window.setProgramDirectory(dir.path());
    ws.placement.mainHeight = 900;  // tall enough for most rows
    window.applyWindowSettings(ws);
    window.prepare(months, settings);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) qFatal("window not exposed");
  }
};

// The row numbers whose panels are shown, in the order they stand, checking
// that each one starts where the one above it ends.
std::vector<int> shownRows(MainWindow& window, QString* fault) {
  std::vector<std::pair<int, QLabel*>> shown;
  for (int n = 1; n <= static_cast<int>(kMainRowCount); ++n)
    if (panelOf(window, n)->isVisibleTo(&window)) shown.emplace_back(panelOf(window, n)->y(), panelOf(window, n));
  std::sort(shown.begin(), shown.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<int> numbers;
  int expectedTop = shown.empty() ? 0 : shown.front().first;
  for (const auto& [top, panel] : shown) {
    if (top != expectedTop && fault) *fault = panel->objectName() + " is not below the row above it";
    expectedTop = top + panel->height();
    for (int n = 1; n <= static_cast<int>(kMainRowCount); ++n)
      if (panelOf(window, n) == panel) numbers.push_back(n);
  }
  return numbers;
}

QString listText(const std::vector<int>& numbers) {
  QStringList parts;
  for (int n : numbers) parts << QString::number(n);
  return parts.join(',');
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { installFontSubstitutions(); }

  void rowsShownFollowTheSettings() {
    struct Case {
      const char* label;
      test::SettingsCase settings;
      std::vector<int> rows;
    };
    const Case cases[] = {
        {"analog, nothing else", {}, {1, 4, 7, 8, 11, 12, 13, 14, 15, 45, 46, 50, 51}},
        {"analog Tokyo T10 KDDI, own MA with adjacent MAs",
         {Line::Analog, Carrier::Tokyo, Choice::Ten, true, true, true, false, 0, false, {}},
         {1,  2,  3,  4,  5,  7,  8,  9,  11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25,
          27, 28, 29, 31, 32, 33, 34, 36, 37, 45, 46, 47, 49, 50, 51, 53, 54, 55, 57, 58, 59}},
        {"analog T15, own MA without adjacent MAs",
         {Line::Analog, Carrier::None, Choice::Fifteen, false, true, false, false, 0, false, {}},
         {1, 4, 7, 8, 11, 12, 13, 14, 15, 16, 17, 19, 20, 22, 27, 28, 31, 45, 46, 50, 51}},
        {"ISDN Kyushu T30, own MA with adjacent MAs",
         {Line::Isdn, Carrier::Kyushu, Choice::Thirty, false, true, true, false, 0, false, {}},
         {1,  4,  5,  6,  7,  8,  9,  10, 23, 24, 25, 26, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40,
          41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 53, 54, 55, 56, 57, 58, 59}},
        {"ISDN, own MA unknown", {.line = Line::Isdn, .hidden = {}}, {1, 4, 7, 8, 38, 39, 41, 42, 44, 45, 46, 50, 51}},
        {"hide switches !02- and !30- with Kyushu and KDDI",
         {Line::Analog, Carrier::Kyushu, Choice::None, true, true, false, false, 0, false, {"02", "30"}},
         {1, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 17, 20, 21, 22, 45, 46, 47, 48, 50, 51}},
    };
    for (const Case& c : cases) {
      OpenWindow w(MonthList{}, makeSettings(c.settings));
      QString fault;
      const std::vector<int> rows = shownRows(w.window, &fault);
      QVERIFY2(rows == c.rows, qPrintable(QString(c.label) + ": " + listText(rows)));
      QVERIFY2(fault.isEmpty(), qPrintable(QString(c.label) + ": " + fault));
    }
  }

  void captionsAreBuiltForTheSettingsWithTheYenSign() {
    struct Case {
      int row;
      test::SettingsCase settings;
      const char* caption;
    };
    const test::SettingsCase isdnTokyo30{
        .line = Line::Isdn, .carrier = Carrier::Tokyo, .telechoice = Choice::Thirty, .ownMa = true, .adjacent = true, .hidden = {}};
    const test::SettingsCase analogKyushu{
        .carrier = Carrier::Kyushu, .telechoice = Choice::Ten, .ownMa = true, .adjacent = true, .hidden = {}};
    const Case cases[] = {
        {1, isdnTokyo30, "通常料金"},
        {4, isdnTokyo30, "INSタイムプラス(定額通話料 ¥350)"},
        {4, analogKyushu, "タイムプラス(定額通話料 ¥200)"},
        {9, isdnTokyo30, "東京電話"},
        {9, analogKyushu, "九州電話"},
        {23, isdnTokyo30, "INSテレチョイス30(定額通話料 ¥200)"},
        {25, isdnTokyo30, "INSテレチョイス30(適用区域)+東京電話(適用区域外)"},
        {25, analogKyushu, "テレチョイス10(適用区域)+九州電話(適用区域外)"},
        {35, analogKyushu, "エリアプラス(対象通話のみ)+九州うれしい値ﾌﾟﾗﾝ(その他)"},
        {45, isdnTokyo30, "INSテレホーダイホーム 市内プラン(定額通話料 ¥2400)"},
    };
    for (const Case& c : cases) {
      OpenWindow w(MonthList{}, makeSettings(c.settings));
      QCOMPARE(panelOf(w.window, c.row)->text(), u8(c.caption));
    }
    // Only a single-byte 0x5C is the yen sign; as the second byte of 表 and
    // ソ it stays part of the character.
    QCOMPARE(qtAmountText(sj("表ソ\\5")), u8("表ソ¥5"));
    QCOMPARE(qtText(sj("C:\\表\\")), u8("C:\\表\\"));

    OpenWindow w(MonthList{}, RunSettings{});
    QCOMPARE(panelOf(w.window, 1)->toolTip(), u8("「ケンタくん」も対象ならば自動処理しています。"));
    QCOMPARE(child<QLabel>(w.window, "Panel_Inexpensive_Plan")->text(), u8("最適プラン"));
    auto* list = child<QTableWidget>(w.window, "SG_tellist");
    QCOMPARE(list->columnCount(), 3);
    QCOMPARE(list->horizontalHeaderItem(0)->text(), u8("TelNo."));
    QCOMPARE(list->horizontalHeaderItem(1)->text(), u8("対象時間度数"));
    QCOMPARE(list->horizontalHeaderItem(2)->text(), u8("非対象時間度数"));
  }

  void hidingTheCallListAndThePlanGivesTheRowsTheWholeArea() {
    OpenWindow shownBoth(MonthList{}, RunSettings{});
    OpenWindow hiddenBoth(MonthList{}, makeSettings({Line::Analog, Carrier::None, Choice::None, false, false,
                                                     false, false, 0, false, {"80", "87"}}));
    OpenWindow hiddenList(MonthList{}, makeSettings({Line::Analog, Carrier::None, Choice::None, false, false,
                                                     false, false, 0, false, {"80"}}));
    auto shown = [](OpenWindow& w, const char* name) { return child<QWidget>(w.window, name)->isVisibleTo(&w.window); };
    QVERIFY(shown(shownBoth, "SG_tellist"));
    QVERIFY(shown(shownBoth, "Panel_Inexpensive_Plan"));
    QVERIFY(!shown(hiddenBoth, "SG_tellist"));
    QVERIFY(!shown(hiddenBoth, "Panel_Inexpensive_Plan"));
    QVERIFY(!shown(hiddenList, "SG_tellist"));
    QVERIFY(shown(hiddenList, "Panel_Inexpensive_Plan"));

    auto* fee = child<QWidget>(hiddenBoth.window, "Panel_Fee");
    QCOMPARE(fee->y(), kToolBarHeight);
    QCOMPARE(fee->y() + fee->height(), fee->parentWidget()->height());
    auto* plan = child<QWidget>(hiddenList.window, "Panel_Inexpensive_Plan");
    QCOMPARE(plan->y() + plan->height(), plan->parentWidget()->height());
    QCOMPARE(child<QWidget>(hiddenList.window, "Panel_Fee")->geometry().bottom() + 1, plan->y());
  }

  void showingAMonthWritesItsValuesCaptionPlanAndCallList() {
    const RunSettings settings = makeSettings({.carrier = Carrier::Tokyo, .hidden = {}});
    MonthResult first = test::monthWithSlots(1000, sj("2000年 9月15日〆分"));
    first.name = sj("テレホーダイ1800");
    first.callList = " 2,0312345678,12,3,0999,0,5";
    MonthResult second = test::monthWithSlots(2000, sj("2000年10月15日〆分"));
    second.amounts[mainRows()[44].slot] = 0;  // Telehodai 1800: not evaluated
    second.callList = " 0";
    OpenWindow w(monthsOf({first, second}), settings);

    // The newest month first: it writes the rows of the plans it evaluated;
    // the carrier's own fee is written whatever its value.
    QCOMPARE(w.window.windowTitle(), title("2000年10月15日〆分"));
    QCOMPARE(valueOf(w.window, 1)->text(), amount(test::valueWithSlots(2000, mainRows()[0].slot)));
    QCOMPARE(valueOf(w.window, 7)->text(), QString("%1").arg(test::valueWithSlots(2000, mainRows()[6].slot), 7) + u8("度数"));
    QCOMPARE(valueOf(w.window, 9)->text(), amount(test::valueWithSlots(2000, mainRows()[8].slot)));
    QCOMPARE(valueOf(w.window, 45)->text(), QString());  // never written yet
    QCOMPARE(valueOf(w.window, 46)->text(), QString());
    QCOMPARE(child<QTableWidget>(w.window, "SG_tellist")->rowCount(), 0);

    // The month before writes its own values; going forward again keeps
    // the labels that the newer month does not write.
    w.window.previousMonth();
    QCOMPARE(w.window.windowTitle(), title("2000年 9月15日〆分"));
    QCOMPARE(valueOf(w.window, 45)->text(), amount(test::valueWithSlots(1000, mainRows()[44].slot)));
    QCOMPARE(child<QLabel>(w.window, "Label_Inexpensive_Plan")->text(), u8("テレホーダイ1800"));
    auto* list = child<QTableWidget>(w.window, "SG_tellist");
    QCOMPARE(list->rowCount(), 2);
    QCOMPARE(list->item(0, 0)->text(), u8("0312345678"));
    QCOMPARE(list->item(0, 1)->text(), u8("12"));
    QCOMPARE(list->item(1, 2)->text(), u8("5"));
    const QString telehodai = valueOf(w.window, 45)->text();
    const QString telehodaiWithTimeplus = valueOf(w.window, 46)->text();
    w.window.nextMonth();
    QCOMPARE(valueOf(w.window, 45)->text(), telehodai);
    QCOMPARE(valueOf(w.window, 46)->text(), telehodaiWithTimeplus);
    QCOMPARE(valueOf(w.window, 9)->text(), amount(test::valueWithSlots(2000, mainRows()[8].slot)));
    QCOMPARE(list->rowCount(), 0);

    // The value label stands right-aligned 2 pixels from the panel's edge.
    QLabel* value = valueOf(w.window, 1);
    QCOMPARE(value->x() + value->width(), panelOf(w.window, 1)->width() - 2);
  }

  void previousAndNextStopAtBothEnds() {
    OpenWindow w(monthsOf({test::monthWithSlots(1, sj("2000年 8月15日〆分")),
                           test::monthWithSlots(2, sj("2000年 9月15日〆分")),
                           test::monthWithSlots(3, sj("2000年10月15日〆分"))}),
                 RunSettings{});
    auto* last = child<QToolButton>(w.window, "TB_Lastmonth");
    auto* next = child<QToolButton>(w.window, "TB_Nextmonth");
    QCOMPARE(last->toolTip(), u8("前月表示"));
    QCOMPARE(next->toolTip(), u8("翌月表示"));
    QCOMPARE(child<QToolButton>(w.window, "TB_Help")->toolTip(), u8("Help"));

    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(w.window.model()->browser().currentMonthIndex(), 2);
    QCOMPARE(w.window.windowTitle(), title("2000年10月15日〆分"));
    QTest::mouseClick(last, Qt::LeftButton);
    QTest::mouseClick(last, Qt::LeftButton);
    QCOMPARE(w.window.windowTitle(), title("2000年 8月15日〆分"));
    QTest::mouseClick(last, Qt::LeftButton);
    QCOMPARE(w.window.model()->browser().currentMonthIndex(), 0);
    QCOMPARE(w.window.windowTitle(), title("2000年 8月15日〆分"));
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(w.window.windowTitle(), title("2000年 9月15日〆分"));
  }

  void viewMenuListsTheStoredMonths() {
    OpenWindow w(monthsOf({test::monthWithSlots(1, sj("2000年 8月15日〆分")),
                           test::monthWithSlots(2, sj("2000年 9月15日〆分"))}),
                 RunSettings{});
    auto item = [&](const char* name) { return child<QAction>(w.window, name); };
    QVERIFY(item("Menu_log01")->isVisible());
    QCOMPARE(item("Menu_log01")->text(), u8("2000年 8月15日〆分"));
    QCOMPARE(item("Menu_log02")->text(), u8("2000年 9月15日〆分"));
    for (const char* hidden : {"Menu_log03", "Menu_log12", "Menu_NaviLine", "Menu_Navi"})
      QVERIFY2(!item(hidden)->isVisible(), hidden);
    QVERIFY(!child<QToolButton>(w.window, "TB_Estmation")->isVisibleTo(&w.window));

    item("Menu_log01")->trigger();
    QCOMPARE(w.window.windowTitle(), title("2000年 8月15日〆分"));
    QCOMPARE(w.window.model()->browser().currentMonthIndex(), 0);

    const std::pair<const char*, const char*> captions[] = {
        {"Menu_View", "記録閲覧(&V)"},       {"Menu_Option", "オプション設定(&O)"},
        {"Menu_zelkcfg", "各種設定(&O)"},     {"Menu_Font", "フォント設定(&F)"},
        {"Menu_Font_PanelMain", "料金表示 メイン(&M)"}, {"Menu_Font_PanelSub", "料金表示 サブ(&S)"},
        {"Menu_Help", "ヘルプ(&H)"},          {"Help", "ヘルプ(&H)"},
        {"Keyword", "キーワード一覧(&K)"},    {"Menu_Aboutzelk", "zelk for Windowsについて(&M)"},
    };
    for (const auto& [name, caption] : captions) QCOMPARE(item(name)->text(), u8(caption));
    QCOMPARE(item("Menu_View")->statusTip(), u8("表示したいデータを指定して下さい"));
  }

  void estimateIsShownAndLeftAgain() {
    RunSettings settings;
    settings.estimate = 1;
    MonthList months = monthsOf({test::monthWithSlots(1, sj("2000年 8月15日〆分")),
                                 test::monthWithSlots(2, sj("2000年 9月15日〆分"))});
    months.estimateFactor = 1.5f;
    months.estimate = test::monthWithSlots(500, "");
    OpenWindow w(months, settings);
    auto* button = child<QToolButton>(w.window, "TB_Estmation");
    QVERIFY(button->isVisibleTo(&w.window));
    QCOMPARE(button->toolTip(), u8("今月推計"));
    QVERIFY(child<QAction>(w.window, "Menu_Navi")->isVisible());
    QVERIFY(child<QAction>(w.window, "Menu_NaviLine")->isVisible());

    child<QAction>(w.window, "Menu_log01")->trigger();
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(w.window.windowTitle(), title("今月推計"));
    QCOMPARE(valueOf(w.window, 1)->text(), amount(test::valueWithSlots(500, mainRows()[0].slot)));
    // Next goes on from the month shown before the estimate.
    QTest::mouseClick(child<QToolButton>(w.window, "TB_Nextmonth"), Qt::LeftButton);
    QCOMPARE(w.window.windowTitle(), title("2000年 9月15日〆分"));
  }

  void estimateOnTheMeterReadingDayShowsTheMessage() {
    RunSettings settings;
    settings.estimate = 1;
    OpenWindow w(monthsOf({test::monthWithSlots(1, sj("2000年 8月15日〆分"))}), settings);
    RecordingSink messages;
    ScopedMessageSink sink(messages);
    child<QAction>(w.window, "Menu_Navi")->trigger();
    QCOMPARE(messages.messages.size(), std::size_t{1});
    QCOMPARE(qtText(messages.messages[0]), u8("今日は〆日。最新データと一緒だよ(^0^)/"));
    QCOMPARE(w.window.windowTitle(), title("2000年 8月15日〆分"));
  }

  void escapeWritesTheWindowSettingsAndEnds() {
    for (const char* target : {"Form1", "SG_tellist", "SB_Panel_Fee"}) {
      OpenWindow w(monthsOf({test::monthWithSlots(1, sj("2000年 8月15日〆分"))}), RunSettings{});
      QWidget* widget = QString(target) == "Form1" ? &w.window : child<QWidget>(w.window, target);
      widget->setFocus();
      QTest::keyClick(widget, Qt::Key_Escape);
      QVERIFY2(!w.window.isVisible(), target);
      QCOMPARE(w.window.result(), 0);
      QVERIFY(!w.window.endError());
      WindowSettings read = defaultWindowSettings();
      read.placement.mainHeight = 1;
      readWindowSettings(w.dir.path() + "zelkwin.cfg", read);
      QCOMPARE(read.placement.mainHeight, w.window.height());
      QCOMPARE(read.placement.mainWidth, w.window.width());
      QVERIFY(test::readFile(w.dir.path() + "zelkwin.cfg").find("F01S0\r\n") != std::string::npos);
    }
  }

  // Esc reaches the window wherever the keys go after the menu bar was used,
  // by the keyboard or by the mouse.
  void escapeEndsAlsoAfterTheMenuBarWasUsed() {
    const std::function<void(MainWindow&)> menuUses[] = {
        [](MainWindow& window) {
          // As the keyboard sends it: Alt held while V goes down and up.
          QTest::keyPress(window.windowHandle(), Qt::Key_Alt, Qt::AltModifier);
          QTest::keyClick(window.windowHandle(), Qt::Key_V, Qt::AltModifier);
          QTest::keyRelease(window.windowHandle(), Qt::Key_Alt);
          QTRY_VERIFY(QApplication::activePopupWidget());
          QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), Qt::Key_Down);
          QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), Qt::Key_Return);
        },
        [](MainWindow& window) {
          auto* bar = child<QMenuBar>(window, "MainMenu1");
          QAction* view = child<QMenu>(window, "Menu_View")->menuAction();
          QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(view).center());
          QTRY_VERIFY(QApplication::activePopupWidget());
          QApplication::activePopupWidget()->close();
        },
    };
    for (const auto& useMenu : menuUses) {
      OpenWindow w(monthsOf({test::monthWithSlots(1, sj("2000年 8月15日〆分"))}), RunSettings{});
      QApplication::setActiveWindow(&w.window);
      useMenu(w.window);
      QTRY_VERIFY(!QApplication::activePopupWidget());
      QTest::keyClick(w.window.windowHandle(), Qt::Key_Escape);
      QTRY_VERIFY(!w.window.isVisible());
      QVERIFY(test::readFile(w.dir.path() + "zelkwin.cfg").find("PF_P") != std::string::npos);
    }
  }

  // The fee area has the keys from the start: arrows, PageUp/PageDown and
  // Home/End scroll it without a click on the scroll bar.
  void theFeeAreaScrollsWithTheKeysFromTheStart() {
    RunSettings settings = makeSettings({.line = Line::Isdn, .carrier = Carrier::Kyushu, .telechoice = Choice::Ten, .kddi = true,
                                       .ownMa = true, .adjacent = true, .hidden = {}});
    OpenWindow w(MonthList{}, settings);
    QApplication::setActiveWindow(&w.window);
    w.window.resize(640, 300);
    auto* bar = child<QScrollBar>(w.window, "SB_Panel_Fee");
    QTRY_VERIFY(bar->isEnabled());
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(w.window, "Panel_Fee"));
    const struct {
      Qt::Key key;
      std::function<int()> expected;
    } steps[] = {
        {Qt::Key_Down, [bar] { return bar->singleStep(); }},
        {Qt::Key_PageDown, [bar] { return std::min(bar->singleStep() + bar->pageStep(), bar->maximum()); }},
        {Qt::Key_Up, [bar] { return std::min(bar->singleStep() + bar->pageStep(), bar->maximum()) - bar->singleStep(); }},
        {Qt::Key_End, [bar] { return bar->maximum(); }},
        {Qt::Key_PageUp, [bar] { return bar->maximum() - bar->pageStep(); }},
        {Qt::Key_Home, [] { return 0; }},
    };
    for (const auto& step : steps) {
      QTest::keyClick(w.window.windowHandle(), step.key);
      QCOMPARE(bar->value(), step.expected());
      QCOMPARE(panelOf(w.window, 1)->y(), -bar->value());
    }
  }

  // The window cannot shrink below its tool bar or below a caption beside
  // its amount, in the fonts chosen.
  void theWindowKeepsAWidthAtWhichTheRowsRead() {
    for (int points : {9, 18}) {
      WindowSettings ws = defaultWindowSettings();
      ws.fonts.main.size = points;
      OpenWindow w(monthsOf({test::monthWithSlots(1234567, sj("2000年 8月15日〆分"))}), RunSettings{}, ws);
      QCOMPARE(w.window.windowType(), Qt::Window);
      w.window.resize(60, 600);
      QApplication::processEvents();
      auto* toolBar = child<QWidget>(w.window, "Panel_SpeedButton");
      QVERIFY2(w.window.width() >= toolBar->sizeHint().width(), qPrintable(QString::number(w.window.width())));
      QLabel* panel = panelOf(w.window, 1);
      QLabel* value = valueOf(w.window, 1);
      QVERIFY(value->x() > panel->fontMetrics().horizontalAdvance(u8("通常料")));
      QVERIFY(!panel->text().isEmpty() && panel->text() != u8("…"));
    }
  }

  // The keys a desktop user tries, one after the other on one window: the
  // months, help, the call list by Tab and Enter, the visible focus, Ctrl+Q.
  void theDesktopKeysStepMonthsOpenHelpAndCallsAndEnd() {
    MonthResult months[3] = {test::monthWithSlots(1, sj("2000年 8月15日〆分")),
                             test::monthWithSlots(2, sj("2000年 9月15日〆分")),
                             test::monthWithSlots(3, sj("2000年10月15日〆分"))};
    for (MonthResult& month : months) month.callList = " 2,0312345678,12,3,0999,0,5";
    OpenWindow w(monthsOf({months[0], months[1], months[2]}), makeSettings({.carrier = Carrier::Tokyo, .hidden = {}}));
    w.dir.write("html/help/zelk_doc.html", "<html></html>");
    w.services.calls = MonthCalls{};
    QApplication::setActiveWindow(&w.window);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QVERIFY(!child<QScrollBar>(w.window, "SB_Panel_Fee")->isEnabled());  // the rows fit: PageUp/PageDown are free
    auto* fee = child<QWidget>(w.window, "Panel_Fee");
    auto* list = child<QTableWidget>(w.window, "SG_tellist");
    auto* focusFrame = child<QWidget>(w.window, "Panel_Fee_Focus");
    QCOMPARE(QApplication::focusWidget(), fee);
    QVERIFY(focusFrame->isVisible());

    auto month = [&w] { return w.window.model()->browser().currentMonthIndex(); };
    const int newest = month();
    const struct {
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
      int monthAfter;
    } steps[] = {
        {Qt::Key_Left, Qt::AltModifier, newest - 1},  {Qt::Key_Left, Qt::AltModifier, newest - 2},
        {Qt::Key_Right, Qt::AltModifier, newest - 1}, {Qt::Key_PageDown, {}, newest},
        {Qt::Key_PageUp, {}, newest - 1},             {Qt::Key_PageUp, {}, newest - 2},
        {Qt::Key_PageUp, {}, newest - 2},  // the oldest month stays
    };
    for (const auto& step : steps) {
      QTest::keyClick(w.window.windowHandle(), step.key, step.modifiers);
      QCOMPARE(month(), step.monthAfter);
    }

    QTest::keyClick(w.window.windowHandle(), Qt::Key_F1);
    QCOMPARE(w.services.opened.size(), std::size_t{1});
    QCOMPARE(w.services.opened[0].toLocalFile(), QString::fromStdString(w.dir.path() + "html/help/zelk_doc.html"));

    // Tab moves from the fee area to the call list; Enter opens 通話明細 for
    // the number chosen with the arrow keys.
    QTest::keyClick(w.window.windowHandle(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), list);
    QVERIFY(!focusFrame->isVisible());
    QTest::keyClick(w.window.windowHandle(), Qt::Key_Down);
    QCOMPARE(list->currentRow(), 1);
    QTest::keyClick(w.window.windowHandle(), Qt::Key_Return);
    QCOMPARE(w.services.callsAsked, 1);
    QVERIFY(w.window.callsWindow());
    QCOMPARE(w.window.callsWindow()->shownNumber(), std::string("0999"));
    w.window.callsWindow()->close();
    QApplication::setActiveWindow(&w.window);
    QTest::keyClick(w.window.windowHandle(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), fee);

    QTest::keyClick(w.window.windowHandle(), Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!w.window.isVisible());
    QCOMPARE(w.window.result(), 0);
    QVERIFY(test::readFile(w.dir.path() + "zelkwin.cfg").find("PF_P") != std::string::npos);
  }

  // A narrow window ends the captions in "…" before the amounts, and four
  // numbers fit the call list without its scroll bar.
  void aNarrowWindowShortensTheCaptions() {
    MonthResult month = test::monthWithSlots(4, sj("2000年 8月15日〆分"));
    month.callList = " 4,0312345678,12,3,0999,0,5,0422111111,1,1,0612345678,0,2";
    OpenWindow w(monthsOf({month}), makeSettings({.line = Line::Analog, .carrier = Carrier::Tokyo, .telechoice = Choice::None,
                                                   .kddi = false, .ownMa = true, .adjacent = true, .hidden = {}}));
    w.window.resize(300, 900);
    QTRY_COMPARE(w.window.width(), 300);
    int shortened = 0;
    for (QLabel* panel : w.window.findChildren<QLabel*>(QRegularExpression("^Panel_"))) {
      if (!panel->isVisible()) continue;
      auto* value = panel->findChild<QLabel*>();
      const int captionEnd = panel->contentsRect().left() + panel->indent() + panel->fontMetrics().horizontalAdvance(panel->text());
      QVERIFY2(captionEnd <= value->x(), qPrintable(panel->objectName()));
      shortened += panel->text().endsWith(QChar(0x2026));
    }
    QVERIFY(shortened > 0);
    auto* calls = child<QTableWidget>(w.window, "SG_tellist");
    QCOMPARE(calls->rowCount(), 4);
    QVERIFY(!calls->verticalScrollBar()->isVisible());
  }

  void closingWritesTheLatestScrollPosition() {
    RunSettings settings = makeSettings({.line = Line::Isdn, .carrier = Carrier::Kyushu, .telechoice = Choice::Ten, .kddi = true,
                                       .ownMa = true, .adjacent = true, .hidden = {}});
    WindowSettings ws = defaultWindowSettings();
    OpenWindow w(MonthList{}, settings, ws);
    w.window.resize(640, 300);
    QTRY_VERIFY(child<QScrollBar>(w.window, "SB_Panel_Fee")->isEnabled());
    auto* bar = child<QScrollBar>(w.window, "SB_Panel_Fee");
    bar->setValue(40);
    QCOMPARE(panelOf(w.window, 1)->y(), -40);
    w.window.close();
    WindowSettings read = defaultWindowSettings();
    readWindowSettings(w.dir.path() + "zelkwin.cfg", read);
    QCOMPARE(read.placement.feeScrollPosition, 40);
  }

  void aMaximisedWindowKeepsItsNormalBoundsForTheFile() {
    WindowSettings ws = defaultWindowSettings();
    ws.placement.mainState = WindowState::Maximised;
    ws.placement.at(PlacedWindow::Form1) = {30, 40};
    ws.placement.mainWidth = 600;
    ws.placement.normalBounds = {30, 40, 900, 600};
    OpenWindow w(monthsOf({test::monthWithSlots(1, sj("2000年 8月15日〆分"))}), RunSettings{}, ws);
    QVERIFY(w.window.windowState() & Qt::WindowMaximized);
    const WindowSettings now = w.window.currentWindowSettings();
    QCOMPARE(now.placement.mainState, WindowState::Maximised);
    QCOMPARE(now.placement.normalBounds, (WindowBounds{30, 40, 900, 600}));
  }

  void aWindowSettingsFileThatCannotBeWrittenEndsWith244() {
    OpenWindow w(monthsOf({test::monthWithSlots(1, sj("2000年 8月15日〆分"))}), RunSettings{});
    w.window.setProgramDirectory(w.dir.path() + "missing/");
    QTest::keyClick(&w.window, Qt::Key_Escape);
    QVERIFY(w.window.endError());
    QCOMPARE(w.window.endError()->code(), 244);
    QVERIFY(qtText(w.window.endError()->message()).startsWith("Cannot creat config. file : "));
  }

  void scrollBarIsDisabledWhenTheRowsFit() {
    OpenWindow w(MonthList{}, RunSettings{});
    QVERIFY(!child<QScrollBar>(w.window, "SB_Panel_Fee")->isEnabled());
    w.window.resize(640, 200);
    QTRY_VERIFY(child<QScrollBar>(w.window, "SB_Panel_Fee")->isEnabled());
    // Below the minimum the client area keeps one fee row visible.
    auto* fee = child<QWidget>(w.window, "Panel_Fee");
    w.window.resize(640, 50);
    QTRY_VERIFY(fee->height() >= panelOf(w.window, 1)->height());
  }

  void aNewFontChangesTheRowHeights() {
    OpenWindow w(monthsOf({test::monthWithSlots(1, sj("2000年 8月15日〆分"))}), RunSettings{});
    const QString before = valueOf(w.window, 1)->text();
    // Cancelled, the dialog changes nothing; then the font it offered, larger
    // and italic.
    child<QAction>(w.window, "Menu_Font_PanelMain")->trigger();
    QCOMPARE(w.window.currentWindowSettings().fonts.main, defaultWindowSettings().fonts.main);
    QFont font = w.services.offeredFont;
    font.setPointSize(24);
    font.setBold(false);
    font.setItalic(true);
    w.services.font = font;
    child<QAction>(w.window, "Menu_Font_PanelMain")->trigger();
    const int pixels = (24 * w.window.logicalDpiY() + 36) / 72;
    QCOMPARE(panelOf(w.window, 1)->height(), pixels * 7 / 5);
    QCOMPARE(panelOf(w.window, 4)->y(), pixels * 7 / 5);
    QVERIFY(panelOf(w.window, 1)->font().italic());
    QCOMPARE(valueOf(w.window, 1)->text(), before);
    const FontSpec main = w.window.currentWindowSettings().fonts.main;
    QCOMPARE(main.name, sj("ＭＳ ゴシック"));
    QCOMPARE(main.size, 24);
    QCOMPARE(int(main.style), int(kFontItalic));
    QCOMPARE(main.colour, kWindowTextColour);
    QCOMPARE(w.window.currentWindowSettings().fonts.sub, defaultWindowSettings().fonts.sub);

    // The dialog starts on the face the rows are drawn with; confirmed as it
    // is, the stored Windows face name and style stay. The colour chosen
    // after it is stored as 0x00BBGGRR.
    w.services.font.reset();
    child<QAction>(w.window, "Menu_Font_PanelSub")->trigger();
    const QFont offered = w.services.offeredFont;
    w.services.font = offered;
    w.services.colour = QColor(0x10, 0x20, 0x30);
    child<QAction>(w.window, "Menu_Font_PanelSub")->trigger();
    QCOMPARE(offered.family(), QFontInfo(panelOf(w.window, 7)->font()).family());
    QCOMPARE(offered.pointSize(), 10);
    const FontSpec sub = w.window.currentWindowSettings().fonts.sub;
    QCOMPARE(sub.name, sj("ＭＳ 明朝"));
    QCOMPARE(sub.size, 10);
    QCOMPARE(int(sub.style), 0);
    QCOMPARE(sub.colour, std::int32_t{0x302010});
  }

  void helpOpensThePagesBesideTheProgram() {
    OpenWindow w(monthsOf({test::monthWithSlots(1, sj("2000年 8月15日〆分"))}), RunSettings{});
    w.dir.write("html/help/zelk_doc.html", "<html></html>");
    w.dir.write("html/help/zelk_key.html", "<html></html>");
    QTest::mouseClick(child<QToolButton>(w.window, "TB_Help"), Qt::LeftButton);
    child<QAction>(w.window, "Keyword")->trigger();
    QCOMPARE(w.services.opened.size(), std::size_t{2});
    QCOMPARE(w.services.opened[0].toLocalFile(), QString::fromStdString(w.dir.path() + "html/help/zelk_doc.html"));
    QCOMPARE(w.services.opened[1].toLocalFile(), QString::fromStdString(w.dir.path() + "html/help/zelk_key.html"));

    test::ScratchDir empty;
    RecordingSink messages;
    ScopedMessageSink scope(messages);
    w.window.setProgramDirectory(empty.path());
    child<QAction>(w.window, "Help")->trigger();
    QCOMPARE(w.services.opened.size(), std::size_t{2});
    QCOMPARE(messages.messages.size(), std::size_t{1});
    QVERIFY(messages.messages[0].find("zelk_doc.html") != std::string::npos);
  }

  void settingsThatRestartEndWithoutSavingTheWindowSettings() {
    OpenWindow w(monthsOf({test::monthWithSlots(1, sj("2000年 8月15日〆分"))}), RunSettings{});
    w.services.settingsAnswer = RecalculationAnswer::Now;
    child<QAction>(w.window, "Menu_zelkcfg")->trigger();
    QCOMPARE(w.services.restarts, 1);
    QVERIFY(w.window.restartRequested());
    QVERIFY(!w.window.isVisible());
    QVERIFY(test::readFile(w.dir.path() + "zelkwin.cfg").empty());
  }
};

}  // namespace zelk

QTEST_MAIN(zelk::MainWindowTest)
#include "main_window_test.moc"
