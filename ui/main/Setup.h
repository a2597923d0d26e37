#pragma once
// The main window: the browser on the left (drive selector, folder list,
// check list), the preview grid and the naming column on the right, the
// menus and the five-panel status bar.
//
// Its controls keep their names as members of a private base. Handlers are
// private too: messages reach them through the window procedure, and the
// window tests through testsupport::WindowAccess.

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "AppIcon.h"
#include "Dpi.h"
#include "FileOrder.h"
#include "Form.h"
#include "Handles.h"
#include "Histories.h"
#include "NamingFields.h"
#include "RenameUndo.h"

namespace korvath {

namespace testsupport {
struct WindowAccess;
}

class RenameSession;
class PreviewRows;
class FileSystem;
class PreviewWork;
class TDriveComboBox;
class TDirectoryListBox;
class TFileListBox;
class TFilterComboBox;
class TCheckListBox;
struct FileInfo;
class TStringGrid;
class TControl;
class ProgramWindows;
struct ControlTable;

// Command identifiers of the menu items, as WM_COMMAND carries them.
enum MenuCommand : UINT {
  kCmdKProperty1 = 1000,
  kCmdN1,  // separator above the recent folders
  kCmdN11,
  kCmdN21,
  kCmdN31,
  kCmdN41,
  kCmdN51,
  kCmdN61,
  kCmdN2,
  kCmdKExit1,
  kCmdSelectAll1,
  kCmdChange1,
  kCmdNot1,
  kCmdKStatus1,
  kCmdKRenew1,
  kCmdN3,
  kCmdKOption1,
  kCmdKSort1,  // the submenu "並び順/Sor&t"
  kCmdKName1,  // its radio items, in FileOrder's order
  kCmdKNatural1,
  kCmdKDate1,
  kCmdKShoot1,
  kCmdKHand1,  // shown only while an order set by hand stands
  kCmdWeb1,
  kCmdN4,
  kCmdKAbout1,
  kCmdKProperty2,
  kCmdKUndo1,  // File > 元に戻す, above プロパティ
};

// The preview's thread has a result; a frame passed without one.
inline constexpr UINT kMsgPreviewReady = WM_APP + 20;
inline constexpr UINT_PTR kPreviewSlowTimer = 1;

// Status bar panels, numbered from the left.
enum StatusPanel : int {
  kPanelName = 0,
  kPanelSize = 1,
  kPanelTime = 2,
  kPanelCount = 3,
  kPanelSpare = 4,
};

// The main window's controls, named as in its layout. The plain Win32
// controls are HWNDs; the browser controls, the check list and the preview
// grid are small classes of their own. A private base of the window: nothing
// outside it reaches a control but the window tests and benchmarks, through
// testsupport::WindowAccess.
struct SetupFormControls {
  HWND Bevel1 = nullptr;
  HWND Label1 = nullptr, Label2 = nullptr, Label3 = nullptr, Label4 = nullptr, Label5 = nullptr,
       Label6 = nullptr, Label7 = nullptr, Label8 = nullptr, Label9 = nullptr, Label10 = nullptr;
  HWND Panel1 = nullptr, Panel2 = nullptr, Panel3 = nullptr, Panel4 = nullptr, Panel5 = nullptr,
       Panel6 = nullptr, Panel7 = nullptr, Panel8 = nullptr, Panel9 = nullptr, Panel10 = nullptr;
  HWND SpeedButton1 = nullptr, SpeedButton2 = nullptr, SpeedButton3 = nullptr,
       SpeedButton4 = nullptr, SpeedButton5 = nullptr, SpeedButton6 = nullptr,
       SpeedButton7 = nullptr, SpeedButton8 = nullptr, SpeedButton9 = nullptr,
       SpeedButton10 = nullptr, SpeedButton11 = nullptr, SpeedButton12 = nullptr,
       SpeedButton13 = nullptr, SpeedButton14 = nullptr, SpeedButton15 = nullptr;
  HWND Edit1 = nullptr;      // never visible: receives the file list's mask
  HWND ComboBox1 = nullptr;  // prefix, with the prefix history as its list
  HWND ComboBox2 = nullptr;  // suffix, with the suffix history as its list
  HWND ComboBox3 = nullptr;  // extension choice
  HWND CheckBox1 = nullptr;  // full-width digits
  HWND BitBtn1 = nullptr;    // Execute
  HWND StatusBar1 = nullptr;
  HWND ToolTip = nullptr;

