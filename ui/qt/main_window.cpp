#include "ui/qt/main_window.h"

#include <QAction>
#include <QColorDialog>
#include <QDesktopServices>
#include <QEvent>
#include <QKeyEvent>
#include <QFile>
#include <QFontDialog>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QShortcut>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

#include "platform/cp932.h"
#include "platform/paths.h"
#include "ui/model/main_rows.h"
#include "ui/model/month_display.h"
#include "ui/qt/calls_window.h"
#include "ui/qt/csv_path.h"
#include "ui/qt/display_font.h"
#include "ui/qt/help_pages.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/screen_fit.h"
#include "ui/qt/tool_icons.h"
#include "ui/qt/year_window.h"

namespace zelk {
namespace {

constexpr int kToolButtonWidth = 39;
constexpr int kToolButtonHeight = 38;
constexpr int kCaptionIndent = 4;
// Room between a row's caption and its amount.
constexpr int kCaptionGap = 8;

QString u8(const char* utf8) { return QString::fromUtf8(utf8); }

// A window's place and size as zelkwin.cfg keeps them.
WindowBounds boundsOf(const QWidget& window) { return {window.y(), window.x(), window.height(), window.width()}; }

WindowState stateOf(Qt::WindowStates states) {
  if (states & Qt::WindowMinimized) return WindowState::Minimised;
  if (states & Qt::WindowMaximized) return WindowState::Maximised;
  return WindowState::Normal;
}

// A panel with its caption on the left, as the fee rows are drawn.
QLabel* makePanel(QWidget* parent, const std::string& name) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(QString::fromStdString(name));
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  panel->setIndent(kCaptionIndent);
  panel->hide();
  return panel;
}

QLabel* makeValueLabel(QLabel* panel, const std::string& name) {
  auto* label = new QLabel(panel);
  label->setObjectName(QString::fromStdString(name));
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

void setFontAndColour(QWidget* widget, const FontSpec& fontSpec) {
  widget->setFont(toQFont(fontSpec));
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, toQColor(fontSpec.colour, palette));
  palette.setColor(QPalette::Text, toQColor(fontSpec.colour, palette));
  widget->setPalette(palette);
}

// What a window that was given no services asks: the base implementations.
class StandaloneServices final : public MainWindowServices {};

StandaloneServices& standaloneServices() {
  static StandaloneServices services;
  return services;
}

}  // namespace

void MainWindowServices::openUrl(const QUrl& url) {
  // Without a browser launcher Qt only writes to stderr, which a desktop
  // user does not see.
  if (!QDesktopServices::openUrl(url))
    showMessage(sjis("ヘルプを表示するブラウザを起動できませんでした。\n次のファイルをブラウザで開いて下さい:\n") +
                cp932Text(url.toLocalFile()));
}

std::optional<QFont> MainWindowServices::chooseFont(const QFont& initial, QWidget* parent) {
  bool ok = false;
  QFont font = QFontDialog::getFont(&ok, initial, parent);
  if (!ok) return std::nullopt;
  return font;
}

std::optional<QColor> MainWindowServices::chooseColour(const QColor& initial, QWidget* parent) {
  const QColor colour = QColorDialog::getColor(initial, parent, u8("文字の色"));
  if (!colour.isValid()) return std::nullopt;
  return colour;
}

std::optional<MonthCalls> MainWindowServices::monthCalls(int) { return std::nullopt; }

QWidget* MainWindowServices::placedWindow(PlacedWindow) { return nullptr; }

QString MainWindowServices::chooseCsvPath(QWidget* parent, const QString& suggestedName) {
  return zelk::chooseCsvPath(parent, suggestedName);
}

