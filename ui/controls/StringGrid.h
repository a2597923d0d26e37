#pragma once
// The preview grid: two columns of text, no fixed rows or columns, a line
// between cells, whole-row selection, nothing editable. It is an owner-drawn
// list box without data of its own that asks for the texts of the rows on
// screen only, so rebuilding a preview of any length costs one redraw.

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string_view>

#include "Control.h"
#include "Dpi.h"

namespace korvath {

class TStringGrid : public TControl {
 public:
  static constexpr int kRowHeight = 14;  // text rows; one line below each
  static constexpr int kLineWidth = 1;

  using CellSource = std::function<std::string_view(int column, std::size_t row)>;

  TStringGrid() = default;

  void Create(HWND parent, int id, int left, int top, int width, int height, HFONT font);

  // Rows and where their texts come from. The source is asked while drawing.
  void SetRows(std::size_t rowCount, CellSource source);
  std::size_t RowCount() const { return rowCount_; }
  std::string_view Cell(int column, std::size_t row) const;
  // Rows whose second cell is drawn in the warning colour (its text carries
  // a mark of its own, for those who cannot tell the colour).
  void SetRowMarks(std::function<bool(std::size_t row)> marked) { marked_ = std::move(marked); }
  static constexpr COLORREF kMarkColor = RGB(204, 0, 0);

  void SetColumnWidths(int column0, int column1);
  int ColumnWidth(int column) const { return column == 0 ? column0_ : column1_; }
  int SelectedRow() const;
  // The pixel density (and the font at it) the rows are drawn at (96 until set).
  void SetDpi(Dpi dpi, HFONT font);

  bool HandleParentMessage(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

 private:
  void Draw(const DRAWITEMSTRUCT& item) const;
  // A row's height with the line below it: the design's, or the font's
  // when its letters reach lower (the English face's descenders).
  int RowHeight() const;

  HFONT font_ = nullptr;
  std::size_t rowCount_ = 0;
  CellSource source_;
  std::function<bool(std::size_t)> marked_;
  int column0_ = 64, column1_ = 64;
  Dpi dpi_;
};

}  // namespace korvath
