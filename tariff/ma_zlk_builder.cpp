#include "tariff/ma_zlk_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <queue>
#include <set>
#include <stdexcept>

#include "base/ma_lookup.h"
#include "platform/cp932.h"
#include "tariff/ma_file.h"

namespace zelk {
namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  for (;;) {
    const std::size_t end = text.find(separator);
    pieces.push_back(text.substr(0, end));
    if (end == std::string_view::npos) return pieces;
    text.remove_prefix(end + 1);
  }
}

int parseInt(std::string_view text, std::size_t lineNumber) {
  const std::string copy(text);
  std::size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(copy, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (copy.empty() || used != copy.size())
    throw std::runtime_error("line " + std::to_string(lineNumber) + ": not a number: " + copy);
  return value;
}

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

double distanceKm(const MaSourceRow& a, const MaSourceRow& b) {
  const double dx = 2.0 * (a.x - b.x);
  const double dy = 2.0 * (a.y - b.y);
  return std::sqrt(dx * dx + dy * dy);
}

std::string joined(const std::vector<std::string>& items) {
  std::string text;
  for (const auto& item : items) text += (text.empty() ? "" : " ") + item;
  return text;
}

// Numbers below a prefix, counted in blocks of the longest prefix (6 digits).
std::int64_t numberSpace(const std::string& prefix) {
  std::int64_t space = 1;
  for (std::size_t length = prefix.size(); length < MaLookup::kMaxPrefixLength; ++length) space *= 10;
  return space;
}

// Shortens the prefix list of MA `self` to `limit` entries. Each step
// replaces the MA's prefixes below one shorter prefix by that prefix, taking
// the step that gives the MA the fewest numbers not its own (other MAs' or
// unassigned ones) for each entry it saves. The other MAs keep their own
// prefixes; the block order puts them first, so only calls judged against
// this MA's own list are misjudged.
std::vector<std::string> shortenPrefixes(std::size_t self, const std::vector<MaSourceRow>& rows,
                                         std::size_t limit, std::vector<std::string>& notes) {
  std::vector<std::string> own = rows[self].prefixes;
  while (own.size() > limit) {
    std::set<std::string> candidates;
    for (const auto& prefix : own)
      for (std::size_t length = 1; length < prefix.size(); ++length)
        candidates.insert(prefix.substr(0, length));

    struct Choice {
      std::string prefix;
      std::int64_t gained = 0;  // numbers not the MA's own
      std::int64_t saved = 0;   // entries
    } best;
    for (const auto& candidate : candidates) {
      std::int64_t covered = 0;
      std::int64_t gained = numberSpace(candidate);
      for (const auto& prefix : own)
        if (startsWith(prefix, candidate)) {
          ++covered;
          gained -= numberSpace(prefix);
        }
      if (covered < 2) continue;
      bool usable = true;  // no other MA's prefix may cover the candidate
      for (std::size_t other = 0; other < rows.size() && usable; ++other)
        for (const auto& prefix : rows[other].prefixes)
          usable = usable && (other == self || !startsWith(candidate, prefix));
      if (!usable) continue;
      const std::int64_t saved = covered - 1;
      // Fewer gained numbers per saved entry, then more entries saved.
      const bool better = best.prefix.empty() || gained * best.saved < best.gained * saved ||
                          (gained * best.saved == best.gained * saved && saved > best.saved);
      if (better) best = {candidate, gained, saved};
    }
    if (best.prefix.empty())
      throw std::runtime_error(rows[self].name + ": its prefixes cannot be merged");

    std::vector<std::string> replaced;
    std::vector<std::string> kept;
    for (const auto& prefix : own) (startsWith(prefix, best.prefix) ? replaced : kept).push_back(prefix);
    std::string taken;
    for (std::size_t other = 0; other < rows.size(); ++other) {
      if (other == self) continue;
      for (const auto& prefix : rows[other].prefixes)
        if (startsWith(prefix, best.prefix)) taken += " " + rows[other].name + " " + prefix;
    }
    notes.push_back(rows[self].name + ": " + best.prefix + " replaces " + joined(replaced) +
                    (taken.empty() ? "" : "; it also covers" + taken));
    kept.push_back(best.prefix);
    std::sort(kept.begin(), kept.end());
    own = std::move(kept);
  }
  return own;
}

// The block order: an MA whose prefix is a leading part of another MA's
// prefix must come after that MA, or the first-match search would give it the
// other MA's numbers. Otherwise the table's order is kept.
std::vector<std::size_t> blockOrder(const std::vector<std::vector<std::string>>& prefixes,
                                    const std::vector<MaSourceRow>& rows) {
  const std::size_t count = prefixes.size();
  std::vector<std::vector<std::size_t>> after(count);  // after[b]: blocks that must follow b
  std::vector<std::size_t> pending(count, 0);
  for (std::size_t wide = 0; wide < count; ++wide)
    for (std::size_t narrow = 0; narrow < count; ++narrow) {
      if (wide == narrow) continue;
      bool covers = false;
      for (const auto& w : prefixes[wide])
        for (const auto& n : prefixes[narrow]) covers = covers || startsWith(n, w);
      if (covers) {
        after[narrow].push_back(wide);
        ++pending[wide];
      }
    }
  std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> ready;
  for (std::size_t i = 0; i < count; ++i)
    if (pending[i] == 0) ready.push(i);
  std::vector<std::size_t> order;
  while (!ready.empty()) {
    const std::size_t next = ready.top();
    ready.pop();
    order.push_back(next);
    for (std::size_t later : after[next])
      if (--pending[later] == 0) ready.push(later);
  }
  if (order.size() != count) {
    for (std::size_t i = 0; i < count; ++i)
      if (pending[i] != 0) throw std::runtime_error(rows[i].name + ": prefixes cover each other");
  }
  return order;
}

// The prefixes of every other MA within the adjacency distance, nearest
// first, whole MAs only, as many as the block holds.
std::vector<std::string> adjacentPrefixes(std::size_t self, const std::vector<MaSourceRow>& rows,
                                          const MaZlkOptions& options) {
  std::vector<std::pair<double, std::size_t>> near;
  for (std::size_t other = 0; other < rows.size(); ++other) {
    if (other == self) continue;
    const double km = distanceKm(rows[self], rows[other]);
    if (km <= options.adjacentKm) near.emplace_back(km, other);
  }
  std::sort(near.begin(), near.end());
  std::vector<std::string> list;
  for (const auto& [km, other] : near) {
    const auto& theirs = rows[other].prefixes;
    if (list.size() + theirs.size() > options.maxAdjacent) break;
    list.insert(list.end(), theirs.begin(), theirs.end());
  }
  return list;
}

std::string coordinate(int value, int offset, const std::string& name) {
  const long shifted = static_cast<long>(value) + offset;
  if (shifted < 0) throw std::runtime_error(name + ": coordinate still negative after the offset");
  return std::to_string(shifted);
}

}  // namespace