MainWindow::MainWindow(QWidget* parent) : QDialog(parent), services_(&standaloneServices()) {
  setObjectName("Form1");
  setWindowTitle("zelkmain");
  QFont formFont(u8("ＭＳ ゴシック"));
  formFont.setPixelSize(12);
  setFont(formFont);
  setSizeGripEnabled(false);
  // The program's main window, not a dialog: the window manager gives it a
  // task bar entry and minimise/maximise buttons.
  setWindowFlags(Qt::Window);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  client_ = new QWidget(this);
  client_->setObjectName("Form1_Client");
  client_->installEventFilter(this);
  layout->addWidget(client_);

  buildToolBar();
  buildRows();
  buildBottomPanels();
  buildMenu();
  layout->setMenuBar(menuBar_);

  addShortcuts();

  resize(640, 480);
}

MainWindow::~MainWindow() = default;

void MainWindow::addShortcuts() {
  // Esc ends the program from wherever the keyboard focus is, also after the
  // menu bar had it; an open menu takes its Esc first. Ctrl+Q ends it the
  // same way, as desktop programs do.
  struct Shortcut {
    QKeySequence keys;
    void (MainWindow::*command)();
  };
  const Shortcut shortcuts[] = {
      {QKeySequence(Qt::Key_Escape), &MainWindow::saveAndEnd},
      {QKeySequence(Qt::CTRL | Qt::Key_Q), &MainWindow::saveAndEnd},
      {QKeySequence(Qt::ALT | Qt::Key_Left), &MainWindow::previousMonth},
      {QKeySequence(Qt::ALT | Qt::Key_Right), &MainWindow::nextMonth},
      {QKeySequence(Qt::Key_F1), &MainWindow::openContents},
  };
  for (const Shortcut& shortcut : shortcuts) {
    auto* key = new QShortcut(shortcut.keys, this);
    key->setContext(Qt::WindowShortcut);
    connect(key, &QShortcut::activated, this, shortcut.command);
  }
}

void MainWindow::openContents() { openHelpPage("zelk_doc.html"); }

