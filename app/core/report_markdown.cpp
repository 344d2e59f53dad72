#include "app/core/report_markdown.h"

#include "app/core/joined.h"
#include "app/core/windows1252_text.h"

#include <cstdio>
#include <initializer_list>

namespace {

// A text as a table cell shows it: read as UTF-8 (windows1252_text.h), with
// what would end the cell or the row, or start markup, escaped. A pipe and a
// backslash take a backslash; "<", ">" and "&" become entities, so that a viewer
// shows any HTML as text; control characters (line ends among them) become their
// pictures (U+2400 to U+241F, U+2421 for DEL), which keep the row on one line.
void AppendCell(std::string_view text, std::string& out) {
  for (char c : Utf8FromWindows1252(text)) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '|' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '&') {
      out += "&amp;";
    } else if (byte < 0x20 || byte == 0x7F) {
      out += "\xE2\x90";  // U+2400 + the picture's number, below 0x40
      out += static_cast<char>(0x80 | (byte == 0x7F ? 0x21 : byte));
    } else {
      out += c;
    }
  }
}

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f s", seconds);
  return text;
}

// A Markdown table, its cells escaped (AppendCell).
class Table {
 public:
  Table(std::string& out, std::initializer_list<const char*> heads) : out_(out) {
    std::string rule = "|";
    out_ += '|';
    for (const char* head : heads) {
      out_ += ' ';
      out_ += head;
      out_ += " |";
      rule += "---|";
    }
    out_ += '\n' + rule + '\n';
  }
  void Row(std::initializer_list<std::string> cells) {
    out_ += '|';
    for (const std::string& cell : cells) {
      out_ += ' ';
      AppendCell(cell, out_);
      out_ += " |";
    }
    out_ += '\n';
  }

 private:
  std::string& out_;
};

void RunSection(const RunReport& report, std::string& out) {
  out += "## Run\n\n";
  Table run(out, {"", ""});
  run.Row({"Program", report.program});
  run.Row({"Save", report.save + " (" + std::to_string(report.saveBytes) + " bytes)"});
  run.Row({"Data folder", report.dataFolder});
  run.Row({"Province table", report.table});
  for (const RunReport::Setting& setting : report.settings) run.Row({setting.key, setting.value});
  run.Row({"Time", "load " + Seconds(report.loadSeconds) + ", convert " + Seconds(report.convertSeconds) +
                       ", save " + Seconds(report.saveSeconds)});
}

std::string Became(const RunReport::Country& country) {
  if (country.fate == "converted") return "converted to " + country.target;
  if (country.fate == "founded") return "founded " + country.target;
  if (country.fate == "merged") return "merged into " + country.target;
  return "dropped: no row of Countries.txt maps it";
}

void CountrySections(const RunReport& report, std::string& out) {
  out += "\n## Countries\n\n";
  out += "Each source country of the save, what became of it, and what its own province lists and units\n"
         "brought to its scenario country (provinces won in contests or placed by hand are not counted here).\n\n";
  Table countries(out, {"Source", "Became", "Provinces from its lists", "Divisions", "Naval units",
                        "Industrial capacity of those provinces"});
  std::vector<const RunReport::Country*> dropped;
  for (const RunReport::Country& country : report.countries) {
    if (country.fate == "dropped") dropped.push_back(&country);
    countries.Row({country.source, Became(country), std::to_string(country.provinces),
                   std::to_string(country.divisions), std::to_string(country.navalUnits),
                   std::to_string(country.industrialCapacity)});
  }
  out += "\n### Countries of the scenario\n\n";
  Table scenario(out, {"Country", "Provinces owned", "Industrial capacity"});
  for (const RunReport::ScenarioCountry& country : report.scenarioCountries)
    scenario.Row({country.tag, std::to_string(country.owned), std::to_string(country.industrialCapacity)});
  out += "\n### Dropped countries\n\n";
  if (dropped.empty()) {
    out += "None.\n";
    return;
  }
  Table held(out, {"Source", "Provinces held", "Units held"});
  for (const RunReport::Country* country : dropped)
    held.Row({country->source, std::to_string(country->heldProvinces), std::to_string(country->heldUnits)});
}

void ProvinceSections(const RunReport& report, std::string& out) {
  out += "\n## Provinces\n\n### Source provinces the table does not map\n\n";
  out += report.unmapped.empty() ? "None." : JoinedIds(report.unmapped, ", ");
  out += "\n\n### Contested provinces\n\n";
  if (report.contests.empty()) {
    out += "None.\n";
  } else {
    Table contests(out, {"Province", "Shares (country: weight)", "Winner"});
    for (const ProvinceContest& contest : report.contests) {
      std::vector<std::string> shares;
      for (const auto& [country, weight] : contest.shares)
        shares.push_back(country + ": " + std::to_string(static_cast<long long>(weight)));
      contests.Row({std::to_string(contest.province), Joined(shares, ", "), contest.winner});
    }
  }
  out += "\n### Provinces left without an owner\n\n";
  if (report.placed.empty()) {
    out += "None.\n";
    return;
  }
  Table placed(out, {"Province", "Given to", "How"});
  for (const ConversionReport::Placement& placement : report.placed)
    placed.Row({std::to_string(placement.province), placement.tag, placement.how});
}

void AllianceSection(const RunReport& report, std::string& out) {
  out += "\n## Alliances\n\n";
  if (report.alliances.empty()) {
    out += "None.\n";
    return;
  }
  Table alliances(out, {"Alliance", "Leader", "Members"});
  for (const AllianceMembers& alliance : report.alliances)
    alliances.Row({alliance.name, alliance.leader, Joined(alliance.members, ", ")});
}

// "province 8 (2), country ENG (1), and 5 more elsewhere"
std::string Places(const WrongKind& kind) {
  std::vector<std::string> places;
  uint64_t shown = 0;
  for (const WrongKind::Place& place : kind.places) {
    places.push_back(place.where + " (" + std::to_string(place.count) + ")");
    shown += place.count;
  }
  if (shown < kind.count) places.push_back("and " + std::to_string(kind.count - shown) + " more elsewhere");
  return Joined(places, ", ");
}

void WrongKindSection(const RunReport& report, std::string& out) {
  out += "\n## Values of the wrong kind\n\nValues of the save that the conversion passed over (a word where it reads a\n"
         "number, or the other way round).\n\n";
  if (report.wrongKinds.empty()) {
    out += "None.\n";
    return;
  }
  Table wrong(out, {"Key", "Values", "First places (values there)"});
  for (const WrongKind& kind : report.wrongKinds) wrong.Row({kind.key, std::to_string(kind.count), Places(kind)});
}

}  // namespace

std::string MarkdownReport(const RunReport& report) {
  std::string out = "# Conversion report\n\n";
  RunSection(report, out);
  CountrySections(report, out);
  ProvinceSections(report, out);
  AllianceSection(report, out);
  WrongKindSection(report, out);
  return out;
}
