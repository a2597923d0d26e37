// clang-format off
// Every text the program shows, in Japanese and in English: one row a text,
// KORVATH_TEXT(id, Japanese, English). Texts.h makes the ids of it and
// Texts.cpp the table, so a text cannot lack a language or an id.
//
// "{1}" to "{9}" are the arguments of FormatText; "{1:one|other}" reads
// "one" when argument 1 is "1" and "other" otherwise (English plurals).
// Japanese texts are the program's own since its first versions: a change
// to one is a change of what every Japanese user sees.
//
// No include guard: the file is read once for the ids and once for the rows.

// No text: a control without a caption.
KORVATH_TEXT(kTextNone, "", "")

// ---------------------------------------------------------------------------
// The program and its windows' captions
// The program's name: its message boxes' caption and the About box's banner.
KORVATH_TEXT(kTextProgramName, "Korvath", "Korvath")
KORVATH_TEXT(kTextMainCaption, "Korvath ver1.7", "Korvath 1.7")
KORVATH_TEXT(kTextCaptionInformation, "情報", "Korvath")
KORVATH_TEXT(kTextCaptionWarning, "警告", "Korvath")
KORVATH_TEXT(kTextOk, "OK", "OK")
KORVATH_TEXT(kTextCancel, "キャンセル", "Cancel")
KORVATH_TEXT(kTextUnknownError, "Unknown error", "Unknown error")
KORVATH_TEXT(kTextRenamingShutdownReason, "ファイル名を変更しています。", "Renaming files.")

// ---------------------------------------------------------------------------
// Main window: menus (each item of a menu with its own access key)
KORVATH_TEXT(kTextMenuFile, "ファイル/&File", "&File")
KORVATH_TEXT(kTextMenuSelect, "選択/&Select", "&Select")
KORVATH_TEXT(kTextMenuView, "表示/&View", "&View")
KORVATH_TEXT(kTextMenuHelp, "ヘルプ/&Help", "&Help")
KORVATH_TEXT(kTextMenuUndo, "元に戻す/&Undo", "&Undo Rename")
KORVATH_TEXT(kTextMenuProperties, "プロパティ/&Property...", "&Properties...")
KORVATH_TEXT(kTextMenuRecentFolder, "(&{1}){2}", "&{1} {2}")
KORVATH_TEXT(kTextMenuExit, "終了/&Exit", "E&xit")
KORVATH_TEXT(kTextMenuSelectAll, "すべて選択/&All", "Select &All")
KORVATH_TEXT(kTextMenuInvertSelection, "選択の切り替え/&Change", "&Invert Selection")
KORVATH_TEXT(kTextMenuSelectNone, "すべて未選択/&Not", "Select &None")
KORVATH_TEXT(kTextMenuStatusBar, "ステータスバー/&Status", "&Status Bar")
KORVATH_TEXT(kTextMenuRefresh, "最新の状態に更新/&Renew", "&Refresh")
KORVATH_TEXT(kTextMenuOptions, "オプション/&Option...", "&Options...")
KORVATH_TEXT(kTextMenuSort, "並び順/Sor&t", "Sor&t By")
KORVATH_TEXT(kTextMenuSortByName, "名前順/&Name", "&Name")
KORVATH_TEXT(kTextMenuSortNatural, "自然順/N&atural", "N&atural Order")
KORVATH_TEXT(kTextMenuSortByDate, "更新日時順/&Date", "&Date Modified")
KORVATH_TEXT(kTextMenuSortByShootingDate, "撮影日時順/&Shooting date", "Date &Taken")
// Shown, checked, only while lines moved by hand stand in the check list.
KORVATH_TEXT(kTextMenuSortByHand, "手動/&Hand", "By &Hand")
KORVATH_TEXT(kTextMenuWebSite, "Webサイトへアクセス/&Web", "Korvath on the &Web")
KORVATH_TEXT(kTextMenuAbout, "バージョン情報/&About...", "&About Korvath...")
KORVATH_TEXT(kTextSystemMenuAbout, "バージョン情報", "About Korvath...")