QToolButton* MainWindow::addToolButton(const char* name, const char* hint, int icon) {
  auto* button = new QToolButton(toolBar_);
  button->setObjectName(name);
  button->setToolTip(u8(hint));
  button->setIcon(toolIcon(static_cast<ToolIcon>(icon)));
  button->setIconSize(QSize(32, 32));
  button->setFixedSize(kToolButtonWidth, kToolButtonHeight);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

void MainWindow::buildToolBar() {
  toolBar_ = new QToolBar(client_);
  toolBar_->setObjectName("Panel_SpeedButton");
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  toolBar_->setIconSize(QSize(32, 32));

  QToolButton* last = addToolButton("TB_Lastmonth", "前月表示", static_cast<int>(ToolIcon::PreviousMonth));
  QToolButton* next = addToolButton("TB_Nextmonth", "翌月表示", static_cast<int>(ToolIcon::NextMonth));
  QToolButton* estimate = addToolButton("TB_Estmation", "今月推計", static_cast<int>(ToolIcon::Estimate));
  QToolButton* year = addToolButton("TB_Year", "年間比較", static_cast<int>(ToolIcon::Year));
  QToolButton* help = addToolButton("TB_Help", "Help", static_cast<int>(ToolIcon::Help));
  toolBar_->addSeparator();
  toolBar_->addWidget(last);
  toolBar_->addWidget(next);
  estimateButtonAction_ = toolBar_->addWidget(estimate);
  estimateButtonAction_->setVisible(false);
  toolBar_->addWidget(year);
  toolBar_->addSeparator();
  toolBar_->addWidget(help);

  connect(last, &QToolButton::clicked, this, [this] { previousMonth(); });
  connect(next, &QToolButton::clicked, this, [this] { nextMonth(); });
  connect(estimate, &QToolButton::clicked, this, [this] { showEstimate(); });
  connect(year, &QToolButton::clicked, this, [this] { showYearWindow(); });
  connect(help, &QToolButton::clicked, this, &MainWindow::openContents);
}

void MainWindow::buildRows() {
  feePanel_ = new QWidget(client_);
  feePanel_->setObjectName("Panel_Fee");
  // The fee area takes the scrolling keys; it and the call list are the
  // window's tab stops.
  feePanel_->setFocusPolicy(Qt::StrongFocus);
  feePanel_->installEventFilter(this);
  feeFocusFrame_ = new QFrame(feePanel_);
  feeFocusFrame_->setObjectName("Panel_Fee_Focus");
  feeFocusFrame_->setAttribute(Qt::WA_TransparentForMouseEvents);
  feeFocusFrame_->setStyleSheet(u8("QFrame { border: 2px solid palette(highlight); background: transparent; }"));
  feeFocusFrame_->hide();
  for (std::size_t i = 0; i < kMainRowCount; ++i) {
    const MainRow& row = mainRows()[i];
    rows_[i].panel = makePanel(feePanel_, panelName(row));
    rows_[i].panel->setText(qtAmountText(rowCaption(row, RunSettings{})));
    rows_[i].panel->setToolTip(qtText(rowHint(row)));
    rows_[i].value = makeValueLabel(rows_[i].panel, labelName(row));
  }
  feeScrollBar_ = new QScrollBar(Qt::Vertical, feePanel_);
  feeScrollBar_->setObjectName("SB_Panel_Fee");
  feeScrollBar_->setFocusPolicy(Qt::ClickFocus);
  connect(feeScrollBar_, &QScrollBar::valueChanged, this, [this] {
    if (!placingScrollBar_) placeRows();
  });
}

void MainWindow::buildBottomPanels() {
  planPanel_ = makePanel(client_, "Panel_Inexpensive_Plan");
  planPanel_->setText(qtText(cheapestPlanCaption()));
  planLabel_ = makeValueLabel(planPanel_, "Label_Inexpensive_Plan");

  callList_ = new QTableWidget(0, 3, client_);
  callList_->setObjectName("SG_tellist");
  callList_->setFocusPolicy(Qt::StrongFocus);
  callList_->setTabKeyNavigation(false);  // Tab leaves the list
  callList_->setSelectionBehavior(QAbstractItemView::SelectRows);
  callList_->setSelectionMode(QAbstractItemView::SingleSelection);
  callList_->installEventFilter(this);
  callList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  callList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  callList_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  callList_->verticalHeader()->hide();
  // The grid's height is five rows exactly (header and four numbers); a
  // frame would take two pixels of them.
  callList_->setFrameShape(QFrame::NoFrame);
  callList_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  callList_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  callList_->horizontalHeader()->setTextElideMode(Qt::ElideRight);
  callList_->hide();
  connect(callList_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (const QTableWidgetItem* item = callList_->item(row, 0)) showCalls(cp932Text(item->text().trimmed()));
  });
  setTabOrder(feePanel_, callList_);
}

void MainWindow::showCallsOfSelectedNumber() {
  const int row = callList_->currentRow();
  if (const QTableWidgetItem* item = row >= 0 ? callList_->item(row, 0) : nullptr)
    showCalls(cp932Text(item->text().trimmed()));
}

