#include "RenameTexts.h"

#include "SequenceNumber.h"
#include "StagedMoves.h"

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

std::string ProgressText(std::size_t done, std::size_t total) {
  return std::to_string(done) + " / " + std::to_string(total);
}

std::string BadCharactersText(std::string_view characters) {
  std::string text = "ファイル名に使えない文字「";
  text += characters;
  text += "」が含まれています。\n\n変更ができませんでした。";
  return text;
}

namespace {

std::string ReportText(std::string_view head, int failureCount,
                       const std::vector<RenameFailure>& firstFailures) {
  std::string text = std::to_string(failureCount) + std::string(head) + "\n";
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

}  // namespace

std::string FailureReportText(int failureCount, const std::vector<RenameFailure>& firstFailures) {
  return ReportText("個のファイルは、名前を変更できませんでした。", failureCount, firstFailures);
}

std::string UndoFailureReportText(int failureCount, const std::vector<RenameFailure>& firstFailures) {
  return ReportText("個のファイルは、元の名前に戻せませんでした。", failureCount, firstFailures);
}

std::string StrandedReason(std::string_view reason, std::string_view where) {
  std::string text(reason);
  text += "（現在の名前: ";
  text += where;
  text += "）";
  return text;
}

std::string MarkedCountText(std::size_t markedCount) {
  if (markedCount == 0) return {};
  return std::string(ConflictMark) + std::to_string(markedCount);
}

std::string RecoveredText(int restoredCount, const std::vector<Move>& left, bool undo) {
  std::string text = undo ? "前回の「元に戻す」は、途中で止まっていました。\n\n"
                          : "前回のファイル名の変換は、途中で止まっていました。\n\n";
  text += std::to_string(restoredCount);
  text += undo ? "個のファイルを、元に戻す前の名前に戻しました。"
               : "個のファイルを、変換前の名前に戻しました。";
  if (!left.empty()) {
    text += "\n\n元の名前に戻せなかったファイル:";
    std::size_t shown = 0;
    for (const Move& file : left) {
      if (shown++ == ReportedFailureLimit) {
        text += "\nほか" + std::to_string(left.size() - ReportedFailureLimit) + "個";
        break;
      }
      text += "\n" + file.From + "（元の名前: " + file.To + "）";
    }
  }
  return text;
}

std::string ConfirmUndoText(std::string_view folder, std::size_t fileCount) {
  std::string text = "直前のファイル名の変換を元に戻します。\n\n";
  text += folder;
  text += "\nの" + std::to_string(fileCount) +
          "個のファイルが、元の名前に戻ります。\n\nよろしいですか？";
  return text;
}

std::string RecoveryQuestionText(std::string_view folder, std::size_t fileCount, bool undo) {
  std::string text = undo ? "前回の「元に戻す」は、途中で止まっていました。\n\n"
                          : "前回のファイル名の変換は、途中で止まっていました。\n\n";
  text += folder;
  text += "\nの" + std::to_string(fileCount) + "個のファイルを、";
  text += undo ? "元に戻す前の名前に戻しますか？" : "変換前の名前に戻しますか？";
  text += "\n\n「いいえ」のときは何も動かさず、次の起動でもう一度尋ねます。";
  return text;
}

std::string JournalSetAsideText(std::string_view path, std::string_view aside) {
  std::string text = "記録ファイル ";
  text += path;
  text +=
      " は、このプログラムが書いたものとして読めません。\n\n"
      "どのファイルも動かさずに、記録ファイルの名前を ";
  text += aside;
  text += " に変えました。";
  return text;
}

PreviewColumnWidths ComputePreviewColumnWidths(int outerWidth) {
  // C++ division truncates toward zero, as the grid's rule wants.
  return {outerWidth / 2 - 13, outerWidth / 2 - 12};
}

}  // namespace korvath
