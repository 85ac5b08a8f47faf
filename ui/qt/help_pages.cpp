#include "ui/qt/help_pages.h"

#include <filesystem>
#include <system_error>

#include "platform/cp932.h"
#include "platform/messages.h"
#include "platform/paths.h"

namespace zelk {

std::optional<std::string> existingHelpPage(const std::string& programDir, const std::string& page) {
  std::string path = helpPagePath(programDir, page);
  std::error_code ignored;
  if (std::filesystem::is_regular_file(path, ignored)) return path;
  // The page name is ASCII, the same in every encoding.
  showMessage(sjis("ヘルプのページ html/help/") + page + sjis(" が見つかりません。\nプログラムのフォルダにも、インストール先 (share/zelk) にもありません。"));
  return std::nullopt;
}

}  // namespace zelk
