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

// The settings menu's last question (Form6): recalculate now, which
// restarts the program, or later.
enum class RecalculationAnswer { Now, Later };

// What the main window asks of the rest of the program. Each function has a
// base implementation: without a subclass the window does without (no about
// box, no settings, no call list) and uses the desktop's own dialogs.
class MainWindowServices {
 public:
  virtual ~MainWindowServices() = default;

  // Shows the about box Form2 modally.
  virtual void showAbout() {}
  // The settings menu: loads zelk.cfg into the settings dialog, shows it,
  // stores it on OK and asks whether to recalculate. Now: the program is to
  // restart with the new settings.
  virtual RecalculationAnswer changeSettings() { return RecalculationAnswer::Later; }
  // Starts a new zelkwin process (the window then ends without saving).
  virtual void restart() {}
  // The shell's "open" for the help pages, or a message saying where the
  // page is when no browser starts.
  virtual void openUrl(const QUrl& url);
  // The font dialog, preset with `initial`; nothing when the user cancels.
  virtual std::optional<QFont> chooseFont(const QFont& initial, QWidget* parent);
  // The colour dialog after the font dialog, preset with `initial`; nothing
  // when the user cancels.
  virtual std::optional<QColor> chooseColour(const QColor& initial, QWidget* parent);
  // The calls of stored month `monthIndex` (0 the oldest) for 通話明細;
  // nothing when the run left none to list. May throw FatalError.
  virtual std::optional<MonthCalls> monthCalls(int monthIndex);
  // The other windows whose positions zelkwin.cfg keeps, nullptr for none.
  virtual QWidget* placedWindow(PlacedWindow window);
  // Where the year window and 通話明細 save their CSV, offering
  // `suggestedName`; empty when the user cancels. The file dialog.
  virtual QString chooseCsvPath(QWidget* parent, const QString& suggestedName);

 protected:
  MainWindowServices() = default;
  MainWindowServices(const MainWindowServices&) = default;
  MainWindowServices& operator=(const MainWindowServices&) = default;
};

class MainWindow : public QDialog {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // What the window asks from now on; it must outlive the window or be
  // replaced first. Until then the base implementations answer.
  void setServices(MainWindowServices& services);
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
  // The CSV path question of the year window and 通話明細, asked of the services.
  std::function<QString(QWidget*, const QString&)> csvPathChooser();
  void saveAndEnd();
  // Runs a command; a fatal condition ends the window with its code.
  void guarded(const std::function<void()>& command);

  MainWindowServices* services_;
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
