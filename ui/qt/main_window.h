// Form1, the main window: the fee and count rows of one month, the cheapest
// plan, the call list, the tool bar and the menu. A thin view over
// MainWindowModel: the model decides which rows exist, where they stand and
// what they show; this class places the widgets and forwards the commands.
#pragma once

#include <QDialog>
#include <QColor>
#include <QFont>
#include <QUrl>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/messages.h"
#include "tariff/month_result.h"
#include "ui/model/main_window_model.h"
#include "ui/model/month_calls.h"
#include "ui/model/window_settings.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QScrollBar;
class QTableWidget;
class QToolBar;
class QToolButton;

namespace zelk {

class CallsWindow;
class YearWindow;

// What the main window asks of the rest of the program. Every member may be
// left empty; the window then does without (no about box, no settings).
struct MainWindowHooks {
  // Shows the about box Form2 modally.
  std::function<void()> showAbout;
  // The settings menu: loads zelk.cfg into the settings dialog, shows it,
  // stores it on OK and asks whether to recalculate. True when the program
  // is to restart with the new settings.
  std::function<bool()> changeSettings;
  // Starts a new zelkwin process (the window then ends without saving).
  std::function<void()> restart;
  // The shell's "open" for the help pages; its answer is ignored.
  std::function<void(const QUrl&)> openUrl;
  // The font dialog, preset with `initial`; nothing when the user cancels.
  std::function<std::optional<QFont>(const QFont& initial, QWidget* parent)> chooseFont;
  // The colour dialog after the font dialog, preset with `initial`; nothing
  // when the user cancels.
  std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)> chooseColour;
  // The calls of stored month `monthIndex` (0 the oldest) for 通話明細;
  // nothing when the run left none to list. May throw FatalError.
  std::function<std::optional<MonthCalls>(int monthIndex)> monthCalls;
  // The other windows whose positions zelkwin.cfg keeps, nullptr for none.
  std::function<QWidget*(PlacedWindow)> placedWindow;
  // Where the year window saves its CSV; a file dialog when empty.
  std::function<QString(QWidget*)> chooseCsvPath;
};

class MainWindow : public QDialog {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  void setHooks(MainWindowHooks hooks);
  // Where zelkwin.cfg is written and the help pages are found; ends in "/".
  void setProgramDirectory(std::string programDir);

  // Start-up: fonts, position, size and state from the window settings.
  void applyWindowSettings(const WindowSettings& settings);
  // Start-up: the rows for the settings the calculation used, the view menu
  // and the newest month.
  void prepare(const MonthList& months, const RunSettings& settings);

  // The commands of the tool bar and the menu.
  void previousMonth();
  void nextMonth();
  void selectMonth(int itemNumber);  // Menu_log01 is 1
  void showEstimate();
  void showCalls(const std::string& number);  // "" for every number
  // The year comparison of the stored months (Form10), opened or raised.
  void showYearWindow();
  void chooseFont(bool mainFont);
  void openHelpPage(const char* fileName);  // below html/help/

  // The window settings as they would be written now.
  WindowSettings currentWindowSettings() const;
  const MainWindowModel* model() const { return model_.get(); }
  YearWindow* yearWindow() const { return yearWindow_; }
  CallsWindow* callsWindow() const { return callsWindow_; }
  // A fatal condition met while the window was open (zelkwin.cfg could not
  // be written, ...): the window closed and the process ends with its code.
  const std::optional<FatalError>& endError() const { return endError_; }
  bool restartRequested() const { return restartRequested_; }

 protected:
  // Esc and closing the window: save the window settings and end.
  void reject() override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct RowWidgets {
    QLabel* panel = nullptr;
    QLabel* value = nullptr;
  };

  void buildToolBar();
  void buildRows();
  void buildBottomPanels();
  void buildMenu();
  QToolButton* addToolButton(const char* name, const char* hint, int icon);

  void applyFonts();
  void applyHeights();
  void updateMinimumWidth();
  void relayout();
  void placeRows();
  void placeValueLabel(QLabel* panel, QLabel* value, int labelTop) const;
  void fitCaption(QLabel* panel, const QLabel* value, const QString& caption) const;
  // Arrow keys, PageUp/PageDown, Home/End on the fee area; false for others,
  // and for PageUp/PageDown when the rows all fit (they then change the month).
  bool scrollFeeArea(int key);
  void addShortcuts();
  void openContents();
  // The selected number of the call list in 通話明細.
  void showCallsOfSelectedNumber();
  void showCurrentMonth();
  void updateViewMenu();
  void rememberBounds();
  void changeSettings();
  void saveAndEnd();
  // Runs a command; a fatal condition ends the window with its code.
  void guarded(const std::function<void()>& command);

  MainWindowHooks hooks_;
  std::string programDir_;
  WindowSettings windowSettings_;
  std::unique_ptr<MainWindowModel> model_;
  std::optional<FatalError> endError_;
  bool restartRequested_ = false;
  bool ending_ = false;
  bool placingScrollBar_ = false;

  QMenuBar* menuBar_ = nullptr;
  QWidget* client_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QAction* estimateButtonAction_ = nullptr;
  QWidget* feePanel_ = nullptr;
  QScrollBar* feeScrollBar_ = nullptr;
  // Drawn round the fee area while it has the keyboard focus.
  QWidget* feeFocusFrame_ = nullptr;
  std::array<RowWidgets, kMainRowCount> rows_{};
  QLabel* planPanel_ = nullptr;
  QLabel* planLabel_ = nullptr;
  QTableWidget* callList_ = nullptr;
  std::array<QAction*, kMaxStoredMonths> monthActions_{};
  QAction* naviLine_ = nullptr;
  QAction* navi_ = nullptr;
  YearWindow* yearWindow_ = nullptr;
  // The 通話明細 opened last; each opening makes a new one.
  CallsWindow* callsWindow_ = nullptr;
};

}  // namespace zelk
