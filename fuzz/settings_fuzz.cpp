// Feeds arbitrary bytes to the settings reader as zelk.cfg. Files whose first
// line is not the version line take the upgrade path too, so the backup and
// the writer run on whatever the reader made of the bytes.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "config/settings_reader.h"
#include "platform/messages.h"

namespace {

// Knows one MA, so that "=0" and "H=" lines reach both of their outcomes.
class OneMaSearch : public zelk::MaSearch {
 public:
  int findSingle(std::string_view number, zelk::MaLookup& lookup) override {
    auto areaList = std::move(lookup.areaList);
    lookup = zelk::MaLookup{};
    lookup.areaList = std::move(areaList);
    if (number.substr(0, 2) != "28") return 0;
    lookup.name = "ma";
    lookup.prefixes = {"28"};
    lookup.adjacentPrefixes = {"3"};
    return 1;
  }
  int findAccumulate(std::string_view, zelk::MaLookup& lookup) override {
    return static_cast<int>(lookup.areaList.size());
  }
};

const std::string& programDir() {
  static const std::string dir = [] {
    std::string pattern = "/tmp/zelk-settings-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) std::abort();
    return pattern + "/";
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = programDir() + "zelk.cfg";
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  zelk::RecordingSink sink;
  zelk::ScopedMessageSink scope(sink);
  zelk::Configuration configuration = zelk::defaultConfiguration(programDir());
  OneMaSearch maSearch;
  try {
    zelk::readSettingsFile(configuration, maSearch);
  } catch (const zelk::FatalError&) {
    // The specified ends are fine; anything else is a finding.
  }
  const zelk::ReplaceTables& tables = configuration.tables;
  if (configuration.settings.logCount > 5 || tables.nameReplaceCount > 20 ||
      tables.numberReplaceCount > 20)
    std::abort();
  return 0;
}
