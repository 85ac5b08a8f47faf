#include "config/settings_lock.h"

#include "platform/cp932.h"
#include "platform/message_forms.h"

namespace zelk {

std::string settingsLockPath(const std::string& programDir) { return programDir + "zelk.cfg.lock"; }

SettingsFileLock::SettingsFileLock(const std::string& programDir, std::chrono::milliseconds timeout)
    : lock_(settingsLockPath(programDir), timeout) {
  if (lock_.timedOut())
    failPair(244, sjis("ほかのzelkが[zelk.cfg]を使ったままです。しばらくしてからどうぞ(-_-)"),
             programDir + "zelk.cfg");
}

}  // namespace zelk
