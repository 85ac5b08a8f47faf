#include "ui/qt/process_starter.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUrl>
#include <cstdlib>

namespace zelk {
namespace {

QString nativeName(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

class SystemProcessStarter : public ProcessStarter {
 public:
  void changeDirectory(const std::string& directory) override { QDir::setCurrent(nativeName(directory)); }
  bool startDetached(const std::string& program, const std::string& workDir) override {
    return QProcess::startDetached(nativeName(program), {}, nativeName(workDir));
  }
  void openDocument(const std::string& path) override {
    QDesktopServices::openUrl(QUrl::fromLocalFile(nativeName(path)));
  }
  void endProcess(int exitCode) override { std::exit(exitCode); }
};

}  // namespace

ProcessStarter& systemProcessStarter() {
  static SystemProcessStarter starter;
  return starter;
}

}  // namespace zelk
