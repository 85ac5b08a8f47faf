#include "config_test_support.h"

#include <sstream>

namespace zelk::test {

std::vector<std::string> splitCrlf(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string describe(const Settings& s) {
  std::ostringstream out;
  out << "meterDay=" << s.meterDay << " regionalCarrier=" << static_cast<int>(s.regionalCarrier)
      << " kddi=" << s.kddi << " latestMonths=" << s.latestMonths << " logCount=" << s.logCount
      << " telechoiceKind=" << static_cast<int>(s.telechoiceKind)
      << " telechoiceText=[" << s.telechoiceText << "] estimate=" << int(s.estimate)
      << " showOriginMa=" << int(s.showOriginMa) << " isdn=" << int(s.isdn)
      << " crtOutput=" << int(s.crtOutput) << " fullCalc=" << int(s.fullCalc)
      << " flets=" << int(s.flets) << " outputPath=[" << s.outputPath
      << "] programDir=[" << s.programDir << "] hidden=";
  for (auto byte : s.hiddenFlags) out << int(byte) << ",";
  return out.str();
}

std::string describe(const ReplaceTables& t) {
  std::ostringstream out;
  out << "numberReplace:";
  for (int i = 0; i < t.numberReplaceCount; ++i)
    out << " [" << t.numberReplace[i].from << "->" << t.numberReplace[i].to << "]";
  out << " areaSet:";
  for (const auto& entry : t.areaSet) out << " [" << entry.number << ":" << int(entry.band) << "]";
  out << " nameReplace:";
  for (int i = 0; i < t.nameReplaceCount; ++i)
    out << " [" << t.nameReplace[i].name << "=" << t.nameReplace[i].number << "]";
  return out.str();
}

std::string describe(const LogDeclarations& logs, int logCount) {
  std::ostringstream out;
  for (int i = 0; i < logCount; ++i) out << "[" << int(logs[i].format) << ":" << logs[i].path << "]";
  return out.str();
}

std::string describe(const TelehodaiNumbers& t) {
  std::ostringstream out;
  out << "count=" << int(t.count) << " adjacent=" << int(t.adjacent);
  for (int i = 0; i < t.count && i < 2; ++i) out << " " << t.number[i];
  return out.str();
}

}  // namespace zelk::test
