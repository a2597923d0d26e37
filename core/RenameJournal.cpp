#include "RenameJournal.h"

#include <algorithm>
#include <array>

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

// A record's fields, tab-separated: up to four, and one more for a record
// with too many (size() then says so), without a heap allocation.
struct RecordFields {
  std::array<std::string_view, 5> field;
  std::size_t count = 0;
  std::size_t size() const { return count; }
  std::string_view operator[](std::size_t i) const { return field[i]; }
};
RecordFields Fields(std::string_view line) {
  RecordFields fields;
  for (;;) {
    const std::size_t tab = line.find('\t');
    fields.field[fields.count++] = line.substr(0, tab);
    if (tab == std::string_view::npos || fields.count == fields.field.size()) return fields;
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

namespace {
// The header's fields, when line is one the run writes.
bool ReadHeader(std::string_view line, std::string_view& kind, std::string_view& folder) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const RecordFields fields = Fields(line);
  if (fields.size() != 3 || fields[0] != "KVTJ1") return false;
  if (fields[1] != JournalRunKind && fields[1] != JournalUndoKind) return false;
  if (!IsJournalFolder(fields[2])) return false;
  kind = fields[1];
  folder = fields[2];
  return true;
}

constexpr std::uint32_t kRefused = std::uint32_t{1} << 31;

// A step's line from where it starts: its fields, the line break not
// included. One pass over the line's bytes (steps are short: a search
// call a field would cost more than the scan).
RecordFields StepFields(std::string_view text, std::size_t at) {
  RecordFields fields;
  const char* const all = text.data();
  std::size_t begin = at;
  std::size_t end = at;
  for (; end < text.size() && all[end] != '\n'; ++end) {
    if (all[end] != '\t' || fields.count + 1 == fields.field.size()) continue;
    fields.field[fields.count++] = std::string_view(all + begin, end - begin);
    begin = end + 1;
  }
  if (end > begin && all[end - 1] == '\r') --end;
  fields.field[fields.count++] = std::string_view(all + begin, end - begin);
  return fields;
}
}  // namespace

JournalStep Journal::Step(std::size_t i) const {
  const std::uint32_t at = steps_[i];
  const RecordFields fields = StepFields(text_, at & ~kRefused);
  return {fields[1], fields[2], (at & kRefused) != 0,
          fields.size() == 4 ? fields[3] : std::string_view()};
}

bool Journal::LacksIdentities() const {
  for (std::size_t i = 0; i < steps_.size(); ++i) {
    if ((steps_[i] & kRefused) == 0 && StepFields(text_, steps_[i]).size() == 3) return true;
  }
  return false;
}

JournalLook LookAtJournal(std::string_view text, std::string* kind, std::string* folder) {
  if (text.substr(0, JournalBom.size()) == JournalBom) text.remove_prefix(JournalBom.size());
  const std::size_t end = text.find('\n');
  if (end == std::string_view::npos) {
    // Only the header's beginning, or nothing at all: the program stopped
    // before its first record, and nothing was done.
    constexpr std::string_view mark = "KVTJ1\t";
    return text.substr(0, mark.size()) == mark.substr(0, std::min(text.size(), mark.size()))
               ? JournalLook::Empty
               : JournalLook::Foreign;
  }
  std::string_view headerKind, headerFolder;
  if (!ReadHeader(text.substr(0, end), headerKind, headerFolder)) return JournalLook::Foreign;
  if (kind != nullptr) *kind = std::string(headerKind);
  if (folder != nullptr) *folder = std::string(headerFolder);
  // The last whole line: a torn one after it was never finished.
  std::string_view rest = text.substr(end + 1);
  rest = rest.substr(0, rest.rfind('\n') == std::string_view::npos ? 0 : rest.rfind('\n') + 1);
  if (rest.empty()) return JournalLook::Cut;
  rest.remove_suffix(1);
  const std::size_t start = rest.rfind('\n');
  std::string_view last = start == std::string_view::npos ? rest : rest.substr(start + 1);
  if (!last.empty() && last.back() == '\r') last.remove_suffix(1);
  return last == "E" ? JournalLook::Finished : JournalLook::Cut;
}

bool ParseJournal(std::string text, Journal& journal) {
  journal = Journal();
  if (text.size() > kLargestWholeFile) return false;
  journal.text_ = std::move(text);
  std::string_view all = journal.text_;
  std::size_t pos = all.substr(0, JournalBom.size()) == JournalBom ? JournalBom.size() : 0;
  bool first = true;
  bool lastRefusable = false;  // the last step may still be marked refused
  while (pos < all.size()) {
    const std::size_t end = all.find('\n', pos);
    if (end == std::string_view::npos) break;  // torn: never finished
    const std::size_t at = pos;
    std::string_view line = all.substr(pos, end - pos);
    pos = end + 1;
    if (first) {
      std::string_view kind, folder;
      if (!ReadHeader(line, kind, folder)) return false;
      journal.Kind = std::string(kind);
      journal.Folder = std::string(folder);
      first = false;
      continue;
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (journal.Ended) return false;  // nothing follows the end
    if (line.size() >= 2 && line[0] == 'S' && line[1] == '\t') {
      const RecordFields fields = Fields(line);
      if (fields.size() != 3 && fields.size() != 4) return false;
      if (!IsJournalName(fields[1]) || !IsJournalName(fields[2])) return false;
      if (fields.size() == 4 && fields[3].empty()) return false;
      journal.steps_.push_back(static_cast<std::uint32_t>(at));
      lastRefusable = true;
    } else if (line == "F" && lastRefusable) {
      journal.steps_.back() |= kRefused;
      lastRefusable = false;
    } else if (line == "E") {
      journal.Ended = true;
    } else {
      return false;
    }
  }
  if (first) return false;
  journal.steps_.shrink_to_fit();
  return true;
}

}  // namespace korvath
