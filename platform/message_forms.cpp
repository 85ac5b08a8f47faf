#include "platform/message_forms.h"

#include "platform/messages.h"

namespace zelk {

void showText(const std::string& text) { showMessage(text); }

std::string formatPair(const std::string& text, const std::string& detail) {
  return text + " : " + detail + "\n";
}

void showPair(const std::string& text, const std::string& detail) {
  showMessage(formatPair(text, detail));
}

std::string formatConfigFileMessage(const std::string& text, const std::string& path) {
  return text + " config. file : " + path + "\n\n";
}

void showConfigFileMessage(const std::string& text, const std::string& path) {
  showMessage(formatConfigFileMessage(text, path));
}

void failPair(int exitCode, const std::string& text, const std::string& detail) {
  fatalExit(exitCode, formatPair(text, detail));
}

void failConfigFile(int exitCode, const std::string& text, const std::string& path) {
  fatalExit(exitCode, formatConfigFileMessage(text, path));
}

}  // namespace zelk
