#pragma once
// The rename core's texts by the names the core knows them by (their
// words are rows of TextTable.h), and the small texts it composes for the
// main window's displays.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "Texts.h"

namespace korvath {

struct Move;

// The extension field's text that keeps each file's own extension.
inline constexpr TextRef KeepExtension{kTextKeepExtension};

// The extension field's drop-down list: KeepExtension, then these eleven.
inline constexpr std::string_view FixedExtensions[] = {
    ".bmp", ".dib", ".jpg", ".jpeg", ".gif", ".png", ".txt", ".htm", ".html", ".wav", ".midi"};

// Preview grid cell texts (leading ASCII space included).
inline constexpr TextRef PreviewEmptyText{kTextPreviewEmpty};
inline constexpr TextRef PreviewCompletedText{kTextPreviewCompleted};

// Message boxes of the rename run.
// The question before a run; in English a pattern of FormatText whose {1}
// is the number of files to rename, filled in where it is asked.
inline constexpr TextRef ConfirmRenameText{kTextConfirmRename};
inline constexpr TextRef ConfirmRenameCaption{kTextCaptionInformation};
inline constexpr TextRef CollisionText{kTextCollision};
inline constexpr TextRef CollisionCaption{kTextCaptionWarning};
// Refusals before the run and the report of refused renames after it share
// the collision warning's caption and icon.
inline constexpr TextRef LeavesFolderText{kTextLeavesFolder};

// "ファイル名に使えない文字「* ?」が含まれています。\n\n変更ができませんでした。"
std::string BadCharactersText(std::string_view characters);

// Reasons in the report for renames the program itself did not attempt.
inline constexpr TextRef CollisionReason{kTextReasonCollision};
inline constexpr TextRef UnusableNameReason{kTextReasonUnusableName};
inline constexpr TextRef TooLongNameReason{kTextReasonTooLong};
inline constexpr TextRef JournalFailedReason{kTextReasonJournalFailed};
inline constexpr TextRef NoTemporaryNameReason{kTextReasonNoTemporaryName};
inline constexpr TextRef MissingFileReason{kTextReasonMissingFile};
// Undo: the name is now another file's (another program renamed files since).
inline constexpr TextRef ChangedFileReason{kTextReasonChangedFile};
// A file left under a temporary name: "<reason>（現在の名前: ~KVT1_a.txt）".
std::string StrandedReason(std::string_view reason, std::string_view where);

// One refused rename, for the report after the run.
struct RenameFailure {
  std::string OldName;
  std::string NewName;
  std::string Reason;  // the system's text
};
// How many refused renames the report spells out; the rest are counted.
inline constexpr std::size_t ReportedFailureLimit = 5;
// "<n>個のファイルは、名前を変更できませんでした。\n\n" followed by one line
// "old → new：reason" for each of the first few, and "ほか<m>個" for the rest.
std::string FailureReportText(int failureCount, const std::vector<RenameFailure>& firstFailures);
// The same for an undo: "<n>個のファイルは、元の名前に戻せませんでした。..."
std::string UndoFailureReportText(int failureCount,
                                  const std::vector<RenameFailure>& firstFailures);

// Conflict marks of the preview grid: the mark before a new name the run
// could not give, and their count for status bar panel 3, "※<n>", empty
// without marks.
inline constexpr TextRef ConflictMark{kTextConflictMark};
std::string MarkedCountText(std::size_t markedCount);

// The File menu's undo.
inline constexpr TextRef UndoMenuCaption{kTextUndoCaption};
// "直前のファイル名の変換を元に戻します。\n\n<folder>\nの<n>個のファイルが、
// 元の名前に戻ります。\n\nよろしいですか？"
std::string ConfirmUndoText(std::string_view folder, std::size_t fileCount);
// Start-up, before rolling back a run (or an undo) that was cut off: the
// folder and how many files would move.
std::string RecoveryQuestionText(std::string_view folder, std::size_t fileCount, bool undo);
// Start-up, after rolling back a run (or an undo) that was cut off: how
// many files are back, and where those that could not be brought back are.
std::string RecoveredText(int restoredCount, const std::vector<Move>& left, bool undo);
// Start-up: a journal that is not one the run writes, renamed aside unused.
std::string JournalSetAsideText(std::string_view path, std::string_view aside);

// A run under way: the Execute button's caption meanwhile, the question
// before stopping, and the progress panel's "<n> / <N>".
inline constexpr TextRef StopRunCaption{kTextStopRun};
inline constexpr TextRef ConfirmStopText{kTextConfirmStop};
inline constexpr TextRef ConfirmStopUndoText{kTextConfirmStopUndo};
std::string ProgressText(std::size_t done, std::size_t total);

// Digit-count display: "3桁", or "１０桁" in full width.
std::string DigitCountText(int digitCount, bool fullWidth);

// Status bar panel 3: the number of listed files followed by "個存在".
std::string FileCountText(std::size_t fileCount);

// Status bar panel 3 during a rename run: "<n>個完了".
std::string CompletedCountText(int completedCount);

// Widths of the preview grid's two columns for its outer width W (border
// included): W div 2 - 13 and W div 2 - 12.
struct PreviewColumnWidths {
  int Column0;
  int Column1;
};
PreviewColumnWidths ComputePreviewColumnWidths(int outerWidth);

}  // namespace korvath
