#include "bench/bench_logs.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/cp932.h"

namespace zelk::bench {
namespace {

const char* const kNumbers[] = {"0312345678", "0332001234", "0455551234", "0441234567",
                                "0612345678", "0527771234", "0922221234", "0112345678",
                                "0422123456", "0474123456", "0484123456", "0298123456",
                                "3201234",    "0120123456", "0268123456", "0986123456"};
const char* const kNames[] = {"NIFTY 2", "BIGLOBE", "InfoWeb", "ODN", "DION", "So-net"};

struct Call {
  int year, month, day, hour, minute, second;
  int seconds;  // length
  int yen;
  std::string number;
  std::string name;
};

std::string length(const Call& c, const char* format) {
  char text[32];
  std::snprintf(text, sizeof text, format, c.seconds / 3600, c.seconds / 60 % 60, c.seconds % 60);
  return text;
}

// One line per format; every line ends in CR LF.
std::string ntLine(const Call& c) {
  char text[128];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d\t%02d:%02d\t%s\t%d\tPPP\r\n", c.year, c.month,
                c.day, c.hour, c.minute, c.number.c_str(), c.seconds);
  return text;
}

std::string a2Line(const Call& c) {
  char text[160];
  std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:%02d (%s) %-8s %-10s %-16s P%s\r\n",
                c.year % 100, c.month, c.day, c.hour, c.minute, c.second,
                length(c, "%3d:%02d:%02d").c_str(), "ppp", "1234567890", "modem-33600", c.number.c_str());
  return text;
}

std::string wLine(const Call& c) {
  char text[160];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d  %02d:%02d:%02d  [%s] %6d %s  [%-12s] ok\r\n",
                c.year, c.month, c.day, c.hour, c.minute, c.second,
                length(c, "%02d:%02d:%02d").c_str(), c.yen, sjis("円").c_str(), c.number.c_str());
  return text;
}

std::string tLine(const Call& c) {
  // The -t log records the end of the call.
  int end = c.hour * 3600 + c.minute * 60 + c.second + c.seconds;
  if (end >= 86400) end = 86399;
  char text[160];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d %s %5d %s [%s]\r\n", c.year,
                c.month, c.day, end / 3600, end / 60 % 60, end % 60,
                length(c, "%02d:%02d:%02d").c_str(), c.yen, sjis("円").c_str(), c.number.c_str());
  return text;
}

std::string cLine(const Call& c) {
  char text[160];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d %s %5d  : %-20s\r\n", c.year,
                c.month, c.day, c.hour, c.minute, c.second,
                length(c, "%02d:%02d:%02d").c_str(), c.yen, c.name.c_str());
  return text;
}

}  // namespace

GeneratedHome generateHome(const std::string& home, const std::string& maSource,
                           std::size_t records, int lastYear, unsigned seed) {
  namespace fs = std::filesystem;
  fs::create_directories(home);
  fs::copy_file(maSource, home + "/ma.zlk", fs::copy_options::overwrite_existing);

  using LineFormat = std::string (*)(const Call&);
  struct Log {
    LogFormat format;
    const char* option;
    const char* file;
    LineFormat line;
  };
  const Log logs[] = {{LogFormat::NT, "-nt", "bench_nt.log", ntLine},
                      {LogFormat::A2, "-a2", "bench_a2.log", a2Line},
                      {LogFormat::W, "-w", "bench_w.tel", wLine},
                      {LogFormat::T, "-t", "bench_t.tel", tLine},
                      {LogFormat::C, "-c", "bench_c.tel", cLine}};

  std::string cfg = "zelk Version 4.21\r\n=03\r\n=de\r\n=l12\r\n";
  for (const auto& name : kNames) cfg += std::string("$") + name + "==0332001234\r\n";
  GeneratedHome result;
  std::mt19937 random(seed);
  const std::size_t perLog = records / 5;
  for (const auto& log : logs) {
    std::string path = home + "/" + log.file;
    cfg += std::string(log.option) + path + "\r\n";
    std::ofstream out(path, std::ios::binary);
    // Ten years of calls in date order, a junk line now and then.
    const long days = 3652;
    for (std::size_t i = 0; i < perLog; ++i) {
      long day = static_cast<long>(i * days / perLog);
      int year = lastYear - 9 + static_cast<int>(day / 365);
      int yearDay = static_cast<int>(day % 365);
      Call call{year, yearDay / 31 % 12 + 1, yearDay % 28 + 1, static_cast<int>(random() % 24),
                static_cast<int>(random() % 60), static_cast<int>(random() % 60),
                static_cast<int>(random() % 3600 + 1), static_cast<int>(random() % 3000 + 10),
                kNumbers[random() % std::size(kNumbers)], kNames[random() % std::size(kNames)]};
      call.month = 1 + yearDay * 12 / 365;
      out << log.line(call);
      if (i % 97 == 0) out << "-- connection closed by peer --\r\n";
      ++result.records;
    }
    result.logPaths.push_back(path);
    result.logFormats.push_back(log.format);
  }
  std::ofstream(home + "/zelk.cfg", std::ios::binary) << cfg;
  return result;
}

}  // namespace zelk::bench