// ---------------------------------------------------------------------------
// Main window: labels, buttons, tooltips, accessible names
KORVATH_TEXT(kTextLabelFiles, "対象ファイル選択:", "Files:")
KORVATH_TEXT(kTextTipFolderUp, "1つ上へ", "Up One Level")
KORVATH_TEXT(kTextTipCheckAll, "全選択", "Check All")
KORVATH_TEXT(kTextTipUncheckAll, "全解除", "Uncheck All")
KORVATH_TEXT(kTextLabelPreview, "ファイル名(変換前→後):", "Before → after:")
KORVATH_TEXT(kTextLabelSample, "サンプル:", "Sample:")
KORVATH_TEXT(kTextLabelFileType, "対象ファイルの種類:", "File type:")
KORVATH_TEXT(kTextLabelPrefix, "接頭語:", "Prefix:")
KORVATH_TEXT(kTextLabelStartNumber, "初期値:", "Start at:")
KORVATH_TEXT(kTextLabelDigitCount, "桁数:", "Digits:")
KORVATH_TEXT(kTextLabelDigitWidth, "全半角:", "Width:")
KORVATH_TEXT(kTextCheckFullWidth, "全角数字にする", "Full-width")
KORVATH_TEXT(kTextLabelSuffix, "接尾語:", "Suffix:")
KORVATH_TEXT(kTextLabelExtension, "拡張子:", "Extension:")
KORVATH_TEXT(kTextExecute, "実行", "Rename")
KORVATH_TEXT(kTextTipExecute, "ファイル名変更実行", "Rename the checked files")
KORVATH_TEXT(kTextStopRun, "中止", "Stop")
KORVATH_TEXT(kTextAccessibleDrive, "ドライブ", "Drive")
KORVATH_TEXT(kTextAccessibleFolder, "フォルダ", "Folder")
// The accessible name of a preview row: old name, new name.
KORVATH_TEXT(kTextGridRowName, "{1} → {2}", "{1} → {2}")
// The same in both languages: the hidden file list's mask, and the sample
// panel's design text that the composed sample name replaces at once.
KORVATH_TEXT(kTextAllFilesMask, "*.*", "*.*")
KORVATH_TEXT(kTextDesignSample, "Sample.xxx", "Sample.xxx")

// ---------------------------------------------------------------------------
// Main window: the naming column's displays, the preview, the status bar
// The extension field's text that keeps each file's own extension.
KORVATH_TEXT(kTextKeepExtension, "(変更なし)", "(unchanged)")
// The digit count beside "Digits:" (the box is too narrow for a word).
KORVATH_TEXT(kTextDigitCount, "{1}桁", "{1}")
KORVATH_TEXT(kTextPreviewEmpty, " (未選択)", " (none checked)")
KORVATH_TEXT(kTextPreviewCompleted, " (変更完了)", " (renamed)")
// Before a new name the run could not give, and their count in the status bar.
KORVATH_TEXT(kTextConflictMark, "※", "!")
KORVATH_TEXT(kTextMarkedCount, "※{1}", "!{1}")
// In place of that count while the whole list is still being worked out.
KORVATH_TEXT(kTextPreviewWorking, "計算中", "working")
KORVATH_TEXT(kTextFileCount, "{1}個存在", "{1} {1:file|files}")
KORVATH_TEXT(kTextCompletedCount, "{1}個完了", "{1} renamed")
KORVATH_TEXT(kTextProgress, "{1} / {2}", "{1} / {2}")
// The file information's size, in whole kilobytes.
KORVATH_TEXT(kTextFileSize, "{1} KB", "{1} KB")
// While the photos' and videos' dates are read for the shooting-date order.
KORVATH_TEXT(kTextReadingCaptureDates, "撮影日時を読んでいます {1} / {2}",
             "Reading the dates taken {1} / {2}")
// The time stamp in the shooting-date order: the date that placed the file.
KORVATH_TEXT(kTextTakenAt, "撮影日時 {1}", "Taken {1}")
KORVATH_TEXT(kTextModifiedAt, "更新日時 {1}", "Modified {1}")

