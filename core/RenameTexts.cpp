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

PreviewColumnWidths ComputePreviewColumnWidths(int outerWidth) {
  // C++ division truncates toward zero, as the grid's rule wants.
  return {outerWidth / 2 - 13, outerWidth / 2 - 12};
}

}  // namespace korvath