  std::unique_ptr<TDriveComboBox> DriveComboBox1;
  std::unique_ptr<TDirectoryListBox> DirectoryListBox1;
  std::unique_ptr<TFileListBox> FileListBox1;
  std::unique_ptr<TFilterComboBox> FilterComboBox1;
  std::unique_ptr<TCheckListBox> CheckListBox1;
  std::unique_ptr<TStringGrid> StringGrid1;

  // Menus. Items are addressed by their MenuCommand.
  HMENU MainMenu1 = nullptr;
  HMENU PopupMenu1 = nullptr;
  HMENU KFile1 = nullptr, Edit2 = nullptr, KView1 = nullptr, KHelp1 = nullptr;
  HMENU KSort1 = nullptr;  // View > Sort
};

class TSetupForm1 : public TForm, public NamingFields, private SetupFormControls {
 public:
  // The windows that hold the dialogs it opens.
  explicit TSetupForm1(const ProgramWindows& windows);
  ~TSetupForm1() override;

  // Creates the window hidden and runs the creation sequence.
  void Create();
  // The pixel density the window and its controls are laid out at.
  Dpi LayoutDpi() const { return dpi_; }

  // ---- State ----
  // The rename state: start number, digit count, the check list's entries.
  RenameSession& Session() { return *session_; }
  const RenameSession& Session() const { return *session_; }
  // The before/after rows that StringGrid1 draws.
  const PreviewRows& Preview() const { return *preview_; }

  // Recent-entry histories (an empty string is an empty slot) and the
  // settings file's path, fixed at start-up.
  std::array<std::string, kDirHistorySlots> DirHistory;
  std::array<std::string, kTextHistorySlots> PrefixHistory;
  std::array<std::string, kTextHistorySlots> SuffixHistory;
  std::string SettingsPath;

  // The paths given on the command line, set before Create: the first
  // folder shown instead of the remembered one (SetupOpen.cpp).
  std::vector<std::string> StartPaths;

  // ---- Naming fields, read from the controls at each call ----
  std::string PrefixText() const override;
  std::string SuffixText() const override;
  std::string ExtensionText() const override;
  bool FullWidthChecked() const override;

  // ---- Services for the handlers ----
  // Status bar: every write switches the bar to its multi-panel mode first.
  void SetStatusText(int panel, const std::string& text);
  std::string StatusText(int panel) const;
  bool StatusBarVisible() const;

  // Menu items: Win32 menus cannot hide an item, so each menu is rebuilt
  // from its item table, leaving hidden items out.
  void SetMenuItemVisible(UINT command, bool visible);
  bool MenuItemVisible(UINT command) const;
  void SetMenuItemCaption(UINT command, const std::string& caption);
  std::string MenuItemCaption(UINT command) const;
  void SetMenuItemEnabled(UINT command, bool enabled);
  bool MenuItemEnabled(UINT command) const;
  void SetMenuItemChecked(UINT command, bool checked);
  bool MenuItemChecked(UINT command) const;

  // The check list's highlighted line, -1 for none.
  int HighlightedIndex() const;

  // The browser as the settings code sees it, without its headers.
  void ShowFolder(const std::string& path);           // folder list's ShowFolder
  std::string ShownFolder() const;                    // the folder list's folder
  int FileListCount() const;                          // names in the hidden file list
  void ApplyFilter(const std::string& filterString);  // the file type selector's

  // Text of any window (empty when it has none).
  static std::string WindowText(HWND window);

  // ---- Steps that the start-up sequence and the window tests call ----
  // The preview and Execute's state: the rows on screen at once, the whole
  // list's names and marks on the preview's own thread.
  void RefreshPreview();
  // The whole list's names and marks now, when still being worked out.
  void FinishPreview();
  // The preview's thread is at work, or its result waits to be taken.
  bool PreviewPending() const;
  void LoadOptionMasks();    // once the options dialog exists
  bool SaveSettings();
  FileOrder SortOrder() const;
  // The last run's journal is complete and no other Korvath holds it;
  // read again only when it has changed.
  bool UndoAvailable();

