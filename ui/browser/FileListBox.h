#pragma once
// FileListBox1: the hidden file list. It reads its folder under a mask of
// ";"-separated patterns, one directory search per pattern, and keeps the
// bare names in the user locale's case-insensitive order. It is never shown:
// the names live in a vector, and the main window copies them into the check
// list.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "CaptureDates.h"
#include "Control.h"
#include "FileOrder.h"

namespace korvath {

struct FolderEntry;

class TFileListBox : public TControl {
 public:
  TFileListBox() = default;
  ~TFileListBox() override;

  // Creates the (hidden) window, takes the working folder as its
  // folder and reads it under the mask (initially "*.*"); listing, when
  // given, is that folder's "*.*" search already made.
  void Create(HWND parent, int id, int left, int top, int width, int height, HFONT font,
              const std::vector<FolderEntry>* listing = nullptr);
  void SetBounds(int left, int top, int width, int height);
  // Raised after every reading (ListFolderFiles). The main window needs not
  // hook it: the folder list's and the file type selector's events follow.
  std::function<void()> OnChange;

  // Edit1: receives the mask after every reading, all of it selected.
  void SetFileEdit(HWND edit) { fileEdit_ = edit; }
  const std::string& EditText() const { return editText_; }

  // Re-reads the folder under the mask, making the folder current first.
  // Throws EInOutError when the folder cannot be entered; the old names stay.
  void ListFolderFiles();

  // Stores the mask and re-reads, only when it differs (case-sensitively).
  void SetFileMask(const std::string& mask);
  const std::string& Mask() const { return mask_; }

  // Takes a folder (the folder list's notification): nothing when it is the
  // current one's very text; otherwise the folder is entered (from
  // the old one, relative parts taken from there), the process's current
  // folder becomes the file list's folder and the names are re-read. listing,
  // when given, is the folder's "*.*" search just made by the folder list; a
  // "*.*" pattern of the mask then reuses it instead of searching again.
  void SetDirectory(const std::string& folder, const std::vector<FolderEntry>* listing = nullptr);
  const std::string& Directory() const { return directory_; }

  // The order of the names: re-sorts the names held, without reading the
  // folder again; every later reading follows it.
  void SetOrder(FileOrder order);
  FileOrder Order() const { return order_; }
  // The names in the order again, after they were moved by hand.
  void Resort();

  // The shooting-date order reads the photos' and videos' dates on a
  // thread of their own; until they are in, those files stand by their
  // last-write time. A new reading or order drops a reading under way.
  bool ReadingDates() const { return job_ != nullptr; }
  std::size_t DatesDone() const { return job_ ? job_->Done() : 0; }
  std::size_t DatesTotal() const { return job_ ? job_->Total() : 0; }
  std::function<void()> OnDatesProgress;
  // The dates are in and the names re-sorted by them: a new reading.
  std::function<void()> OnDatesRead;
  // The capture date that placed name (FILETIME ticks, UTC); none when its
  // last-write time did, or in another order.
  std::optional<std::uint64_t> CaptureDateOf(const std::string& name) const;

  // The order by hand: the name at from goes to to, the others close up.
  // The reading stays: the check list has moved its line alike. Dates still
  // being read are dropped: the hand order stands over the dates.
  void MoveItem(std::size_t from, std::size_t to);

  const std::vector<std::string>& Items() const { return names_; }
  // Counts the readings (from 1): equal numbers, equal names.
  unsigned long Reading() const { return reading_; }
  int Count() const { return static_cast<int>(names_.size()); }
  // The focus mark (0 after a reading with names, -1 without).
  int ItemIndex() const { return itemIndex_; }
  // Folder + "\" + current item's name when that item is selected, else "".
  // The main window never selects an item, so in practice it is "".

 private:
  struct Listed {
    std::uint64_t LastWrite;
    std::uint64_t Size;
  };

  void ReadNames(const std::vector<FolderEntry>* listing);
  void Changed();
  // names_ in order_, the capture dates known taken from the cache; the
  // rest are handed to a new job.
  void Sort();
  void DatesPosted(WPARAM number, LPARAM finished);
  static LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR id, DWORD_PTR self);

  HWND fileEdit_ = nullptr;
  bool created_ = false;
  std::string directory_;
  std::string mask_ = "*.*";
  std::string editText_ = "*.*";
  std::vector<std::string> names_;
  std::vector<Listed> details_;  // alongside names_
  std::unordered_map<std::string, std::uint64_t> captured_;
  CaptureDateCache cache_;
  std::unique_ptr<CaptureDateJob> job_;
  unsigned jobNumber_ = 0;
  FileOrder order_ = FileOrder::Name;
  int itemIndex_ = -1;
  unsigned long reading_ = 0;
};

}  // namespace korvath
