#include "platform/messages.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "platform/cp932.h"

namespace zelk {
namespace {

MessageSink*& sinkSlot() {
  static StderrSink stderrSink;
  static MessageSink* sink = &stderrSink;
  return sink;
}

}  // namespace

void MessageTally::add(const std::string& cp932Text, MessageKind kind) {
  gravestKind_ = std::max(gravestKind_, kind);
  for (auto& message : messages_) {
    if (message.text == cp932Text) {
      ++message.count;
      return;
    }
  }
  messages_.push_back({cp932Text, 1});
}

MessageTally tallyOf(const std::vector<std::string>& cp932Texts) {
  MessageTally tally;
  for (const auto& text : cp932Texts) tally.add(text);
  return tally;
}

std::string tallyText(const MessageTally& tally) {
  std::string text;
  for (const auto& message : tally.messages()) {
    std::string line = message.text;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (message.count > 1) line += " (" + sjis("×") + std::to_string(message.count) + ")";
    text += line + "\n";
  }
  return text;
}

void MessageSink::showTally(const MessageTally& tally) {
  if (!tally.empty()) show(tallyText(tally), tally.gravestKind());
}

void StderrSink::show(const std::string& cp932Text, MessageKind) {
  std::string text = toUtf8(cp932Text);
  if (text.empty() || text.back() != '\n') text += '\n';
  std::fputs(text.c_str(), stderr);
  std::fflush(stderr);
}

MessageSink& currentMessageSink() { return *sinkSlot(); }

void showMessage(const std::string& cp932Text, MessageKind kind) { sinkSlot()->show(cp932Text, kind); }

ScopedMessageSink::ScopedMessageSink(MessageSink& sink) : previous_(sinkSlot()) {
  sinkSlot() = &sink;
}

ScopedMessageSink::~ScopedMessageSink() { sinkSlot() = previous_; }

FatalError unexpectedFailure(const std::exception& error) {
  if (dynamic_cast<const std::bad_alloc*>(&error))
    return FatalError(101, sjis("メモリが足りません(;_;)"));
  return FatalError(1, sjis("思いがけないエラーです(>_<) : ") + error.what());
}

void fatalExit(int code, const std::string& cp932Message) { throw FatalError(code, cp932Message); }

}  // namespace zelk
