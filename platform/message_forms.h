// The message functions the settings reader and several other parts use.
// Every text is CP932; fixed texts come from sjis().
#pragma once

#include <string>

namespace zelk {

// Shows the text unchanged.
void showText(const std::string& text);

// Shows "%s : %s\n" with the text and the detail.
void showPair(const std::string& text, const std::string& detail);
std::string formatPair(const std::string& text, const std::string& detail);

// Shows "%s config. file : %s\n\n" with the text and the path.
void showConfigFileMessage(const std::string& text, const std::string& path);
std::string formatConfigFileMessage(const std::string& text, const std::string& path);

// Fatal forms: the message, then the process ends with `exitCode`.
[[noreturn]] void failPair(int exitCode, const std::string& text, const std::string& detail);
[[noreturn]] void failConfigFile(int exitCode, const std::string& text, const std::string& path);

}  // namespace zelk
