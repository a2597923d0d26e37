#include "RenameJournal.h"

namespace korvath {

namespace {
// One record: its mark and two fields, tab-separated, one line.
std::string Record(std::string_view mark, std::string_view first, std::string_view second) {
  std::string text(mark);
  text += '\t';
  text += first;
  text += '\t';
  text += second;
  text += '\n';
  return text;
}
}  // namespace

std::string JournalHeader(std::string_view kind, std::string_view folder) {
  return std::string(JournalBom) + Record("KVTJ1", kind, folder);
}

std::string JournalStepLine(std::string_view from, std::string_view to) {
  return Record("S", from, to);
}

bool ParseJournal(std::string_view text, Journal& journal) {
  journal = Journal();
  if (text.substr(0, JournalBom.size()) == JournalBom) text.remove_prefix(JournalBom.size());
  bool first = true;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) break;  // torn: never finished
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
    if (first) {
      if (line.substr(0, tab1) != "KVTJ1" || tab2 == std::string_view::npos) return false;
      journal.Kind = std::string(line.substr(tab1 + 1, tab2 - tab1 - 1));
      journal.Folder = std::string(line.substr(tab2 + 1));
      first = false;
    } else if (line.substr(0, tab1) == "S" && tab2 != std::string_view::npos) {
      journal.Steps.push_back({std::string(line.substr(tab1 + 1, tab2 - tab1 - 1)),
                               std::string(line.substr(tab2 + 1)), false});
    } else if (line == "F" && !journal.Steps.empty()) {
      journal.Steps.back().Failed = true;
    } else if (line == "E") {
      journal.Ended = true;
    } else {
      return false;
    }
  }
  return !first;
}

}  // namespace korvath