void MainWindow::buildMenu() {
  menuBar_ = new QMenuBar(this);
  menuBar_->setObjectName("MainMenu1");

  auto addMenu = [](QWidget* parent, const char* name, const char* caption, const char* hint) {
    auto* menu = new QMenu(u8(caption), parent);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    menu->menuAction()->setStatusTip(u8(hint));
    menu->menuAction()->setToolTip(u8(hint));
    menu->setToolTipsVisible(true);
    return menu;
  };
  auto addItem = [](QMenu* menu, const char* name, const char* caption, const char* hint) {
    QAction* action = menu->addAction(u8(caption));
    action->setObjectName(name);
    if (hint) {
      action->setStatusTip(u8(hint));
      action->setToolTip(u8(hint));
    }
    return action;
  };

  QMenu* view = addMenu(menuBar_, "Menu_View", "記録閲覧(&V)", "表示したいデータを指定して下さい");
  for (std::size_t i = 0; i < kMaxStoredMonths; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "Menu_log%02zu", i + 1);
    QAction* action = addItem(view, name, name, nullptr);
    action->setVisible(false);
    const int itemNumber = static_cast<int>(i) + 1;
    connect(action, &QAction::triggered, this, [this, itemNumber] { selectMonth(itemNumber); });
    monthActions_[i] = action;
  }
  naviLine_ = view->addSeparator();
  naviLine_->setObjectName("Menu_NaviLine");
  naviLine_->setVisible(false);
  navi_ = addItem(view, "Menu_Navi", "今月推計", nullptr);
  navi_->setVisible(false);
  connect(navi_, &QAction::triggered, this, [this] { showEstimate(); });
  view->addSeparator()->setObjectName("Menu_YearLine");
  QAction* year = addItem(view, "Menu_Year", "年間比較(&Y)", "保存されている月を通してプランを比べます");
  connect(year, &QAction::triggered, this, [this] { showYearWindow(); });
  QAction* calls = addItem(view, "Menu_Calls", "通話明細", "表示中の月の通話を一件ずつ表示します");
  connect(calls, &QAction::triggered, this, [this] { showCalls(""); });
  menuBar_->addMenu(view);

  QMenu* option = addMenu(menuBar_, "Menu_Option", "オプション設定(&O)", "各種設定を行います。");
  QAction* settings = addItem(option, "Menu_zelkcfg", "各種設定(&O)", "各種設定を行います");
  connect(settings, &QAction::triggered, this, [this] { changeSettings(); });
  QMenu* font = addMenu(option, "Menu_Font", "フォント設定(&F)", "メイン画面のフォント設定を行います。");
  QAction* fontMain = addItem(font, "Menu_Font_PanelMain", "料金表示 メイン(&M)", "料金表示する項目のフォントです。");
  QAction* fontSub = addItem(font, "Menu_Font_PanelSub", "料金表示 サブ(&S)", "度数を表示するフォントです");
  connect(fontMain, &QAction::triggered, this, [this] { chooseFont(true); });
  connect(fontSub, &QAction::triggered, this, [this] { chooseFont(false); });
  option->addMenu(font);
  menuBar_->addMenu(option);

  QMenu* help = addMenu(menuBar_, "Menu_Help", "ヘルプ(&H)", "ヘルプ等の指定");
  QAction* contents = addItem(help, "Help", "ヘルプ(&H)", "ヘルプの総目次を開きます。");
  QAction* keywords = addItem(help, "Keyword", "キーワード一覧(&K)", "ヘルプのキーワード一覧を開きます。");
  help->addSeparator()->setObjectName("N1");
  QAction* about = addItem(help, "Menu_Aboutzelk", "zelk for Windowsについて(&M)", "版数等を表示します。");
  connect(contents, &QAction::triggered, this, &MainWindow::openContents);
  connect(keywords, &QAction::triggered, this, [this] { openHelpPage("zelk_key.html"); });
  connect(about, &QAction::triggered, this, [this] { services_->showAbout(); });
  menuBar_->addMenu(help);
}

void MainWindow::setServices(MainWindowServices& services) { services_ = &services; }

std::function<QString(QWidget*, const QString&)> MainWindow::csvPathChooser() {
  return [this](QWidget* parent, const QString& suggestedName) {
    return services_->chooseCsvPath(parent, suggestedName);
  };
}

void MainWindow::setProgramDirectory(std::string programDir) { programDir_ = std::move(programDir); }

void MainWindow::applyWindowSettings(const WindowSettings& settings) {
  windowSettings_ = settings;
  applyFonts();
  const WindowPlacement& p = windowSettings_.placement;
  const WindowPosition& position = p.at(PlacedWindow::Form1);
  move(position.left, position.top);
  resize(p.mainWidth, p.mainHeight);
  switch (p.mainState) {
    case WindowState::Normal: setWindowState(Qt::WindowNoState); break;
    case WindowState::Minimised: setWindowState(Qt::WindowMinimized); break;
    case WindowState::Maximised: setWindowState(Qt::WindowMaximized); break;
  }
  applyHeights();
}

