#include "base/text.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>
#include <utility>

#include "platform/regular_file.h"

namespace zelk {

void digitsOnlyInto(std::string& out, std::string_view text, std::size_t maxDigits) {
  // Written in place and cut once: no growth check per digit.
  out.resize(std::min(text.size(), maxDigits));
  std::size_t count = 0;
  for (char c : text) {
    if (count >= maxDigits) break;
    if (c >= '0' && c <= '9')
      out[count++] = c;
    else if (c == ',' && count == 1)
      count = 0;
  }
  out.resize(count);
}

std::string digitsOnly(std::string_view text, std::size_t maxDigits) {
  std::string result;
  digitsOnlyInto(result, text, maxDigits);
  return result;
}

std::string trimRight(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] == ' ') --end;
  return std::string(text.substr(0, end));
}

void repeatChar(std::string& out, char character, int count) {
  int times = count < 0 ? -count : count;
  out.append(static_cast<std::size_t>(times), character);
  if (count < 0) out += '\n';
}

LineReader::~LineReader() { close(); }

LineReader::LineReader(LineReader&& other) noexcept { *this = std::move(other); }

LineReader& LineReader::operator=(LineReader&& other) noexcept {
  if (this == &other) return *this;
  close();
  file_ = std::exchange(other.file_, nullptr);
  std::copy(other.buffer_ + other.pos_, other.buffer_ + other.end_, buffer_);
  end_ = other.end_ - other.pos_;
  pos_ = 0;
  bufferStart_ = other.offset();
  trail_ = std::exchange(other.trail_, nullptr);
  nulFrom_ = kUnsearched;
  other.pos_ = other.end_ = 0;
  other.nulFrom_ = kUnsearched;
  other.bufferStart_ = 0;
  return *this;
}

bool LineReader::open(const std::string& path) {
  close();
  const int descriptor = openRegularFile(path);
  if (descriptor < 0) return false;
  file_ = ::fdopen(descriptor, "rb");
  if (!file_) ::close(descriptor);
  return file_ != nullptr;
}

void LineReader::close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  pos_ = end_ = 0;
  nulFrom_ = kUnsearched;
  bufferStart_ = 0;
  trail_ = nullptr;
}

bool LineReader::refill() {
  if (!file_) return false;
  bufferStart_ += end_;
  end_ = std::fread(buffer_, 1, sizeof buffer_, file_);
  if (trail_) trail_->add({buffer_, end_});
  pos_ = 0;
  nulFrom_ = kUnsearched;
  return end_ != 0;
}

bool LineReader::seek(std::uint64_t offset) {
  if (!file_ || offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) return false;
  if (::fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
  bufferStart_ = offset;
  pos_ = end_ = 0;
  trail_ = nullptr;
  nulFrom_ = kUnsearched;
  return true;
}

bool LineReader::readLine(std::string& line, std::size_t bufferSize) {
  line.clear();
  const std::size_t limit = bufferSize > 0 ? bufferSize - 1 : 0;
  // Keeps what fits of a piece of the line; the rest is read and dropped.
  auto keep = [&](const char* bytes, std::size_t count) {
    line.append(bytes, std::min(count, limit - std::min(limit, line.size())));
  };
  bool readAny = false;
  bool pendingCr = false;  // a CR that ended the last block: dropped only if a LF follows
  for (;;) {
    if (pos_ == end_ && !refill()) {
      if (pendingCr) keep("\r", 1);
      return readAny;
    }
    readAny = true;
    const char* from = buffer_ + pos_;
    const std::size_t available = end_ - pos_;
    const auto* lineFeed = static_cast<const char*>(std::memchr(from, '\n', available));
    if (pendingCr && from[0] != '\n') keep("\r", 1);
    pendingCr = false;
    if (lineFeed) {
      std::size_t count = static_cast<std::size_t>(lineFeed - from);
      if (count > 0 && from[count - 1] == '\r') --count;
      keep(from, count);
      pos_ += static_cast<std::size_t>(lineFeed - from) + 1;
      return true;
    }
    std::size_t count = available;
    if (from[count - 1] == '\r') {
      pendingCr = true;
      --count;
    }
    keep(from, count);
    pos_ = end_;
  }
}

namespace {

// The next line of block[pos, end) when its line feed lies in the block: its
// view, cut after bufferSize - 1 bytes, with pos moved past the line feed;
// false when the block holds no line feed.
bool lineInBlock(const char* block, std::size_t& pos, std::size_t end, std::size_t bufferSize,
                 std::string_view& line) {
  const char* from = block + pos;
  const auto* lineFeed = pos < end ? static_cast<const char*>(std::memchr(from, '\n', end - pos)) : nullptr;
  if (!lineFeed) return false;
  std::size_t count = static_cast<std::size_t>(lineFeed - from);
  pos += count + 1;
  if (count > 0 && from[count - 1] == '\r') --count;
  line = std::string_view(from, std::min(count, bufferSize > 0 ? bufferSize - 1 : 0));
  return true;
}

}  // namespace

bool LineReader::readLineView(std::string_view& line, std::size_t bufferSize) {
  if (lineInBlock(buffer_, pos_, end_, bufferSize, line)) return true;
  const bool read = readLine(spanning_, bufferSize);
  line = spanning_;
  return read;
}

bool LineReader::readTextLineView(std::string_view& line, std::size_t bufferSize) {
  const std::size_t from = pos_;
  if (!lineInBlock(buffer_, pos_, end_, bufferSize, line)) {  // gathered over a block's end
    const bool read = readLine(spanning_, bufferSize);
    line = std::string_view(spanning_).substr(0, spanning_.find('\0'));
    return read;
  }
  if (from < nulFrom_ || from > nulAt_) {
    const auto* nul = static_cast<const char*>(std::memchr(line.data(), '\0', end_ - from));
    nulFrom_ = from;
    nulAt_ = nul ? static_cast<std::size_t>(nul - buffer_) : end_;
  }
  if (nulAt_ < from + line.size()) line = line.substr(0, nulAt_ - from);
  return true;
}

long long readDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value < 100000000000LL) value = value * 10 + (text[i] - '0');
  }
  return value;
}

long long atoiLike(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value < 100000000000LL) value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

}  // namespace zelk