  // ---- A run under way (SetupRunDriver.cpp) ----
  class RunDriver;
  // The run's file system (tests put in a slow or failing one).
  void ReplaceFileSystem(std::unique_ptr<FileSystem> fileSystem);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  // The window tests reach the controls and handlers through it.
  friend struct testsupport::WindowAccess;
  friend struct ControlTable;


  // ---- Window handlers ----
  void FormCreate();
  void FormClose();
  void FormResize();
  void KView1Click();
  void KHelp1Click();
  void KExit1Click();
  void KStatus1Click();

  // ---- Browser ----
  void DriveComboBox1Change();
  void DirectoryListBox1Change();
  void RefillCheckList();
  void SpeedButton13Click();

  // ---- Check list commands and file information ----
  void CheckListBox1Click();
  std::string TimeStampText(const std::string& name, const FileInfo& info) const;
  void SpeedButton14Click();
  void SpeedButton15Click();
  void SelectAll1Click();
  void Change1Click();
  void Not1Click();
  void KRenew1Click();

  // ---- Naming fields, preview and rename run ----
  void ComboBox1Change();
  void SpeedButton1Click(HWND sender);  // the ten step buttons
  void SpeedButton11Click();
  void SpeedButton12Click();
  void CheckBox1Click();
  // Keys in the start-number and digit-count fields (SetupKeyboard.cpp).
  void Panel2KeyDown(WORD key);
  void Panel3KeyDown(WORD key);
  // A part of the new names changed: sample, preview, Execute, file count.
  void NamingChanged();
  void UpdateSample();
  void ShowStartNumber();
  void ShowDigitCount();
  void ShowFileCount();
  void BitBtn1Click();
  // File > 元に戻す: takes back the last run (from its journal), after a
  // question, then shows its folder as it now is.
  void KUndo1Click();
  // Before the first folder is shown, and before a run when a journal
  // waits: a run or undo cut off last time is rolled back once the user
  // agrees, and the user is told. False when another Korvath is renaming.
  bool RecoverInterruptedRename();

  // ---- Settings (SetupSettings.cpp) ----
  void ComputeSettingsPath();
  void ReadWindowPosition();
  // Decides the first folder: the command line's, when it names one; else
  // slot 0 of DirHistory when that folder exists and can be entered; else
  // the process's current folder.
  void ReadFolderHistory();
  void ReadPrefixSuffixHistories();
  void BuildStartupFilterList();
  void RecordCurrentFolder();
  void ComboBox1Exit();
  void ComboBox2Exit();
  void KFile1Click();
  void N11Click(int item);  // item 1 to 6
  void Option1Click();

  // ---- Order of the files (SetupOrder.cpp) ----
  void ReadSortOrder();  // Option/Order, before the first folder is read
  void KSortClick(FileOrder order);  // View > Sort > Name, Natural, Date, Shooting date
  void ShowSortOrderChecks();
  // The file list's names in their new order, the checked files still
  // checked and the highlighted one highlighted.
  void ResortCheckList();
  void FileListBox1DatesRead();
  // Panel 3 while the capture dates are read.
  void ShowDateProgress();
  // The order by hand: Alt+Up, Alt+Down or a drag in the check list.
  void CheckListBox1MoveLine(int from, int to);

  // ---- Folders and files handed in: command line, drops (SetupOpen.cpp) ----
  // Shows the folder of the first path (itself when it is a folder) and
  // returns the names of the paths that are files in that folder; the
  // other paths go to leftOut. Throws EInOutError when the folder cannot be
  // shown.
  std::vector<std::string> ShowFolderOfPaths(const std::vector<std::string>& paths,
                                             std::vector<std::string>& leftOut);
  // Checks the listed files of these names; the first one is highlighted.
  // Then tells in one box of the paths left out and the names not listed.
  void CheckNamedFiles(const std::vector<std::string>& names, std::vector<std::string> leftOut);
  // Start-up: ShowFolderOfPaths with StartPaths; false (after the error
  // report) when there are none or their folder cannot be shown.
  bool ShowStartPaths();
  void CheckStartFiles();  // once the file type list is in place
  void FormDropFiles(HDROP drop);