std::vector<MaSourceRow> parseMaSource(std::string_view tsvUtf8) {
  std::vector<MaSourceRow> rows;
  std::size_t lineNumber = 0;
  for (std::string_view line : split(tsvUtf8, '\n')) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (lineNumber == 1 || line.empty()) continue;  // the column names
    const auto fields = split(line, '\t');
    if (fields.size() != 6)
      throw std::runtime_error("line " + std::to_string(lineNumber) + ": expected 6 fields");
    MaSourceRow row;
    row.name = std::string(fields[0]);
    row.prefecture = parseInt(fields[1], lineNumber);
    row.x = parseInt(fields[3], lineNumber);
    row.y = parseInt(fields[4], lineNumber);
    for (std::string_view prefix : split(fields[5], ',')) {
      if (prefix.empty() || prefix.find_first_not_of("0123456789") != std::string_view::npos)
        throw std::runtime_error("line " + std::to_string(lineNumber) + ": bad prefix");
      row.prefixes.emplace_back(prefix);
    }
    if (row.name.empty()) throw std::runtime_error("line " + std::to_string(lineNumber) + ": no name");
    rows.push_back(std::move(row));
  }
  return rows;
}

MaZlkBuild buildMaZlk(const std::vector<MaSourceRow>& rows, const MaZlkOptions& options) {
  if (rows.size() >= 600) throw std::runtime_error("more MAs than the MA list holds");
  MaZlkBuild build;
  std::vector<std::vector<std::string>> prefixes;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (const auto& prefix : rows[i].prefixes)
      if (prefix.size() > MaLookup::kMaxPrefixLength)
        throw std::runtime_error(rows[i].name + ": prefix longer than 6 digits: " + prefix);
    prefixes.push_back(rows[i].prefixes.size() > options.maxPrefixes
                           ? shortenPrefixes(i, rows, options.maxPrefixes, build.notes)
                           : rows[i].prefixes);
  }

  std::vector<std::string> lines{std::string(kMaIdentificationLine), std::string(kMaVersionLine)};
  for (std::size_t i : blockOrder(prefixes, rows)) {
    const MaSourceRow& row = rows[i];
    const std::string name = toCp932(row.name);
    if (name.size() > MaLookup::kMaxNameBytes)
      throw std::runtime_error(row.name + ": name longer than 12 bytes");
    lines.push_back("#####");
    lines.push_back(name + "\t" + std::to_string(row.prefecture) + "\t" +
                    coordinate(row.x, options.coordinateOffset, row.name) + "\t" +
                    coordinate(row.y, options.coordinateOffset, row.name));
    lines.push_back(std::to_string(prefixes[i].size()));
    lines.insert(lines.end(), prefixes[i].begin(), prefixes[i].end());
    const auto adjacent = adjacentPrefixes(i, rows, options);
    lines.push_back("#");
    lines.push_back(std::to_string(adjacent.size()));
    lines.insert(lines.end(), adjacent.begin(), adjacent.end());
  }
  lines.push_back("#####");
  lines.push_back("end");

  for (const auto& line : lines) build.file += line + "\r\n";
  return build;
}

}  // namespace zelk
