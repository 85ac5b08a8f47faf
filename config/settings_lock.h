// Runs that share a program directory (a cron job and the desktop program,
// two terminals) take turns with zelk.cfg: each holds this lock from reading
// the file to the end of its rewrite, so every change of every run survives.
#pragma once

#include <chrono>
#include <string>

#include "platform/file_lock.h"

namespace zelk {

// A run takes milliseconds; one that waits this long is stuck elsewhere.
inline constexpr std::chrono::milliseconds kSettingsLockTimeout{30000};

// programDir + "zelk.cfg.lock".
std::string settingsLockPath(const std::string& programDir);

class SettingsFileLock {
 public:
  // Waits for the lock of `programDir`'s zelk.cfg; when another process
  // keeps it for the whole `timeout`, or the lock cannot be taken at all (a
  // lock file of another user's that cannot be opened, a link that cannot be
  // removed, a folder without locking), ends with 244 and a message that says
  // so. Only a read-only folder goes on unlocked: no run can rewrite there.
  explicit SettingsFileLock(const std::string& programDir,
                            std::chrono::milliseconds timeout = kSettingsLockTimeout);

 private:
  ExclusiveFileLock lock_;
};

}  // namespace zelk
