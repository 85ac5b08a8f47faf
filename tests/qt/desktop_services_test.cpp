// zelkwin's own services: before the MA reference list is built there are no
// dialogs, and every question gets the base answer instead of reaching for
// them; afterwards each placed window is the dialog of its name, its MA
// reference list filled from the MA list loaded.
#include <QListWidget>
#include <QtTest>

#include "app/desktop_services.h"
#include "dialog_test_support.h"
#include "ui/model/month_display.h"

namespace zelk {

class DesktopServicesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void questionsBeforeTheDialogsGetTheBaseAnswers() {
    test::ProgramFolder folder(test::crlfLines({"=i"}));
    test::MessageRecorder messages;
    DesktopServices services(folder.dir.path());
    services.loadMaList(folder.dir.path());

    QVERIFY(services.openSettingsDialog() == SettingsDialogAnswer::Cancelled);
    QCOMPARE(services.dialogLogCount(), 0);
    QVERIFY(services.askRecalculation() == RecalculationAnswer::Later);
    services.storeSettingsDialog();
    QCOMPARE(folder.settingsText(), test::crlfLines({"=i"}));
    services.showAbout();
    QCOMPARE(messages.sink.messages, std::vector<std::string>{productTitle()});
    QVERIFY(!services.monthCalls(0));
    for (std::size_t i = 0; i < kPlacedWindowCount; ++i)
      QVERIFY(!services.placedWindow(static_cast<PlacedWindow>(i)));
  }

  void theDialogsArePlacedByTheirNames() {
    test::ProgramFolder folder;
    DesktopServices services(folder.dir.path());
    services.loadMaList(folder.dir.path());
    services.buildMaReference();
    // The start-up window and its own windows are not the services' to place.
    const std::pair<PlacedWindow, const char*> expected[] = {
        {PlacedWindow::Form0, nullptr}, {PlacedWindow::Form1, nullptr}, {PlacedWindow::Form2, "Form2"},
        {PlacedWindow::Form3, "Form3"}, {PlacedWindow::Form4, "Form4"}, {PlacedWindow::Form5, "Form5"},
        {PlacedWindow::Form6, "Form6"}, {PlacedWindow::Form7, nullptr}, {PlacedWindow::Form8, "Form8"},
        {PlacedWindow::Form9, "Form9"}, {PlacedWindow::MaRef, "Ma_ref"},
    };
    QCOMPARE(std::size(expected), kPlacedWindowCount);
    for (const auto& [window, name] : expected) {
      QWidget* widget = services.placedWindow(window);
      QCOMPARE(widget ? widget->objectName() : QString(), name ? QString(name) : QString());
    }
    auto* list = services.placedWindow(PlacedWindow::MaRef)->findChild<QListWidget*>("ListBox");
    QCOMPARE(list->count(), 3);
  }
};

}  // namespace zelk

QTEST_MAIN(zelk::DesktopServicesTest)
#include "desktop_services_test.moc"
