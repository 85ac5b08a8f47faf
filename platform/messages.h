// The two ways the system tells the user something: a non-fatal message that
// is shown and the work goes on, and a fatal condition that ends the process
// with a fixed exit code. Fatal conditions are raised as FatalError and caught
// by each front end at its top, which shows the text and exits with the code.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

// What a message is to the user, for the sinks that show it so (the icon of
// a message box): a plain notice, a warning about the data or the input (the
// most messages), or an error that ends what was asked.
enum class MessageKind { Notice, Warning, Error };

// One distinct message of a calculation run and how often it came.
struct TalliedMessage {
  std::string text;  // CP932
  int count = 0;
  bool operator==(const TalliedMessage&) const = default;
};

// Each distinct text once, in first-seen order, with its count; and the
// gravest kind among them.
class MessageTally {
 public:
  void add(const std::string& cp932Text, MessageKind kind = MessageKind::Warning);
  const std::vector<TalliedMessage>& messages() const { return messages_; }
  bool empty() const { return messages_.empty(); }
  MessageKind gravestKind() const { return gravestKind_; }

 private:
  std::vector<TalliedMessage> messages_;
  MessageKind gravestKind_ = MessageKind::Notice;
};

MessageTally tallyOf(const std::vector<std::string>& cp932Texts);

// The tally as one text (CP932): one message after the other, each without
// its trailing line ends and with " (×N)" when it came N > 1 times.
std::string tallyText(const MessageTally& tally);

// Where non-fatal messages go: stderr for zelk, a message box for zelkwin,
// a recorder in tests. Texts are CP932 bytes.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void show(const std::string& cp932Text, MessageKind kind) = 0;
  // The messages of one calculation run, gathered, shown at once; by
  // default as one message of tallyText.
  virtual void showTally(const MessageTally& tally);
};

// Shows a non-fatal message through the current sink.
void showMessage(const std::string& cp932Text, MessageKind kind = MessageKind::Warning);

// The sink in use; the default one writes UTF-8 to stderr.
MessageSink& currentMessageSink();

// Installs `sink` for as long as the object lives, then restores the previous.
class ScopedMessageSink {
 public:
  explicit ScopedMessageSink(MessageSink& sink);
  ~ScopedMessageSink();
  ScopedMessageSink(const ScopedMessageSink&) = delete;
  ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

 private:
  MessageSink* previous_;
};

// Gathers messages into a tally (the messages of a calculation run).
class TallyingSink : public MessageSink {
 public:
  void show(const std::string& cp932Text, MessageKind kind) override { tally.add(cp932Text, kind); }
  MessageTally tally;
};

// Keeps every message in order (tests, and zelk --json).
class RecordingSink : public MessageSink {
 public:
  void show(const std::string& cp932Text, MessageKind kind) override {
    messages.push_back(cp932Text);
    kinds.push_back(kind);
  }
  std::vector<std::string> messages;
  std::vector<MessageKind> kinds;  // of each message
};

// Writes each message to stderr in UTF-8, with a line end when it has none.
class StderrSink : public MessageSink {
 public:
  void show(const std::string& cp932Text, MessageKind kind) override;
};

// A fatal condition: the message (CP932) and the exit code of the process.
class FatalError : public std::runtime_error {
 public:
  FatalError(int code, std::string cp932Message)
      : std::runtime_error("fatal error " + std::to_string(code)),
        code_(code),
        message_(std::move(cp932Message)) {}
  int code() const { return code_; }
  const std::string& message() const { return message_; }

 private:
  int code_;
  std::string message_;
};

// What a front end reports for an exception that is not a FatalError, so that
// nothing ends the process without a message: running out of memory ends it
// with 101, anything else unforeseen with 1.
FatalError unexpectedFailure(const std::exception& error);

// Raises the fatal condition; never returns.
[[noreturn]] void fatalExit(int code, const std::string& cp932Message);

}  // namespace zelk
