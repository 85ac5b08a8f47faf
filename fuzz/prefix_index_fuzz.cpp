// The index of old records is read back from a file anyone may have changed.
// Whatever its bytes:
// - decoding ends, never reads past them, and gives back either nothing or an
//   index that encodes to the same bytes;
// - a run with that file as its zelk.idx ends (within libFuzzer's time and
//   memory limits), and writes back to zelk.cfg only lines a run can write:
//   the lines a run without an index writes, and name lines whose names a
//   log line can hold. An index the decoder refuses changes nothing at all.
// The digest finds damage but proves no writer: an index a run could have
// written for other logs is not told from a real one (the reader's owner and
// folder rule keeps anyone else from putting one there), so the answer itself
// is compared only for an index the decoder refuses.
// The mutator works on the index's fields: it decodes the input (or, when the
// input is no index, the index a run left for a small home of logs), changes
// one field and encodes the result with a valid digest. Plain byte mutations
// are tried as well, as a whole file and as the body of one with the right
// first line and digest.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

#include "logs/prefix_index.h"
#include "platform/clock.h"
#include "platform/content_digest.h"
#include "platform/messages.h"
#include "run/calculation.h"

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

namespace {

using namespace zelk;

void decodeAndCheck(std::string_view bytes) {
  const PrefixIndex index = decodePrefixIndex(bytes);
  if (!index.empty() && encodePrefixIndex(index) != bytes) __builtin_trap();
}

// An empty index is the first line, a zero count and the digest.
const std::string& firstLine() {
  static const std::string line = [] {
    const std::string empty = encodePrefixIndex({});
    return empty.substr(0, empty.size() - 4 - 8);
  }();
  return line;
}

std::string sealed(std::string_view body) {
  std::string bytes = firstLine() + std::string(body);
  const std::uint64_t digest = digestOf(bytes);
  char trailer[sizeof digest];
  std::memcpy(trailer, &digest, sizeof digest);
  bytes.append(trailer, sizeof trailer);
  return bytes;
}

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeAll(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A small home: two years of calls in two logs, with names to learn, a name
// no settings line can hold, odd dates and junk lines.
struct Home {
  std::string dir;
  std::string settings;  // zelk.cfg as written, put back before every run
  std::string index;     // what a run with the index left

  Home() {
    char pattern[] = "/tmp/zelk-index-fuzz-XXXXXX";
    dir = std::string(mkdtemp(pattern)) + "/";
    std::mt19937 random(5);
    std::string names, numbers;
    char line[160];
    for (int day = 0; day < 2 * 365; day += 3) {
      const int year = 1999 + day / 365, month = day % 365 * 12 / 365 + 1, date = day % 28 + 1;
      const int hour = static_cast<int>(random() % 24), minutes = static_cast<int>(random() % 50 + 1);
      std::string name = "ISP" + std::to_string(random() % 9);
      if (random() % 60 == 0) name = "A==B";
      std::snprintf(line, sizeof line, "%04d/%02d/%02d %02d:%02d:07 00:%02d:30   120  : %-20s\r\n",
                    random() % 90 == 0 ? 1850 : year, month, date, hour, minutes, minutes, name.c_str());
      names += line;
      std::snprintf(line, sizeof line, "%04d-%02d-%02d  %02d:%02d:11  [00:%02d:05]    240 \x89\x7e  [%-12s] ok\r\n",
                    year, month, date, hour, minutes, minutes, random() % 2 ? "0332001234" : "0120123456");
      numbers += line;
      if (random() % 40 == 0) names += "-- junk --\r\n";
    }
    writeAll(dir + "names.tel", names);
    writeAll(dir + "numbers.tel", numbers);
    std::filesystem::copy_file(ZELK_SOURCE_DIR "/data/ma.zlk", dir + "ma.zlk");
    settings = "zelk Version 4.21\r\n=03\r\n=l6\r\n$ISP1==0312345678\r\n-c" + dir + "names.tel\r\n-w" + dir +
               "numbers.tel\r\n";
    setToday(LocalDate{2000, 9, 30});
  }
  ~Home() { std::filesystem::remove_all(dir); }
};

Home& home() {
  static Home home;
  return home;
}

// All a run shows and reports, and zelk.cfg as it leaves it.
struct Answer {
  std::string shown;
  std::string settings;
  bool operator==(const Answer&) const = default;
};

Answer answerOf(bool useIndex) {
  Home& place = home();
  writeAll(place.dir + "zelk.cfg", place.settings);
  RecordingSink messages;
  ScopedMessageSink sink(messages);
  RunResult run;
  std::string answer;
  try {
    runCalculation({place.dir, {}, useIndex}, run);
  } catch (const FatalError& error) {
    answer += "fatal " + std::to_string(error.code()) + " " + error.message() + "\n";
  }
  for (const std::string& message : messages.messages) answer += message + "\n";
  const MonthList& months = run.months;
  for (int i = 0; i < months.count; ++i) {
    const MonthResult& month = months.months[static_cast<std::size_t>(i)];
    answer += month.title + month.name + month.callList + "\n";
    for (std::uint32_t slot : month.amounts.values) answer += std::to_string(slot) + ",";
  }
  if (const auto& newest = run.newestCallBeforeWindow) answer += isoDateText(newest->date);
  return {answer, readAll(place.dir + "zelk.cfg")};
}

const Answer& answerWithoutIndex() {
  static const Answer answer = [] {
    Home& place = home();
    answerOf(true);  // leaves the index the mutator starts from
    place.index = readAll(place.dir + kPrefixIndexFile);
    return answerOf(false);
  }();
  return answer;
}

// Values a field is most likely to break a run with.
template <typename Number>
Number oddValue(std::mt19937& random, Number now) {
  switch (random() % 6) {
    case 0: return std::numeric_limits<Number>::max();
    case 1: return std::numeric_limits<Number>::min();
    case 2: return static_cast<Number>(now + 1);
    case 3: return static_cast<Number>(now - 1);
    case 4: return 0;
    default: return static_cast<Number>(random());
  }
}

void mutateEntry(LogPrefixIndex& entry, std::mt19937& random) {
  auto pick = [&random](std::size_t size) { return static_cast<std::size_t>(random() % size); };
  switch (random() % 9) {
    case 0:  // a name of other bytes, control bytes among them
      if (!entry.events.empty()) {
        std::string& name = entry.events[pick(entry.events.size())].name;
        name.resize(random() % 2 ? name.size() : pick(300));
        if (!name.empty()) name[pick(name.size())] = static_cast<char>(random());
      }
      break;
    case 1:  // events added before a checkpoint
      entry.events.insert(entry.events.begin() + static_cast<std::ptrdiff_t>(pick(entry.events.size() + 1)),
                          pick(5000), SkippedEvent{random() % 2 == 0, "NEW"});
      break;
    case 2:
      if (!entry.checkpoints.empty()) {
        PrefixCheckpoint& mark = entry.checkpoints[pick(entry.checkpoints.size())];
        mark.offset = oddValue(random, mark.offset);
      }
      break;
    case 3:
      if (!entry.checkpoints.empty()) {
        PrefixCheckpoint& mark = entry.checkpoints[pick(entry.checkpoints.size())];
        mark.eventCount = random() % 2 ? static_cast<std::uint32_t>(entry.events.size()) : oddValue(random, mark.eventCount);
      }
      break;
    case 4:
      if (!entry.checkpoints.empty()) {
        auto& latest = entry.checkpoints[pick(entry.checkpoints.size())].latest;
        if (latest) (random() % 2 ? latest->year : latest->yearDay) = oddValue(random, latest->year);
        else latest = DateKey{};
      }
      break;
    case 5:
      if (!entry.checkpoints.empty()) {
        auto& newest = entry.checkpoints[pick(entry.checkpoints.size())].newest;
        if (!newest) newest.emplace();
        int* fields[] = {&newest->year, &newest->yearDay, &newest->month, &newest->day, &newest->hour};
        *fields[pick(5)] = oddValue(random, *fields[0]);
      }
      break;
    case 6:
      entry.digestBytes = oddValue(random, entry.digestBytes);
      break;
    case 7:
      entry.stamp.size = oddValue(random, entry.stamp.size);
      entry.racy = !entry.racy;
      break;
    default:
      entry.checkpoints.resize(pick(kMaxIndexCheckpoints + 2), entry.checkpoints.empty()
                                                                   ? PrefixCheckpoint{}
                                                                   : entry.checkpoints.back());
      break;
  }
}

// Every line of zelk.cfg after a run with an index is one the run without it
// wrote, or a name line ("$name==number") whose name a log line can hold.
bool writesOnlyWhatARunCan(const Answer& answer, const Answer& expected) {
  std::istringstream lines(answer.settings);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (expected.settings.find(line + "\r\n") != std::string::npos) continue;
    const auto equals = line.find("==");
    if (line.empty() || line[0] != '$' || equals == std::string::npos) return false;
    if (!isIndexableName(std::string_view(line).substr(1, equals - 1))) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  decodeAndCheck(input);
  decodeAndCheck(sealed(input));
  const Answer& expected = answerWithoutIndex();
  writeAll(home().dir + kPrefixIndexFile, input);
  const Answer answer = answerOf(true);
  if (decodePrefixIndex(input).empty() ? answer != expected : !writesOnlyWhatARunCan(answer, expected))
    __builtin_trap();
  return 0;
}

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned int seed) {
  std::mt19937 random(seed);
  answerWithoutIndex();
  PrefixIndex index = decodePrefixIndex(std::string_view(reinterpret_cast<const char*>(data), size));
  if (index.empty() && random() % 4 == 0) return LLVMFuzzerMutate(data, size, maxSize);
  if (index.empty()) index = decodePrefixIndex(home().index);
  if (index.empty()) return LLVMFuzzerMutate(data, size, maxSize);
  switch (random() % 8) {
    case 0:
      index.push_back(index[random() % index.size()]);
      break;
    case 1:
      index.erase(index.begin() + static_cast<std::ptrdiff_t>(random() % index.size()));
      break;
    default:
      mutateEntry(index[random() % index.size()], random);
      break;
  }
  const std::string bytes = encodePrefixIndex(index);
  if (bytes.size() > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
  std::memcpy(data, bytes.data(), bytes.size());
  return bytes.size();
}
