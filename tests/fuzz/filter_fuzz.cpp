// Filter strings from arbitrary masks and arbitrary settings files, read
// back by the selector's entry rebuild: the builds must stay bounded and
// give back every non-empty mask that holds no "|".

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "FileTypeFilter.h"
#include "FilterEntries.h"
#include "SettingsFile.h"
#include "Utf8.h"

namespace {

// A settings file's Option section taken from the input: FileCount from the
// first line, File0, File1, ... from the following ones.
class LinesStore : public korvath::ProfileStore {
 public:
  explicit LinesStore(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  bool WriteString(const std::string&, const std::string&, const std::string&) override {
    return false;
  }

 protected:
  std::string ReadRaw(const std::string& section, const std::string& key) override {
    if (section != "Option" || lines_.empty()) return {};
    if (key == "FileCount") return lines_[0];
    std::size_t index = std::stoul(key.substr(4)) + 1;
    return index < lines_.size() ? lines_[index] : std::string();
  }

 private:
  std::vector<std::string> lines_;
};

// A mask is read back unchanged when no "|" can end it early.
bool SurvivesRoundTrip(std::string_view mask) { return mask.find('|') == std::string_view::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  for (std::size_t start = 0; start <= input.size();) {
    std::size_t end = input.find('\n', start);
    if (end == std::string_view::npos) end = input.size();
    lines.emplace_back(input.substr(start, end - start));
    start = end + 1;
  }

  // After the options dialog's OK: the rows are the input's lines; empty
  // rows give no entry.
  std::string fromRows = korvath::BuildFilterFromUserMasks(lines);
  korvath::FilterEntries entries = korvath::ParseFilterEntries(fromRows);
  if (entries.Descriptions.size() != entries.Masks.size()) std::abort();
  std::vector<std::string> masks;
  bool allSurvive = true;
  for (const std::string& mask : lines) {
    allSurvive = allSurvive && SurvivesRoundTrip(mask);
    if (!mask.empty()) masks.push_back(mask);
  }
  if (allSurvive) {
    if (entries.Masks.size() != korvath::BuiltInFileTypes.size() + masks.size()) std::abort();
    for (std::size_t i = 0; i < masks.size(); ++i) {
      if (entries.Masks[korvath::BuiltInFileTypes.size() + i] != masks[i]) std::abort();
    }
  }
  if (entries.Masks.empty() || entries.Masks[0] != "*.*") std::abort();

  // At start-up: the input as the Option section of a settings file.
  LinesStore store(lines);
  std::string atStartup = korvath::BuildStartupFilter(store);
  if (korvath::LoadUserMasks(store).size() > static_cast<std::size_t>(korvath::kMaxUserMasks)) {
    std::abort();
  }
  korvath::ParseFilterEntries(atStartup);
  return 0;
}