// ---------------------------------------------------------------------------
// The rename run: questions, refusals and the report
KORVATH_TEXT(kTextConfirmRename, "ファイル名の変換を行います。\n\nよろしいですか？",
             "Rename {1} {1:file|files}?")
KORVATH_TEXT(kTextCollision, "同じ名前のファイルが、既に存在します。\n\n変更ができませんでした。",
             "A file with the new name already exists.\n\nThe file was not renamed.")
KORVATH_TEXT(kTextLeavesFolder,
             "新しい名前が、表示中のフォルダの外を指しています。\n\n変更ができませんでした。",
             "A new name points outside the folder shown.\n\nNo file was renamed.")
KORVATH_TEXT(kTextBadCharacters,
             "ファイル名に使えない文字「{1}」が含まれています。\n\n変更ができませんでした。",
             "A new name holds characters that file names cannot: {1}\n\nNo file was renamed.")
KORVATH_TEXT(kTextControlCharacters, "制御文字", "control characters")
KORVATH_TEXT(kTextConfirmStop, "ファイル名の変換を中止します。\n\nよろしいですか？",
             "Stop renaming files?")
KORVATH_TEXT(kTextConfirmStopUndo, "元に戻す操作を中止します。\n\nよろしいですか？", "Stop the undo?")
KORVATH_TEXT(kTextFailureReport, "{1}個のファイルは、名前を変更できませんでした。",
             "{1} {1:file was|files were} not renamed.")
KORVATH_TEXT(kTextUndoFailureReport, "{1}個のファイルは、元の名前に戻せませんでした。",
             "{1} {1:file|files} could not be given back {1:its old name|their old names}.")
// One line of a report: old name, new name, reason.
KORVATH_TEXT(kTextFailureLine, "{1} → {2}：{3}", "{1} → {2}: {3}")
// The last line of a list cut short.
KORVATH_TEXT(kTextMoreFiles, "ほか{1}個", "and {1} more")
// Reasons of a report for renames the program did not attempt or the undo found.
KORVATH_TEXT(kTextReasonCollision, "同じ名前のファイルが、既に存在します。",
             "A file with this name already exists.")
KORVATH_TEXT(kTextReasonUnusableName, "ファイル名に使えない名前です。",
             "The name cannot be a file name.")
KORVATH_TEXT(kTextReasonTooLong, "名前が長すぎます。", "The name is too long.")
KORVATH_TEXT(kTextReasonJournalFailed, "記録ファイルに書き込めませんでした。",
             "The journal could not be written.")
KORVATH_TEXT(kTextReasonNoTemporaryName, "一時的な名前を付けられませんでした。",
             "No temporary name could be given.")
KORVATH_TEXT(kTextReasonMissingFile, "ファイルが見つかりません。", "The file cannot be found.")
KORVATH_TEXT(kTextReasonChangedFile, "変換の後で、別のファイルに置き換わっています。",
             "Another file has taken its place since the rename.")
// A reason, and the temporary name a file was left under.
KORVATH_TEXT(kTextReasonStranded, "{1}（現在の名前: {2}）", "{1} (now named {2})")
KORVATH_TEXT(kTextCannotConvert, "変換できません", "Cannot convert")

// ---------------------------------------------------------------------------
// Undo and the recovery at start-up of a run that was cut off
KORVATH_TEXT(kTextUndoCaption, "元に戻す", "Undo")
KORVATH_TEXT(kTextConfirmUndo,
             "直前のファイル名の変換を元に戻します。\n\n{1}\nの{2}個のファイルが、元の名前に戻ります。\n\nよろしいですか？",
             "Undo the last rename?\n\n{2} {2:file|files} in\n{1}\nwill get back {2:its old name|their old names}.")
KORVATH_TEXT(kTextRecoveryQuestionRun,
             "前回のファイル名の変換は、途中で止まっていました。\n\n{1}\nの{2}個のファイルを、変換前の名前に戻しますか？\n\n「いいえ」のときは何も動かさず、次の起動でもう一度尋ねます。",
             "The last rename was cut off before it finished.\n\nGive {2} {2:file|files} in\n{1}\nback the {2:name|names} {2:it|they} had before it?\n\nWith No, nothing is moved and Korvath asks again at its next start.")
