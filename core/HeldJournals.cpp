#include "HeldJournals.h"

#include <optional>
#include <string_view>

#include "Texts.h"

namespace korvath {

namespace {
// The journal's bytes as UTF-8: without the byte order mark, an earlier
// version's Shift-JIS; nullopt when the file system cannot convert it.
std::optional<std::string> AsUtf8(FileSystem& fileSystem, std::string bytes) {
  if (bytes.empty() || std::string_view(bytes).substr(0, JournalBom.size()) == JournalBom) {
    return bytes;
  }
  return fileSystem.ShiftJisToUtf8(bytes);
}
}  // namespace

OpenedJournal OpenJournal(FileSystem& fileSystem, const std::string& path, bool create) {
  OpenedJournal opened;
  opened.File = fileSystem.HoldJournal(path, create, opened.How);
  if (!opened.File) {
    if (opened.How == FileSystem::JournalHold::Held) opened.How = FileSystem::JournalHold::Failed;
    return opened;
  }
  std::string bytes;
  std::optional<std::string> text;
  if (opened.File->Read(bytes)) text = AsUtf8(fileSystem, std::move(bytes));
  if (!text) {
    opened.Look = JournalLook::Foreign;
    return opened;
  }
  opened.Text = std::move(*text);
  opened.Look = LookAtJournal(opened.Text, &opened.Kind, &opened.Folder);
  return opened;
}

std::string JournalBusyText(FileSystem& fileSystem, const std::string& path) {
  std::string head;
  std::string folder;
  if (fileSystem.PeekFile(path, 4096, head)) {
    // Cut short where it was read: the header is all that is needed.
    const std::optional<std::string> text = AsUtf8(fileSystem, std::move(head));
    if (text) LookAtJournal(*text, nullptr, &folder);
  }
  if (folder.empty()) return std::string(Text(kTextJournalBusyElsewhere));
  return FormatText(kTextJournalBusy, {folder});
}

}  // namespace korvath
