#include "ui/qt/startup_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QProcess>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "platform/cp932.h"
#include "platform/messages.h"
#include "ui/model/month_display.h"
#include "ui/qt/main_window.h"
#include "ui/qt/message_box_sink.h"
#include "ui/qt/no_data_dialog.h"

namespace zelk {

void restartProgram(const std::string& programDir) {
  const QString dir = QFile::decodeName(programDir.c_str());
  QDir::setCurrent(dir);
  // A day the user chose to see old logs stays chosen.
  QStringList arguments;
  if (const auto day = pinnedToday()) arguments << QString::fromStdString("--today=" + isoDateText(*day));
  QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments, dir);
}

void StartupServices::showAbout() { showMessage(productTitle(), MessageKind::Notice); }

void StartupServices::restart(const std::string& programDir) { restartProgram(programDir); }

StartupWindow::StartupWindow(std::string programDir, std::vector<std::string> optionLines, StartupServices& services,
                             QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      programDir_(std::move(programDir)),
      optionLines_(std::move(optionLines)),
      services_(services),
      windowSettings_(defaultWindowSettings()) {
  setObjectName("Form0");
  setWindowTitle(QString::fromUtf8("zelk for Windows"));
  label_ = new QLabel(QString::fromUtf8("zelk for Windowsを起動します"), this);
  label_->setObjectName("Label1");
  label_->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 16, 24, 16);
  layout->addWidget(label_);
  setFixedSize(sizeHint().expandedTo(QSize(260, 60)));

  timer_ = new QTimer(this);
  timer_->setObjectName("Timer1");
  timer_->setSingleShot(true);
  timer_->setInterval(kTimerInterval);
  connect(timer_, &QTimer::timeout, this, [this] { Q_EMIT finished(runSequence()); });

  // The windows of the program in the order they are made; Form0 first.
  mainWindow_ = new MainWindow;
  noData_ = new NoDataDialog;
  mainWindow_->setServices(*this);
  mainWindow_->setProgramDirectory(programDir_);
}

StartupWindow::~StartupWindow() {
  delete noData_;
  delete mainWindow_;
}

void StartupWindow::start() {
  move(windowSettings_.placement.at(PlacedWindow::Form0).left, windowSettings_.placement.at(PlacedWindow::Form0).top);
  show();
  timer_->start();
}

int StartupWindow::runSequence() {
  try {
    runSteps();
  } catch (const FatalError& error) {
    showMessage(error.message(), MessageKind::Error);
    exitCode_ = error.code();
  } catch (const std::exception& error) {
    // Anything else (running out of memory) is shown and ends the process
    // with a fatal code, as a fatal condition does.
    const FatalError failure = unexpectedFailure(error);
    showMessage(failure.message(), MessageKind::Error);
    exitCode_ = failure.code();
  }
  return exitCode_;
}

void StartupWindow::runSteps() {
  timer_->stop();
  exitCode_ = 0;
  services_.fillRunTimeCaptions();
  mainWindow_->applyWindowSettings(windowSettings_);
  services_.loadMaList(programDir_);
  CalculationOutcome outcome = calculate();
  // Old logs only: offer the months up to the newest call, as if that
  // month's closing date were today.
  if (outcome.months.count <= 0 && outcome.newestCallBeforeWindow &&
      askShowOldMonths(outcome.newestCallBeforeWindow->date)) {
    setToday(outcome.newestCallBeforeWindow->closingDate);
    outcome = calculate();
  }
  services_.buildMaReference();
  hide();

  readWindowSettings(windowSettingsPath(programDir_), windowSettings_);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    fitPlacementToScreen(windowSettings_.placement, {area.left(), area.top(), area.width(), area.height()});
  }
  mainWindow_->applyWindowSettings(windowSettings_);
  applyPositions();

  if (outcome.months.count <= 0) {
    noDataPath();
    return;
  }

  mainWindow_->prepare(outcome.months, outcome.settings);
  mainWindow_->exec();
  if (const auto& error = mainWindow_->endError()) throw *error;
}

CalculationOutcome StartupWindow::calculate() {
  TallyingSink gathered;
  try {
    CalculationOutcome outcome = [&] {
      ScopedMessageSink scope(gathered);
      return services_.calculate(programDir_, optionLines_);
    }();
    currentMessageSink().showTally(gathered.tally);
    return outcome;
  } catch (const FatalError&) {
    currentMessageSink().showTally(gathered.tally);
    throw;
  }
}

bool StartupWindow::askShowOldMonths(const LocalDate& newestCall) {
  const QString text = QString::fromUtf8("記録は%1年%2月%3日までです。その日までの記録を表示しますか?")
                           .arg(newestCall.year)
                           .arg(newestCall.month)
                           .arg(newestCall.day);
  QMessageBox box(QMessageBox::Question, QString::fromUtf8(kApplicationTitle), text,
                  QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
  box.setObjectName("OldRecordsQuestion");
  box.button(QMessageBox::Yes)->setText(QString::fromUtf8("はい"));
  box.button(QMessageBox::No)->setText(QString::fromUtf8("いいえ"));
  box.setEscapeButton(QMessageBox::No);
  box.exec();
  return box.clickedButton() == box.button(QMessageBox::Yes);
}

void StartupWindow::noDataPath() {
  if (noData_->exec() == NoDataDialog::kConfigure &&
      services_.openSettingsDialog() == SettingsDialogAnswer::Accepted && services_.dialogLogCount() > 0) {
    services_.storeSettingsDialog();
    services_.restart(programDir_);
    return;
  }
  fatalExit(230, sjis("読み込みデータが設定されないので、終了します。"));
}

QWidget* StartupWindow::placedWindow(PlacedWindow window) {
  switch (window) {
    case PlacedWindow::Form0: return this;
    case PlacedWindow::Form1: return mainWindow_;
    case PlacedWindow::Form7: return noData_;
    default: return services_.placedWindow(window);
  }
}

void StartupWindow::applyPositions() {
  for (std::size_t i = 0; i < kPlacedWindowCount; ++i) {
    const auto window = static_cast<PlacedWindow>(i);
    if (window == PlacedWindow::Form1) continue;  // the main window places itself
    if (QWidget* widget = placedWindow(window)) {
      const WindowPosition& position = windowSettings_.placement.at(window);
      widget->move(position.left, position.top);
    }
  }
}

void StartupWindow::showAbout() { services_.showAbout(); }

RecalculationAnswer StartupWindow::changeSettings() {
  if (services_.openSettingsDialog() != SettingsDialogAnswer::Accepted) return RecalculationAnswer::Later;
  services_.storeSettingsDialog();
  return services_.askRecalculation();
}

void StartupWindow::restart() { services_.restart(programDir_); }

std::optional<MonthCalls> StartupWindow::monthCalls(int monthIndex) { return services_.monthCalls(monthIndex); }

}  // namespace zelk