KORVATH_TEXT(kTextRecoveryQuestionUndo,
             "前回の「元に戻す」は、途中で止まっていました。\n\n{1}\nの{2}個のファイルを、元に戻す前の名前に戻しますか？\n\n「いいえ」のときは何も動かさず、次の起動でもう一度尋ねます。",
             "The last undo was cut off before it finished.\n\nGive {2} {2:file|files} in\n{1}\nback the {2:name|names} {2:it|they} had before the undo?\n\nWith No, nothing is moved and Korvath asks again at its next start.")
KORVATH_TEXT(kTextRecoveredRun,
             "前回のファイル名の変換は、途中で止まっていました。\n\n{1}個のファイルを、変換前の名前に戻しました。",
             "The last rename was cut off before it finished.\n\n{1} {1:file has|files have} {1:its|their} name from before it again.")
KORVATH_TEXT(kTextRecoveredUndo,
             "前回の「元に戻す」は、途中で止まっていました。\n\n{1}個のファイルを、元に戻す前の名前に戻しました。",
             "The last undo was cut off before it finished.\n\n{1} {1:file has|files have} {1:its|their} name from before the undo again.")
KORVATH_TEXT(kTextRecoveryLeftHeader, "元の名前に戻せなかったファイル:",
             "Files that could not be given back their names:")
// A file left behind: its name now, and the name it should have had.
KORVATH_TEXT(kTextRecoveryLeftLine, "{1}（元の名前: {2}）", "{1} (was {2})")
KORVATH_TEXT(kTextJournalSetAside,
             "記録ファイル {1} は、このプログラムが書いたものとして読めません。\n\nどのファイルも動かさずに、記録ファイルの名前を {2} に変えました。",
             "The journal {1} was not written by Korvath and cannot be read.\n\nNo file was moved; the journal was renamed to {2}.")

// ---------------------------------------------------------------------------
// Files handed over on the command line or dropped
KORVATH_TEXT(kTextLeftOut,
             "{1}個のファイルは、表示中のフォルダ「{2}」の一覧にないため、選択しませんでした。",
             "{1} {1:file was|files were} not checked: {1:it is|they are} not listed in the folder shown, {2}.")

// ---------------------------------------------------------------------------
// The file type selector's built-in types and the user's own masks
KORVATH_TEXT(kTextTypeAllFiles, "すべてのファイル (*.*)", "All Files (*.*)")
KORVATH_TEXT(kTextTypeBitmap, "ビットマップ イメージ (*.bmp;*dib)", "Bitmap Images (*.bmp;*dib)")
KORVATH_TEXT(kTextTypeJpeg, "JPEG イメージ (*.jpg;*jpeg;*jpe)", "JPEG Images (*.jpg;*jpeg;*jpe)")
KORVATH_TEXT(kTextTypeGif, "GIF イメージ (*.gif)", "GIF Images (*.gif)")
KORVATH_TEXT(kTextTypePng, "PNG イメージ (*.png)", "PNG Images (*.png)")
KORVATH_TEXT(kTextTypeTif, "TIF イメージ (*.tif)", "TIF Images (*.tif)")
KORVATH_TEXT(kTextTypeIcon, "アイコン (*.ico)", "Icons (*.ico)")
KORVATH_TEXT(kTextTypeText, "テキスト文書 (*.txt)", "Text Documents (*.txt)")
KORVATH_TEXT(kTextTypeCsv, "カンマ区切りテキストファイル (*.csv)", "Comma-Separated Values (*.csv)")
KORVATH_TEXT(kTextTypeHtml, "HTML文書 (*.htm;*.html)", "HTML Documents (*.htm;*.html)")
KORVATH_TEXT(kTextTypeRtf, "リッチテキスト形式 (*.rtf)", "Rich Text Format (*.rtf)")
KORVATH_TEXT(kTextTypeWord, "Word文書 (*.doc)", "Word Documents (*.doc)")
KORVATH_TEXT(kTextTypeExcel, "Excelワークシート (*.xls)", "Excel Worksheets (*.xls)")
KORVATH_TEXT(kTextTypeC, "C言語関連ファイル (*.c;*.css;*.h)", "C Source Files (*.c;*.css;*.h)")
KORVATH_TEXT(kTextTypeJava, "Java関連ファイル (*.java;*.h)", "Java Source Files (*.java;*.h)")
KORVATH_TEXT(kTextTypeWave, "WAVE サウンド (*.wav)", "WAVE Sounds (*.wav)")
KORVATH_TEXT(kTextTypeMidi, "MIDI シーケンス (*.mid;*.midi;*rmi)", "MIDI Sequences (*.mid;*.midi;*rmi)")
KORVATH_TEXT(kTextTypeMp3, "MP3形式 サウンド (*.mp3)", "MP3 Sounds (*.mp3)")
KORVATH_TEXT(kTextTypeAvi, "ビデオクリップ (*.avi)", "Video Clips (*.avi)")
// A user-defined type: its number, counted from 1, and its mask.
KORVATH_TEXT(kTextTypeUserMask, "ユーザ定義{1} ({2})", "Custom {1} ({2})")

