// What the dialogs ask of the operating system: the current directory, a
// detached new process, a document opened in its viewer, and the end of this
// process. The restart and the help pages go through it, so tests put a
// recorder in its place.
#pragma once

#include <string>

namespace zelk {

class ProcessStarter {
 public:
  virtual ~ProcessStarter() = default;
  virtual void changeDirectory(const std::string& directory) = 0;
  // Starts `program` detached from this process; false when it cannot start.
  virtual bool startDetached(const std::string& program, const std::string& workDir) = 0;
  virtual void openDocument(const std::string& path) = 0;
  // Ends the process at once: nothing else is saved on the way out.
  virtual void endProcess(int exitCode) = 0;
};

// The real one: QDir, QProcess, QDesktopServices and std::exit.
ProcessStarter& systemProcessStarter();

}  // namespace zelk
