#include "RenameJournal.h"

#include "FileNames.h"

namespace korvath {

namespace {
// One record: its mark and its fields, tab-separated, one line.
std::string Record(std::string_view mark, std::initializer_list<std::string_view> fields) {
  std::string text(mark);
  for (std::string_view field : fields) {
    text += '\t';
    text += field;
  }
  text += '\n';
  return text;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return fields;
    line.remove_prefix(tab + 1);
  }
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Every step between separators holds something other than ".".
bool StepsAreNamed(std::string_view path) {
  std::size_t begin = 0;
  for (std::size_t pos = 0; pos <= path.size(); ++pos) {
    if (pos < path.size() && !IsSeparator(path[pos])) continue;
    const std::string_view step = path.substr(begin, pos - begin);
    if (step.empty() || step == ".") return false;
    begin = pos + 1;
  }
  return true;
}
}  // namespace

std::string JournalHeader(std::string_view kind, std::string_view folder) {
  return std::string(JournalBom) + Record("KVTJ1", {kind, folder});
}

std::string JournalStepLine(std::string_view from, std::string_view to, std::string_view identity) {
  if (identity.empty()) return Record("S", {from, to});
  return Record("S", {from, to, identity});
}

bool IsJournalName(std::string_view name) {
  NewNameCheck check;
  CheckNewName(name, check);
  return !name.empty() && check.Ok() && StepsAreNamed(name);
}

bool IsJournalFolder(std::string_view folder) {
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  std::string_view rest;
  if (folder.size() >= 3 && isLetter(folder[0]) && folder[1] == ':' && folder[2] == '\\') {
    rest = folder.substr(3);  // below the drive's root
  } else if (folder.size() >= 2 && folder[0] == '\\' && folder[1] == '\\') {
    // A share: server and share name, neither "?" nor "." (the namespaces
    // that reach devices and raw paths).
    std::string_view share = folder.substr(2);
    const std::size_t server = share.find('\\');
    if (server == std::string_view::npos || server == 0) return false;
    const std::string_view serverName = share.substr(0, server);
    if (serverName == "?" || serverName == ".") return false;
    share.remove_prefix(server + 1);
    const std::size_t end = share.find('\\');
    if (!IsJournalName(share.substr(0, end))) return false;
    rest = end == std::string_view::npos ? std::string_view() : share.substr(end + 1);
    if (!IsJournalName(serverName)) return false;
  } else {
    return false;
  }
  // The shown folder may end in "\" ("C:\", "\\srv\share\").
  if (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
  return rest.empty() || IsJournalName(rest);
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
    const std::vector<std::string_view> fields = Fields(line);
    if (first) {
      if (fields.size() != 3 || fields[0] != "KVTJ1") return false;
      if (fields[1] != JournalRunKind && fields[1] != JournalUndoKind) return false;
      if (!IsJournalFolder(fields[2])) return false;
      journal.Kind = std::string(fields[1]);
      journal.Folder = std::string(fields[2]);
      first = false;
    } else if (journal.Ended) {
      return false;  // nothing follows the end
    } else if (fields[0] == "S" && (fields.size() == 3 || fields.size() == 4)) {
      if (!IsJournalName(fields[1]) || !IsJournalName(fields[2])) return false;
      JournalStep step{std::string(fields[1]), std::string(fields[2]), false, {}};
      if (fields.size() == 4) {
        if (fields[3].empty()) return false;
        step.Identity = std::string(fields[3]);
      }
      journal.Steps.push_back(std::move(step));
    } else if (line == "F" && !journal.Steps.empty() && !journal.Steps.back().Failed) {
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
