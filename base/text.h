// Small text operations shared by every reader and writer: how a dialled
// text becomes a number, how a line is read, how a run of one character is
// written and how trailing blanks are removed. Text is CP932, byte by byte.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/content_digest.h"

namespace zelk {

// Longest number text: 12 digits.
inline constexpr std::size_t kMaxNumberDigits = 12;

// Builds a number text from a dialled or typed text: digits are kept, a comma
// right after exactly one collected digit drops that digit (an outside-line
// prefix and its dialling pause, "0,"), everything else is ignored; at most
// `maxDigits` digits.
std::string digitsOnly(std::string_view text, std::size_t maxDigits = kMaxNumberDigits);
// The same into `out`, whose storage is reused (no allocation per log record).
void digitsOnlyInto(std::string& out, std::string_view text,
                    std::size_t maxDigits = kMaxNumberDigits);

// Removes trailing spaces (only the space character, not tabs).
std::string trimRight(std::string_view text);

// Appends `character` |count| times to `out`; a negative count also ends the
// line with a line feed.
void repeatChar(std::string& out, char character, int count);

// Reads a text file line by line as the Windows text mode does: a carriage
// return right before a line feed never reaches the caller, and a last line
// without a line feed still counts.
class LineReader {
 public:
  LineReader() = default;
  explicit LineReader(std::FILE* file) : file_(file) {}
  ~LineReader();
  LineReader(LineReader&& other) noexcept;
  LineReader& operator=(LineReader&& other) noexcept;
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Opens `path` for reading; false when it cannot be opened or is not a
  // regular file (a directory, a FIFO, a device).
  bool open(const std::string& path);
  bool isOpen() const { return file_ != nullptr; }
  void close();
  // On a file just opened: every byte read from here on is also added to
  // `trail`, in the file's order, until a seek.
  void addBytesReadTo(DigestTrail& trail) { trail_ = &trail; }

  // Reads the next line into `line` without its line end. The caller's buffer
  // holds `bufferSize` bytes with the terminator, so a line is cut after
  // bufferSize - 1 bytes and the rest of it, up to the line feed, is skipped:
  // nothing is ever written past the buffer and the cut tail is never read as
  // a line of its own. Returns false only at the end of the file when no
  // character of a line was read.
  bool readLine(std::string& line, std::size_t bufferSize);

  // The byte offset in the file of the next line readLine returns: a place
  // to come back to with seek.
  std::uint64_t offset() const { return bufferStart_ + pos_; }
  // Reading goes on from `offset`, an offset taken from offset(); false when
  // the file cannot go there.
  bool seek(std::uint64_t offset);
  // The same line as readLine, as a view that stays valid until the next
  // read, move or close. A line that lies whole in the block read is not
  // copied; one that runs over the block's end is gathered as readLine does.
  bool readLineView(std::string_view& line, std::size_t bufferSize);
  // The same as readLineView, the line then ending before its first NUL
  // byte, as a C string's text does. A block is searched for a NUL once,
  // not once a line.
  bool readTextLineView(std::string_view& line, std::size_t bufferSize);

 private:
  bool refill();  // false at the end of the file

  std::FILE* file_ = nullptr;
  char buffer_[65536];
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::uint64_t bufferStart_ = 0;  // offset in the file of buffer_[0]
  std::string spanning_;  // readLineView's line when it runs over a block's end
  DigestTrail* trail_ = nullptr;
  // The block's first NUL at or after nulFrom_ (end_ when there is none):
  // what readTextLineView searched last, until the block changes.
  static constexpr std::size_t kUnsearched = static_cast<std::size_t>(-1);
  std::size_t nulFrom_ = kUnsearched;
  std::size_t nulAt_ = 0;
};

// Reads a decimal number as the logs and files write it: leading spaces (not
// tabs) are skipped and reading stops at the first character that is not a
// digit, so "  5" reads as 5 and an empty field as 0.
long long readDecimal(std::string_view text);

// C's atoi: leading white space, an optional sign, then digits.
long long atoiLike(std::string_view text);

}  // namespace zelk