void MainWindow::prepare(const MonthList& months, const RunSettings& settings) {
  model_ = std::make_unique<MainWindowModel>(months, settings, windowSettings_.placement.feeScrollPosition);
  for (auto& row : rows_) row.panel->hide();
  planPanel_->hide();
  callList_->hide();
  applyHeights();
  relayout();
  model_->browser().buildViewMenu();
  updateViewMenu();
  showCurrentMonth();
  rememberBounds();
  feePanel_->setFocus();
}

void MainWindow::applyFonts() {
  const DisplayFonts& fonts = windowSettings_.fonts;
  for (std::size_t i = 0; i < kMainRowCount; ++i) {
    const FontSpec& fontSpec = mainRows()[i].kind == RowKind::Fee ? fonts.main : fonts.sub;
    setFontAndColour(rows_[i].panel, fontSpec);
    setFontAndColour(rows_[i].value, fontSpec);
  }
  setFontAndColour(planPanel_, fonts.main);
  setFontAndColour(planLabel_, fonts.main);
  setFontAndColour(callList_, fonts.sub);
  callList_->horizontalHeader()->setFont(toQFont(fonts.sub));
}

void MainWindow::updateMinimumWidth() {
  // The tool bar's buttons, or the shortest caption beside the widest amount
  // in the main font, whichever is wider: narrower, the rows show neither.
  const QFontMetrics metrics(toQFont(windowSettings_.fonts.main));
  const int row = kCaptionIndent + metrics.horizontalAdvance(u8("通常料金")) + kCaptionGap +
                  metrics.horizontalAdvance(u8("¥ 9999999")) + 8 + kFeeScrollBarWidth;
  client_->setMinimumWidth(std::max(toolBar_->sizeHint().width(), row));
}

void MainWindow::applyHeights() {
  updateMinimumWidth();
  const RowHeights heights = rowHeightsFor(windowSettings_.fonts, PointFontMetrics(client_->logicalDpiY()));
  callList_->verticalHeader()->setMinimumSectionSize(1);
  callList_->verticalHeader()->setDefaultSectionSize(heights.callListRowHeight());
  callList_->horizontalHeader()->setMinimumSectionSize(1);
  callList_->horizontalHeader()->setFixedHeight(heights.callListRowHeight());
  if (!model_) return;
  model_->applyHeights(heights);
  client_->setMinimumHeight(minimumClientHeight(model_->settings(), heights));
}

void MainWindow::relayout() {
  if (!model_) return;
  const ResizeLayout layout = model_->resize(client_->width(), client_->height());
  const FeeAreaGeometry& g = layout.geometry;
  const FeeAreaWidths& w = layout.widths;
  const RowHeights& heights = model_->heights();

  toolBar_->setGeometry(0, 0, w.feeWidth, kToolBarHeight);
  feePanel_->setGeometry(0, g.feeTop, w.feeWidth, g.feeHeight);
  feeScrollBar_->setGeometry(w.rowWidth, 0, kFeeScrollBarWidth, g.feeHeight);
  feeFocusFrame_->setGeometry(0, 0, w.rowWidth, g.feeHeight);

  if (g.planShown) {
    planPanel_->setGeometry(0, g.planTop, w.planWidth, g.planHeight);
    placeValueLabel(planPanel_, planLabel_, heights.mainLabelTop);
    fitCaption(planPanel_, planLabel_, qtText(cheapestPlanCaption()));
    planPanel_->show();
  }
  if (g.callListShown) {
    callList_->setGeometry(0, g.callListTop, w.callListWidth, g.callListHeight);
    const auto header = callListHeader();
    callList_->setHorizontalHeaderLabels({qtText(header[0]), qtText(header[1]), qtText(header[2])});
    callList_->horizontalHeader()->setDefaultSectionSize(w.callListColumnWidth);
    callList_->setColumnWidth(0, w.callListFirstColumnWidth);
    callList_->setColumnWidth(1, w.callListColumnWidth);
    callList_->setColumnWidth(2, w.callListColumnWidth);
    callList_->show();
  }

  const ScrollBarSetup& bar = layout.scrollBar;
  placingScrollBar_ = true;
  feeScrollBar_->setEnabled(bar.enabled);
  feeScrollBar_->setRange(0, bar.maximum);
  feeScrollBar_->setValue(bar.position);
  feeScrollBar_->setSingleStep(std::max(bar.smallChange, 1));
  // Qt has one step for a page: the page size, so the slider shows the
  // visible share of the rows.
  feeScrollBar_->setPageStep(std::max(bar.pageSize, 1));
  placingScrollBar_ = false;
  placeRows();
}

