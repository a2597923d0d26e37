#include "RenameTexts.h"

#include "SequenceNumber.h"

namespace korvath {

std::string DigitCountText(int digitCount, bool fullWidth) {
  const std::string plain = std::to_string(digitCount);
  std::string text = fullWidth ? ToFullWidthDigits(plain) : plain;
  text += "桁";
  return text;
}

std::string FileCountText(std::size_t fileCount) { return std::to_string(fileCount) + "個存在"; }

std::string CompletedCountText(int completedCount) {
  return std::to_string(completedCount) + "個完了";
}

std::string BadCharactersText(std::string_view characters) {
  std::string text = "ファイル名に使えない文字「";
  text += characters;
  text += "」が含まれています。\n\n変更ができませんでした。";
  return text;
}

std::string FailureReportText(int failureCount, const std::vector<RenameFailure>& firstFailures) {
  std::string text = std::to_string(failureCount) + "個のファイルは、名前を変更できませんでした。\n";
  std::size_t shown = 0;
  for (const RenameFailure& failure : firstFailures) {
    if (shown == ReportedFailureLimit) break;
    text += shown == 0 ? "\n" : "";
    text += failure.OldName + " → " + failure.NewName + "：" + failure.Reason + "\n";
    ++shown;
  }
  if (failureCount > static_cast<int>(shown)) {
    text += "ほか" + std::to_string(failureCount - static_cast<int>(shown)) + "個\n";
  }
  text.pop_back();  // no line feed after the last line
  return text;
}

PreviewColumnWidths ComputePreviewColumnWidths(int outerWidth) {
  // C++ division truncates toward zero, as the grid's rule wants.
  return {outerWidth / 2 - 13, outerWidth / 2 - 12};
}

}  // namespace korvath
