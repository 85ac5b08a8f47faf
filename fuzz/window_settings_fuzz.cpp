// Feeds arbitrary bytes to the window-settings reader as zelkwin.cfg, then
// writes what it read and reads that back: the second reading must give the
// same text, so nothing the reader accepts can break the file it writes.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "ui/model/window_settings.h"

namespace {

const std::string& scratchPath() {
  static const std::string path = [] {
    std::string pattern = "/tmp/zelk-window-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) std::abort();
    return pattern + "/zelkwin.cfg";
  }();
  return path;
}

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = scratchPath();
  writeBytes(path, std::string(reinterpret_cast<const char*>(data), size));
  zelk::WindowSettings first = zelk::defaultWindowSettings();
  zelk::readWindowSettings(path, first);
  const std::string written = zelk::formatWindowSettings(first);

  writeBytes(path, written);
  zelk::WindowSettings second = zelk::defaultWindowSettings();
  zelk::readWindowSettings(path, second);
  if (zelk::formatWindowSettings(second) != written) std::abort();
  return 0;
}
