// The recent-entry histories under arbitrary sequences of visits and
// pushes, checked against a plain list model.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <string>

#include "Histories.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  korvath::FolderHistory folders;
  korvath::TextHistory texts;
  std::deque<std::string> recent;     // model of folder slots 1 to 6
  std::deque<std::string> textModel;  // model of the 33 text slots
  textModel.assign(korvath::kTextHistorySlots, "");

  for (std::size_t i = 0; i + 1 < size; i += 2) {
    std::uint8_t op = data[i];
    // A small alphabet so that texts repeat; 0 is the empty text.
    std::string text = (data[i + 1] % 9) == 0 ? "" : std::string(1, 'a' + data[i + 1] % 9);
    if (op & 1) {
      std::size_t files = (op >> 1) & 1;
      korvath::RecordCurrentFolder(folders, text, files);
      if (folders[0] != text) std::abort();
      bool atFront = !recent.empty() ? recent.front() == text : text.empty();
      if (!atFront && files > 0) {
        recent.erase(std::remove(recent.begin(), recent.end(), text), recent.end());
        recent.push_front(text);
        if (recent.size() > 6) recent.pop_back();
      }
    } else {
      bool changed = korvath::PushTextHistory(texts, text);
      if (changed != (textModel.front() != text)) std::abort();
      if (changed) {
        textModel.push_front(text);
        textModel.pop_back();
      }
    }
    for (std::size_t k = 1; k < korvath::kDirHistorySlots; ++k) {
      const std::string expected = k - 1 < recent.size() ? recent[k - 1] : "";
      if (folders[k] != expected) std::abort();
    }
    for (std::size_t k = 0; k < korvath::kTextHistorySlots; ++k) {
      if (texts[k] != textModel[k]) std::abort();
    }
  }
  auto items = korvath::FolderMenuItems(folders);
  bool anyVisible =
      std::any_of(items.begin(), items.end(), [](auto& item) { return item.Visible; });
  if (anyVisible != korvath::FolderSeparatorVisible(folders)) std::abort();
  std::size_t listed = korvath::DropDownItems(texts).size();
  if (listed != static_cast<std::size_t>(std::count_if(textModel.begin(), textModel.end(),
                                                       [](auto& t) { return !t.empty(); }))) {
    std::abort();
  }
  return 0;
}