void MainWindow::placeValueLabel(QLabel* panel, QLabel* value, int labelTop) const {
  // A slanted font draws the last glyph past its advance; right-aligned, that
  // part would be cut at the label's edge.
  const QFontMetrics metrics = value->fontMetrics();
  const int overhang = value->font().italic() ? (metrics.ascent() + 3) / 4 : 0;
  value->setContentsMargins(0, 0, overhang, 0);
  value->adjustSize();
  // The label's text is centred on the same line as the panel's caption.
  const int height = std::max(panel->height() - 2 * labelTop, 1);
  value->setGeometry(valueLabelLeft(panel->width(), value->width()), labelTop, value->width(), height);
}

void MainWindow::fitCaption(QLabel* panel, const QLabel* value, const QString& caption) const {
  // In a narrow window the caption ends in "…" before the amount instead of
  // running under it.
  const int room = value->x() - kCaptionIndent - panel->frameWidth() - kCaptionGap;
  panel->setText(panel->fontMetrics().elidedText(caption, Qt::ElideRight, std::max(room, 0)));
}

void MainWindow::placeRows() {
  if (!model_) return;
  const RowWalk& walk = model_->rows();
  const int width = client_->width() - kFeeScrollBarWidth;
  for (std::size_t i = 0; i < kMainRowCount; ++i) {
    const RowPlacement& place = walk.rows[i];
    if (!place.inUse) continue;
    QLabel* panel = rows_[i].panel;
    panel->setGeometry(0, rowTop(place.rowOffset, feeScrollBar_->value()), width, place.height);
    placeValueLabel(panel, rows_[i].value, place.labelTop);
    fitCaption(panel, rows_[i].value, qtAmountText(place.caption));
    panel->show();
  }
}

void MainWindow::showCurrentMonth() {
  if (!model_) return;
  const MonthDisplay& display = model_->browser().display();
  setWindowTitle(qtText(display.windowCaption()));
  for (std::size_t i = 0; i < kMainRowCount; ++i) {
    const RowPlacement& place = model_->rows().rows[i];
    rows_[i].value->setText(qtAmountText(display.value(i)));
    placeValueLabel(rows_[i].panel, rows_[i].value, place.labelTop);
    if (place.inUse) fitCaption(rows_[i].panel, rows_[i].value, qtAmountText(place.caption));
  }
  planLabel_->setText(qtAmountText(display.cheapestPlan()));
  placeValueLabel(planPanel_, planLabel_, model_->heights().mainLabelTop);
  fitCaption(planPanel_, planLabel_, qtText(cheapestPlanCaption()));

  const auto& list = display.callList();
  callList_->setRowCount(static_cast<int>(list.size()));
  for (std::size_t r = 0; r < list.size(); ++r) {
    for (int c = 0; c < 3; ++c) {
      auto* item = new QTableWidgetItem(qtText(list[r][static_cast<std::size_t>(c)]));
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      callList_->setItem(static_cast<int>(r), c, item);
    }
  }
  const FeeAreaWidths widths = model_->widths(client_->width());
  callList_->setColumnWidth(0, widths.callListFirstColumnWidth);
}

void MainWindow::updateViewMenu() {
  const MonthBrowser& browser = model_->browser();
  for (std::size_t i = 0; i < kMaxStoredMonths; ++i) {
    const ViewMenuItem& item = browser.viewMenu()[i];
    if (!item.visible) continue;
    monthActions_[i]->setText(qtText(item.caption));
    monthActions_[i]->setVisible(true);
  }
  const bool estimate = browser.estimateAvailable();
  naviLine_->setVisible(estimate);
  navi_->setVisible(estimate);
  estimateButtonAction_->setVisible(estimate);
}

