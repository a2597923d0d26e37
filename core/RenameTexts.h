#pragma once
// Fixed texts of the rename core and the small texts it composes for the
// main window's displays.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvath {

struct Move;

// The extension field's text that keeps each file's own extension.
inline constexpr std::string_view KeepExtension = "(変更なし)";

// The twelve fixed entries of the extension field's drop-down list.
inline constexpr std::string_view ExtensionChoices[] = {KeepExtension, ".bmp",  ".dib", ".jpg",
                                                        ".jpeg",       ".gif",  ".png", ".txt",
                                                        ".htm",        ".html", ".wav", ".midi"};

// Preview grid cell texts (leading ASCII space included).
inline constexpr std::string_view PreviewEmptyText = " (未選択)";
inline constexpr std::string_view PreviewCompletedText = " (変更完了)";

// Message boxes of the rename run.
inline constexpr std::string_view ConfirmRenameText =
    "ファイル名の変換を行います。\n\nよろしいですか？";
inline constexpr std::string_view ConfirmRenameCaption = "情報";
inline constexpr std::string_view CollisionText =
    "同じ名前のファイルが、既に存在します。\n\n変更ができませんでした。";
inline constexpr std::string_view CollisionCaption = "警告";
// Refusals before the run and the report of refused renames after it share
// the collision warning's caption and icon.
inline constexpr std::string_view LeavesFolderText =
    "新しい名前が、表示中のフォルダの外を指しています。\n\n変更ができませんでした。";

// "ファイル名に使えない文字「* ?」が含まれています。\n\n変更ができませんでした。"
std::string BadCharactersText(std::string_view characters);

// Reasons in the report for renames the program itself did not attempt.
inline constexpr std::string_view CollisionReason = "同じ名前のファイルが、既に存在します。";
inline constexpr std::string_view UnusableNameReason = "ファイル名に使えない名前です。";
inline constexpr std::string_view TooLongNameReason = "名前が長すぎます。";
inline constexpr std::string_view JournalFailedReason = "記録ファイルに書き込めませんでした。";
inline constexpr std::string_view NoTemporaryNameReason = "一時的な名前を付けられませんでした。";
inline constexpr std::string_view MissingFileReason = "ファイルが見つかりません。";
// Undo: the name is now another file's (another program renamed files since).
inline constexpr std::string_view ChangedFileReason =
    "変換の後で、別のファイルに置き換わっています。";
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
std::string UndoFailureReportText(int failureCount, const std::vector<RenameFailure>& firstFailures);

// Conflict marks of the preview grid: the mark before a new name the run
// could not give, and their count for status bar panel 3, "※<n>", empty
// without marks.
inline constexpr std::string_view ConflictMark = "※";
std::string MarkedCountText(std::size_t markedCount);

// The File menu's undo.
inline constexpr std::string_view UndoMenuCaption = "元に戻す";
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
inline constexpr std::string_view StopRunCaption = "中止";
inline constexpr std::string_view ConfirmStopText =
    "ファイル名の変換を中止します。\n\nよろしいですか？";
inline constexpr std::string_view ConfirmStopUndoText =
    "元に戻す操作を中止します。\n\nよろしいですか？";
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
