#include "engine/text.h"

#include <unistd.h>

#include <cctype>
#include <utility>

#include "platform/regular_file.h"

namespace zelk {

std::string digitsOnly(std::string_view text, std::size_t maxDigits) {
  std::string result;
  for (char c : text) {
    if (result.size() >= maxDigits) break;
    if (c >= '0' && c <= '9')
      result += c;
    else if (c == ',' && result.size() == 1)
      result.clear();
  }
  return result;
}

std::string trimRight(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] == ' ') --end;
  return std::string(text.substr(0, end));
}

void trimRightInPlace(std::string& text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] == ' ') --end;
  text.resize(end);
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
  other.pos_ = other.end_ = 0;
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
}

int LineReader::nextByte() {
  if (pos_ == end_) {
    if (!file_) return EOF;
    end_ = std::fread(buffer_, 1, sizeof buffer_, file_);
    pos_ = 0;
    if (end_ == 0) return EOF;
  }
  return static_cast<unsigned char>(buffer_[pos_++]);
}

bool LineReader::readLine(std::string& line, std::size_t bufferSize) {
  line.clear();
  const std::size_t limit = bufferSize > 0 ? bufferSize - 1 : 0;
  bool readAny = false;
  bool pendingCr = false;  // a CR is only dropped when a LF follows it
  auto append = [&](char c) {
    if (line.size() < limit) line += c;
  };
  for (;;) {
    int c = nextByte();
    if (c == EOF) {
      if (pendingCr) append('\r');
      return readAny;
    }
    readAny = true;
    if (c == '\n') return true;
    if (pendingCr) append('\r');
    pendingCr = c == '\r';
    if (!pendingCr) append(static_cast<char>(c));
  }
}

long readDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value < 100000000000L) value = value * 10 + (text[i] - '0');
  }
  return value;
}

long atoiLike(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value < 100000000000L) value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

}  // namespace zelk
