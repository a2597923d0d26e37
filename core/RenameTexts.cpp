#include "RenameTexts.h"

#include "SequenceNumber.h"
#include "StagedMoves.h"

namespace korvath {

std::string DigitCountText(int digitCount, bool fullWidth) {
  const std::string plain = std::to_string(digitCount);
  return FormatText(kTextDigitCount, {fullWidth ? ToFullWidthDigits(plain) : plain});
}

std::string FileCountText(std::size_t fileCount) {
  return FormatText(kTextFileCount, {std::to_string(fileCount)});
}

std::string CompletedCountText(int completedCount) {
  return FormatText(kTextCompletedCount, {std::to_string(completedCount)});
}

std::string ProgressText(std::size_t done, std::size_t total) {
  return FormatText(kTextProgress, {std::to_string(done), std::to_string(total)});
}

std::string BadCharactersText(std::string_view characters) {
  return FormatText(kTextBadCharacters, {characters});
}

namespace {

std::string ReportText(TextId head, int failureCount,
                       const std::vector<RenameFailure>& firstFailures) {
  std::string text = FormatText(head, {std::to_string(failureCount)}) + "\n";
  std::size_t shown = 0;
  for (const RenameFailure& failure : firstFailures) {
    if (shown == ReportedFailureLimit) break;
    text += shown == 0 ? "\n" : "";
    text += FormatText(kTextFailureLine, {failure.OldName, failure.NewName, failure.Reason}) + "\n";
    ++shown;
  }
  if (failureCount > static_cast<int>(shown)) {
    text +=
        FormatText(kTextMoreFiles, {std::to_string(failureCount - static_cast<int>(shown))}) + "\n";
  }
  text.pop_back();  // no line feed after the last line
  return text;
}

}  // namespace

std::string FailureReportText(int failureCount, const std::vector<RenameFailure>& firstFailures) {
  return ReportText(kTextFailureReport, failureCount, firstFailures);
}

std::string UndoFailureReportText(int failureCount,
                                  const std::vector<RenameFailure>& firstFailures) {
  return ReportText(kTextUndoFailureReport, failureCount, firstFailures);
}

std::string StrandedReason(std::string_view reason, std::string_view where) {
  return FormatText(kTextReasonStranded, {reason, where});
}

std::string MarkedCountText(std::size_t markedCount) {
  if (markedCount == 0) return {};
  return FormatText(kTextMarkedCount, {std::to_string(markedCount)});
}

std::string RecoveredText(int restoredCount, const std::vector<Move>& left, bool undo) {
  std::string text =
      FormatText(undo ? kTextRecoveredUndo : kTextRecoveredRun, {std::to_string(restoredCount)});
  if (!left.empty()) {
    text += "\n\n";
    text += Text(kTextRecoveryLeftHeader);
    std::size_t shown = 0;
    for (const Move& file : left) {
      if (shown++ == ReportedFailureLimit) {
        text +=
            "\n" + FormatText(kTextMoreFiles, {std::to_string(left.size() - ReportedFailureLimit)});
        break;
      }
      text += "\n" + FormatText(kTextRecoveryLeftLine, {file.From, file.To});
    }
  }
  return text;
}

std::string ConfirmUndoText(std::string_view folder, std::size_t fileCount) {
  return FormatText(kTextConfirmUndo, {folder, std::to_string(fileCount)});
}

std::string RecoveryQuestionText(std::string_view folder, std::size_t fileCount, bool undo) {
  return FormatText(undo ? kTextRecoveryQuestionUndo : kTextRecoveryQuestionRun,
                    {folder, std::to_string(fileCount)});
}

std::string JournalSetAsideText(std::string_view path, std::string_view aside) {
  return FormatText(kTextJournalSetAside, {path, aside});
}

PreviewColumnWidths ComputePreviewColumnWidths(int outerWidth) {
  // C++ division truncates toward zero, as the grid's rule wants.
  return {outerWidth / 2 - 13, outerWidth / 2 - 12};
}

}  // namespace korvath