void MainWindow::guarded(const std::function<void()>& command) {
  try {
    command();
  } catch (const FatalError& error) {
    endError_ = error;
    ending_ = true;
    done(error.code());
  } catch (const std::exception& error) {
    endError_ = unexpectedFailure(error);
    ending_ = true;
    done(endError_->code());
  }
}

void MainWindow::previousMonth() {
  guarded([this] {
    if (model_ && model_->browser().previousMonth()) showCurrentMonth();
  });
}

void MainWindow::nextMonth() {
  guarded([this] {
    if (model_ && model_->browser().nextMonth()) showCurrentMonth();
  });
}

void MainWindow::selectMonth(int itemNumber) {
  guarded([this, itemNumber] {
    if (model_ && model_->browser().selectMonth(itemNumber)) showCurrentMonth();
  });
}

void MainWindow::showCalls(const std::string& number) {
  if (!model_) return;
  const MonthBrowser& browser = model_->browser();
  const int index = browser.currentMonthIndex();
  if (index < 0 || index >= browser.months().count) return;
  std::optional<MonthCalls> calls;
  try {
    calls = services_->monthCalls(index);
  } catch (const FatalError& error) {
    // A log gone since the run, say: the list cannot be made, the program goes on.
    showMessage(error.message(), MessageKind::Error);
    return;
  }
  if (!calls) return;
  guarded([&] {
    // A new window for each opening, where and as large as the last one stood.
    if (callsWindow_) windowSettings_.placement.callsWindow = boundsOf(*callsWindow_);
    delete callsWindow_;
    callsWindow_ = new CallsWindow(std::move(*calls), browser.months().months[static_cast<std::size_t>(index)].title, this);
    callsWindow_->setCsvPathChooser(csvPathChooser());
    callsWindow_->setBillFolder(QFile::decodeName(QByteArray::fromStdString(windowSettings_.billFolder)),
                                [this](const QString& folder) {
                                  windowSettings_.billFolder = QFile::encodeName(folder).toStdString();
                                });
    const WindowBounds& b = windowSettings_.placement.callsWindow;
    keepOnScreen(*callsWindow_, {b.left, b.top}, {b.width, b.height});
    callsWindow_->showNumber(number);
    callsWindow_->show();
    callsWindow_->raise();
    callsWindow_->activateWindow();
  });
}

void MainWindow::showEstimate() {
  guarded([this] {
    if (model_ && model_->browser().showEstimate()) showCurrentMonth();
  });
}

void MainWindow::showYearWindow() {
  if (!model_) return;
  guarded([this] {
    if (!yearWindow_) {
      yearWindow_ = new YearWindow(this);
      yearWindow_->setCsvPathChooser(csvPathChooser());
      const WindowBounds& b = windowSettings_.placement.yearWindow;
      keepOnScreen(*yearWindow_, {b.left, b.top}, {b.width, b.height});
      yearWindow_->showYear(model_->browser().months(), model_->settings());
    }
    yearWindow_->show();
    yearWindow_->raise();
    yearWindow_->activateWindow();
  });
}

void MainWindow::chooseFont(bool mainFont) {
  FontSpec& fontSpec = mainFont ? windowSettings_.fonts.main : windowSettings_.fonts.sub;
  // The dialog starts on the face the rows are drawn with: the stored name
  // may be a Windows face this system substitutes.
  const std::optional<QFont> chosen = services_->chooseFont(displayedQFont(fontSpec), this);
  if (!chosen) return;
  storeQFont(*chosen, fontSpec);
  // Then the colour of the text; cancelling keeps it.
  const QColor shown = toQColor(fontSpec.colour, palette());
  if (const std::optional<QColor> colour = services_->chooseColour(shown, this); colour && *colour != shown)
    fontSpec.colour = fromQColor(*colour);
  applyFonts();
  applyHeights();
  relayout();
}

