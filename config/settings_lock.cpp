#include "config/settings_lock.h"

#include "platform/cp932.h"
#include "platform/message_forms.h"

namespace zelk {

std::string settingsLockPath(const std::string& programDir) { return programDir + "zelk.cfg.lock"; }

SettingsFileLock::SettingsFileLock(const std::string& programDir, std::chrono::milliseconds timeout)
    : lock_(settingsLockPath(programDir), timeout) {
  switch (lock_.state()) {
    case ExclusiveFileLock::State::Locked:
    case ExclusiveFileLock::State::ReadOnlyFolder:  // nothing can be rewritten there
      return;
    case ExclusiveFileLock::State::TimedOut:
      failPair(244, sjis("ほかのzelkが[zelk.cfg]を使ったままです。しばらくしてからどうぞ(-_-)"),
               programDir + "zelk.cfg");
    case ExclusiveFileLock::State::Unusable:
      // Without the lock a concurrent run could lose what this one learns.
      failPair(244, sjis("[zelk.cfg.lock]でロックできないので、[zelk.cfg]を使えません。"
                         "ほかのユーザのファイルやリンクがあれば消してください(-_-)"),
               settingsLockPath(programDir));
  }
}

}  // namespace zelk