// ---------------------------------------------------------------------------
// The settings file
KORVATH_TEXT(kTextCannotWriteSettings, "{1} に書き込めません", "Cannot write to {1}")

// ---------------------------------------------------------------------------
// Options dialog
KORVATH_TEXT(kTextOptionCaption, "オプション", "Options")
KORVATH_TEXT(kTextOptionUserMasks, "ユーザ定義ファイル", "Custom file types")
KORVATH_TEXT(kTextOptionMaskHint, "拡張子を入力して下さい。(表記例： *.txt)",
             "Type a file mask, for example *.txt:")
KORVATH_TEXT(kTextOptionAdd, "追加", "&Add")
KORVATH_TEXT(kTextOptionDelete, "削除", "&Delete")
KORVATH_TEXT(kTextOptionMoveUp, "↑", "↑")
KORVATH_TEXT(kTextOptionMoveDown, "↓", "↓")
KORVATH_TEXT(kTextMaskNeedsStarDot,
             "ユーザー定義ファイルの拡張子を設定するには、\n頭に\"*.\"をつけます。例 (*.txt)",
             "A file mask must start with \"*.\", for example *.txt.")
// "|" separates the file type selector's descriptions and masks.
KORVATH_TEXT(kTextMaskHasBar, "ユーザー定義ファイルの拡張子に\"|\"は使えません。",
             "A file mask cannot contain \"|\".")
KORVATH_TEXT(kTextMaskUnsavable, "ユーザー定義ファイルの拡張子に\"{1}\"は使えません。",
             "A file mask cannot contain \"{1}\": the settings file cannot keep it.")
KORVATH_TEXT(kTextMaskListFull, "ユーザー定義ファイルは、{1}個までしか登録できません。",
             "No more than {1} custom file types can be added.")

// ---------------------------------------------------------------------------
// About box
KORVATH_TEXT(kTextAboutCaption, "バージョン情報", "About Korvath")
KORVATH_TEXT(kTextAboutSubtitle, "ファイル名連番リネームソフト", "Renames files to numbered names")
KORVATH_TEXT(kTextAboutProduct, "『Korvath』", "Korvath")
KORVATH_TEXT(kTextAboutVersion, "Version 1.70", "Version 1.70")
KORVATH_TEXT(kTextAboutCopyright, "Copyright (C) 2026 Korvath 開発チーム",
             "Copyright (C) 2026 the Korvath team")
KORVATH_TEXT(kTextAboutProgrammedBy, "Programmed by Korvath 開発チーム",
             "Programmed by the Korvath team")