  // ---- System menu, Home key, About, Web, properties (SetupSystem.cpp) ----
  void InstallSystemMenu();
  void SetIcons();  // SetupLayout.cpp
  // Greys (or gives back) the system menu's entries that open a window,
  // while a run or an undo lasts.
  void LockSystemMenu(bool locked);
  bool WMSysCommand(WPARAM command);  // true: handled, not passed on
  void FormKeyDown(WPARAM key);
  void KAbout1Click();
  void Web1Click();
  void KPropertyClick();
  void PopupMenu1Popup();

  struct MenuState;
  // Held by a rename run for its length. The run's message boxes run their
  // own loops, where a close can arrive; the window must outlive the run, so
  // such a close is carried out once the run has ended.
  class RunInProgress {
   public:
    explicit RunInProgress(TSetupForm1& form);
    RunInProgress(const RunInProgress&) = delete;
    RunInProgress& operator=(const RunInProgress&) = delete;
    ~RunInProgress();

   private:
    TSetupForm1& form_;
    bool outer_;
  };
  static LRESULT CALLBACK KeyPreviewHook(int code, WPARAM wparam, LPARAM lparam);

  void CreateControls();
  // The fonts, the controls' places and their drawing at the window's
  // density dpi_; place false keeps the controls where they stand.
  void CreateFonts();
  void ScaleControls(bool place);
  void PlaceControls();
  void FormDpiChanged(Dpi dpi, const RECT& suggested);
  SIZE MinTrackSize() const;
  void GiveAccessibleNames();  // for screen readers (SetupKeyboard.cpp)
  void CreateMenus();
  void RebuildMenu(int menuIndex);
  HWND ControlByName(const char* name) const;
  // Offers a message about a child to the child objects, in creation order.
  bool OfferToChildren(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result);
  void OnCommand(WPARAM wparam, LPARAM lparam);
  void OnMenuCommand(UINT command);
  void OnInitMenuPopup(HMENU menu);
  void OnContextMenu(HWND window, LPARAM lparam);
  void ResetPreviewGrid();
  void ShowPreview();
  // The preview's thread has the whole list: marks and count shown.
  void PreviewReady();
  // A frame has passed and the whole list is still being worked out.
  void PreviewSlow();
  void ClearFileInformation();
  unsigned long refilledReading_ = 0;  // the file list's reading the check list holds
  bool handOrder_ = false;  // lines moved by hand since the last reading

  const ProgramWindows& windows_;
  std::unique_ptr<RenameSession> session_;
  std::unique_ptr<PreviewRows> preview_;
  std::unique_ptr<FileSystem> fileSystem_;
  UndoAvailability undoAvailability_;
  // The preview's names and marks for the whole list, with the names held
  // in the shown folder (forgotten at every reading of the folder).
  std::unique_ptr<PreviewWork> previewWork_;
  std::unique_ptr<MenuState> menus_;
  std::vector<TControl*> children_;  // the control objects above, as made
  std::array<std::string, 5> statusTexts_;
  std::array<bool, 5> statusWritten_{};
  OwnedFont font_;        // 12 px, the window's font
  OwnedFont sampleFont_;  // 13 px, the sample display
  OwnedFont smallFont_;   // 11 px, the step buttons
  int timePanelWidth_ = 0;  // the status bar's time panel, as its widest text needs
  Dpi dpi_;               // the density the window is laid out at
  WindowIcons icons_;     // the window's, at dpi_
  WindowIcons appIcons_;  // the taskbar button's (the application window), likewise
  HWND lastFocus_ = nullptr;    // given back the focus when the window is activated
  HHOOK keyPreview_ = nullptr;  // sees every key press before the focused control
  bool controlsCreated_ = false;
  RunDriver* run_ = nullptr;  // while the Execute button's run lasts
  bool runInProgress_ = false;
  bool closeAfterRun_ = false;
  bool blockingShutdown_ = false;  // a log-off told to wait for the run
  bool savedAtClose_ = false;  // one ending may arrive by several routes
  std::vector<std::string> startChecks_;  // files named on the command line
  std::vector<std::string> startLeftOut_;  // and the paths it names that are not among them
};

}  // namespace korvath