void MainWindow::openHelpPage(const char* fileName) {
  const std::optional<std::string> path = existingHelpPage(programDir_, fileName);
  // The program directory is a path of this system, not a CP932 text.
  if (path) services_->openUrl(QUrl::fromLocalFile(QFile::decodeName(path->c_str())));
}

void MainWindow::changeSettings() {
  guarded([this] {
    if (services_->changeSettings() != RecalculationAnswer::Now) return;
    // A new calculation is a new process; this one ends without saving its
    // window settings.
    restartRequested_ = true;
    ending_ = true;
    services_->restart();
    done(0);
  });
}

WindowSettings MainWindow::currentWindowSettings() const {
  WindowSettings settings = windowSettings_;
  WindowPlacement& p = settings.placement;
  for (std::size_t i = 0; i < kPlacedWindowCount; ++i) {
    const auto window = static_cast<PlacedWindow>(i);
    if (window == PlacedWindow::Form1) continue;
    if (QWidget* widget = services_->placedWindow(window))
      p.at(window) = {widget->y(), widget->x()};
  }
  p.at(PlacedWindow::Form1) = {y(), x()};
  if (yearWindow_) p.yearWindow = boundsOf(*yearWindow_);
  if (callsWindow_) p.callsWindow = boundsOf(*callsWindow_);
  p.mainState = stateOf(windowState());
  rememberNormalBounds(p, p.mainState, {y(), x(), height(), width()});
  p.feeScrollPosition = feeScrollBar_->value();
  return settings;
}

void MainWindow::rememberBounds() {
  rememberNormalBounds(windowSettings_.placement, stateOf(windowState()), {y(), x(), height(), width()});
}

void MainWindow::saveAndEnd() {
  if (ending_) return;
  ending_ = true;
  try {
    writeWindowSettings(windowSettingsPath(programDir_), currentWindowSettings());
  } catch (const FatalError& error) {
    endError_ = error;
    done(error.code());
    return;
  }
  done(0);
}

void MainWindow::reject() { saveAndEnd(); }

void MainWindow::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  rememberBounds();
}

void MainWindow::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) rememberBounds();
}

bool MainWindow::scrollFeeArea(int key) {
  struct KeyAction {
    int key;
    QAbstractSlider::SliderAction action;
  };
  static constexpr KeyAction kKeys[] = {
      {Qt::Key_Up, QAbstractSlider::SliderSingleStepSub},   {Qt::Key_Down, QAbstractSlider::SliderSingleStepAdd},
      {Qt::Key_PageUp, QAbstractSlider::SliderPageStepSub}, {Qt::Key_PageDown, QAbstractSlider::SliderPageStepAdd},
      {Qt::Key_Home, QAbstractSlider::SliderToMinimum},     {Qt::Key_End, QAbstractSlider::SliderToMaximum},
  };
  for (const KeyAction& k : kKeys) {
    if (k.key != key) continue;
    const bool changesMonth = key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    if (changesMonth && !feeScrollBar_->isEnabled()) return false;
    if (feeScrollBar_->isEnabled()) feeScrollBar_->triggerAction(k.action);
    return true;
  }
  return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == feePanel_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() == Qt::NoModifier && scrollFeeArea(key->key())) return true;
    // PageUp/PageDown the rows do not take step through the months.
    if (key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown) {
      key->key() == Qt::Key_PageUp ? previousMonth() : nextMonth();
      return true;
    }
  }
  if (watched == feePanel_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
    feeFocusFrame_->setVisible(event->type() == QEvent::FocusIn);
    feeFocusFrame_->raise();
  }
  if (watched == callList_ && event->type() == QEvent::FocusIn && callList_->currentRow() < 0 &&
      callList_->rowCount() > 0)
    callList_->setCurrentCell(0, 0);
  if (watched == callList_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      showCallsOfSelectedNumber();
      return true;
    }
  }
  if (watched == client_ && event->type() == QEvent::Resize) {
    relayout();
    rememberBounds();
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace zelk