KORVATH_TEXT(kTextAboutMaker, "Korvath 開発チーム", "The Korvath team")
KORVATH_TEXT(kTextAboutWebSite, "最新版ソフト＆サポート･･･", "Latest version and support:")
KORVATH_TEXT(kTextAboutContact, "ご意見・お問い合わせ･･･", "Comments and questions:")
// The same in both languages; the Help menu's web command opens the first.
KORVATH_TEXT(kTextWebSiteAddress, "https://korvath.example.jp/", "https://korvath.example.jp/")
KORVATH_TEXT(kTextMailAddress, "support@korvath.example.jp", "support@korvath.example.jp")

// ---------------------------------------------------------------------------
// Errors of the system
KORVATH_TEXT(kTextIoFileNotFound, "ファイルが見つかりません", "File not found")
KORVATH_TEXT(kTextIoInvalidName, "不正なファイル名です", "Invalid file name")
KORVATH_TEXT(kTextIoTooManyOpenFiles, "オープンしたファイルが多すぎます", "Too many open files")
KORVATH_TEXT(kTextIoAccessDenied, "ファイルへのアクセスが拒否されました", "File access denied")
KORVATH_TEXT(kTextIoError, "I/O エラー ({1})", "I/O error {1}")
KORVATH_TEXT(kTextSystemError, "エラー {1}", "Error {1}")
KORVATH_TEXT(kTextCannotCreateWindow, "ウィンドウ {1} を作れません ({2}, エラー {3})",
             "Cannot create the window {1} ({2}, error {3})")

// ---------------------------------------------------------------------------
// The journals: one Korvath a journal, kept until every file is home
KORVATH_TEXT(kTextJournalBusy,
             "別の Korvath が、\n{1}\nのファイル名を変換しています。\n\nその変換が終わるまで、ファイル名の変換と「元に戻す」はできません。",
             "Another Korvath is renaming files in\n{1}\n\nFiles cannot be renamed or given back their names until it has finished.")
KORVATH_TEXT(kTextJournalBusyElsewhere,
             "別の Korvath が、ファイル名を変換しています。\n\nその変換が終わるまで、ファイル名の変換と「元に戻す」はできません。",
             "Another Korvath is renaming files.\n\nFiles cannot be renamed or given back their names until it has finished.")
KORVATH_TEXT(kTextJournalWaiting,
             "前回のファイル名の変換は、途中で止まったままです。\n\n{1}\nのファイルを変換前の名前に戻すまで、新しい変換はできません。\n\n次の起動で、もう一度尋ねます。",
             "The last rename was cut off and has not been rolled back.\n\nNo new rename can start until the files in\n{1}\nhave their names from before it again.\n\nKorvath asks again at its next start.")
KORVATH_TEXT(kTextJournalCannotWrite,
             "記録ファイル {1} を作れません。\n\nどのファイルも変換しませんでした。",
             "The journal {1} cannot be written.\n\nNo file was renamed.")
KORVATH_TEXT(kTextJournalFolderUnreachable,
             "{1}\nが見つかりません。\n\nどのファイルも動かさずに記録ファイルを残しておき、次の起動でもう一度尋ねます。",
             "{1}\ncannot be found.\n\nNo file was moved; the journal is kept and Korvath asks again at its next start.")
KORVATH_TEXT(kTextJournalWithoutIdentities,
             "この記録ファイルは以前の版が書いたもので、ファイルが変換したときと同じものかを確かめられません。",
             "This journal was written by an earlier version: Korvath cannot check that the files are the ones it renamed.")
KORVATH_TEXT(kTextUndoFolderMissing,
             "{1}\nが見つかりません。\n\n元に戻せませんでした。",
             "{1}\ncannot be found.\n\nNothing was given back its old name.")
KORVATH_TEXT(kTextRecoveryKept,
             "戻せなかったファイルがあるため、記録ファイルは残しておき、次の起動でもう一度戻します。",
             "The journal is kept for the files that could not be given back; Korvath tries again at its next start.")
KORVATH_TEXT(kTextNotReached,
             "{1}個のファイルは、まだ名前を変えていません。",
             "{1} {1:file has|files have} not been renamed yet.")
KORVATH_TEXT(kTextReasonLinkFolder,
             "リンクになっているフォルダの中は、変更しません。",
             "The folder is a link: nothing in it is renamed.")
