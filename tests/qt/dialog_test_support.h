// Fixtures of the dialog tests: a program directory with a small MA data
// file, a recorder in place of the process starter, a way to act on a modal
// window once it is shown, and the services the start-up and main windows
// ask of the rest of the program, as fakes.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "support/test_support.h"
#include "tariff/ma_data.h"
#include "ui/qt/main_window.h"
#include "ui/qt/process_starter.h"
#include "ui/qt/settings_dialog.h"
#include "ui/qt/startup_window.h"

namespace zelk::test {

// Tokyo (3; adjacent 42, 44), Musashino (422) next to it, Osaka (6) far away.
inline std::string smallMaData() {
  return crlfLines({std::string(kMaIdentificationLine), std::string(kMaVersionLine),
                    "#####", sj("東京") + "\t13\t100\t100", "1", "3", "#", "2", "42", "44",
                    "#####", sj("武蔵野") + "\t13\t95\t100", "1", "422", "#", "1", "3",
                    "#####", sj("大阪") + "\t27\t300\t250", "1", "6", "#", "0",
                    "#####", "end"});
}

struct StarterCall {
  std::string what;
  std::string first;
  std::string second;
  bool operator==(const StarterCall&) const = default;
};

class RecordingStarter : public ProcessStarter {
 public:
  void changeDirectory(const std::string& directory) override { calls.push_back({"cd", directory, ""}); }
  bool startDetached(const std::string& program, const std::string& workDir) override {
    calls.push_back({"start", program, workDir});
    return true;
  }
  void openDocument(const std::string& path) override { calls.push_back({"open", path, ""}); }
  void endProcess(int exitCode) override { calls.push_back({"exit", std::to_string(exitCode), ""}); }
  std::vector<StarterCall> calls;
};

// A program directory with ma.zlk (and zelk.cfg when given), the MA list and
// search over it, and the services the dialogs take.
struct ProgramFolder {
  explicit ProgramFolder(const std::optional<std::string>& settingsFile = std::nullopt) {
    dir.write("ma.zlk", smallMaData());
    if (settingsFile) dir.write("zelk.cfg", *settingsFile);
    maList = loadMaList(dir.path() + "ma.zlk");
    maSearch = std::make_unique<MaDataFile>(dir.path() + "ma.zlk");
    services.programDir = dir.path();
    services.maList = &maList;
    services.maSearch = maSearch.get();
    services.starter = &starter;
  }
  std::string settingsPath() const { return dir.path() + "zelk.cfg"; }
  std::string settingsText() const { return readFile(settingsPath()); }

  ScratchDir dir;
  MaList maList;
  std::unique_ptr<MaDataFile> maSearch;
  RecordingStarter starter;
  DialogServices services;
};

// Runs `action` on the modal window named `name` as soon as it is shown, from
// within its own modal loop.
inline void whenModal(const QString& name, std::function<void(QDialog*)> action) {
  auto* timer = new QTimer;
  timer->setInterval(1);
  QObject::connect(timer, &QTimer::timeout, [timer, name, action] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<QDialog*>(widget);
      if (!dialog || dialog->objectName() != name || !dialog->isVisible() || !dialog->isModal()) continue;
      timer->stop();
      timer->deleteLater();
      action(dialog);
      return;
    }
  });
  timer->start();
}

// Clicks the named button of the window.
inline void clickButton(QWidget* window, const char* name) {
  auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
  if (button) button->click();
}

// Shows the dialog's messages to a recorder while the object lives.
struct MessageRecorder {
  RecordingSink sink;
  ScopedMessageSink scope{sink};
};

// The start-up's services: each step is noted in `steps`, the calculation
// hands over `months`; the settings dialog and the about box are left to
// the base implementations.
class FakeStartupServices : public StartupServices {
 public:
  CalculationOutcome calculate(const std::string& programDir, const std::vector<std::string>& optionLines) override {
    std::string step = "calculate " + programDir;
    for (const auto& line : optionLines) step += " " + line;
    steps.push_back(step);
    return CalculationOutcome{months, RunSettings{}, std::nullopt};
  }
  void fillRunTimeCaptions() override { steps.push_back("captions"); }
  void loadMaList(const std::string& programDir) override { steps.push_back("ma list " + programDir); }
  void buildMaReference() override { steps.push_back("ma reference"); }
  void restart(const std::string&) override { steps.push_back("restart"); }

  std::vector<std::string> steps;
  MonthList months;
};

// The main window's services: help pages opened and restarts are counted,
// the dialogs answer what is set here (cancelled unless set), and no dialog
// of the desktop opens.
class FakeMainWindowServices : public MainWindowServices {
 public:
  RecalculationAnswer changeSettings() override { return settingsAnswer; }
  void restart() override { ++restarts; }
  void openUrl(const QUrl& url) override { opened.push_back(url); }
  std::optional<QFont> chooseFont(const QFont& initial, QWidget*) override {
    offeredFont = initial;
    return font;
  }
  std::optional<QColor> chooseColour(const QColor&, QWidget*) override { return colour; }
  std::optional<MonthCalls> monthCalls(int) override {
    ++callsAsked;
    return calls;
  }
  QString chooseCsvPath(QWidget*, const QString&) override { return csvPath; }

  RecalculationAnswer settingsAnswer = RecalculationAnswer::Later;
  int restarts = 0;
  std::vector<QUrl> opened;
  QFont offeredFont;
  std::optional<QFont> font;
  std::optional<QColor> colour;
  int callsAsked = 0;
  std::optional<MonthCalls> calls;
  QString csvPath;
};

}  // namespace zelk::test
