#include "BrowserGlyphs.h"

#include <array>
#include <map>
#include <memory>
#include <vector>

#include "Handles.h"

namespace korvath {
namespace {

constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr int kGlyphCount = 8;

// Draws one shape with a fill brush and an outline pen, both freed after.
template <class Shape>
void Filled(HDC dc, COLORREF fill, COLORREF line, Shape shape) {
  OwnedBrush brush(CreateSolidBrush(fill));
  OwnedPen pen(CreatePen(PS_SOLID, 1, line));
  SelectGuard b(dc, brush.Get());
  SelectGuard p(dc, pen.Get());
  shape();
}

// The shapes' corners are design pixels (a 16 x 14 cell at 96 dots per
// inch), each scaled to the density d; the outlines stay one pixel wide.
void FillBox(HDC dc, Dpi d, int left, int top, int right, int bottom, COLORREF fill,
             COLORREF line) {
  Filled(dc, fill, line,
         [&] { Rectangle(dc, d.Scale(left), d.Scale(top), d.Scale(right), d.Scale(bottom)); });
}

void FillShape(HDC dc, Dpi d, const POINT* points, int count, COLORREF fill, COLORREF line) {
  std::vector<POINT> scaled(points, points + count);
  for (POINT& point : scaled) point = {d.Scale(point.x), d.Scale(point.y)};
  Filled(dc, fill, line, [&] { Polygon(dc, scaled.data(), count); });
}

void FillDisc(HDC dc, Dpi d, int left, int top, int right, int bottom, COLORREF fill,
              COLORREF line) {
  Filled(dc, fill, line,
         [&] { Ellipse(dc, d.Scale(left), d.Scale(top), d.Scale(right), d.Scale(bottom)); });
}

constexpr COLORREF kOutline = RGB(64, 64, 64);
constexpr COLORREF kFolder = RGB(240, 200, 80);
constexpr COLORREF kFolderLight = RGB(255, 232, 150);

void DrawFolderBack(HDC dc, Dpi d) {
  FillBox(dc, d, 1, 2, 7, 5, kFolder, kOutline);    // tab
  FillBox(dc, d, 1, 4, 14, 13, kFolder, kOutline);  // body
}

void DrawGlyph(HDC dc, BrowserGlyph glyph, Dpi d) {
  switch (glyph) {
    case BrowserGlyph::Removable:
      FillBox(dc, d, 2, 1, 14, 13, RGB(40, 60, 140), kOutline);
      FillBox(dc, d, 5, 1, 11, 5, RGB(200, 200, 200), kOutline);
      FillBox(dc, d, 4, 8, 12, 13, RGB(250, 250, 250), kOutline);
      break;
    case BrowserGlyph::Fixed:
      FillBox(dc, d, 1, 5, 15, 12, RGB(190, 190, 190), kOutline);
      FillBox(dc, d, 11, 8, 13, 10, RGB(0, 200, 0), RGB(0, 120, 0));
      break;
    case BrowserGlyph::Network: {
      FillBox(dc, d, 1, 2, 15, 8, RGB(190, 190, 190), kOutline);
      FillBox(dc, d, 11, 4, 13, 6, RGB(0, 200, 0), RGB(0, 120, 0));
      FillBox(dc, d, 7, 8, 9, 11, kOutline, kOutline);
      FillBox(dc, d, 2, 11, 14, 13, RGB(0, 80, 160), kOutline);
      break;
    }
    case BrowserGlyph::CdRom:
      FillDisc(dc, d, 2, 0, 15, 13, RGB(220, 220, 235), kOutline);
      FillDisc(dc, d, 7, 5, 10, 8, RGB(255, 255, 255), kOutline);
      break;
    case BrowserGlyph::RamDisk:
      FillBox(dc, d, 1, 4, 15, 10, RGB(0, 120, 60), kOutline);
      for (int x = 2; x < 15; x += 3) FillBox(dc, d, x, 10, x + 2, 13, RGB(220, 180, 0), kOutline);
      break;
    case BrowserGlyph::FolderClosed:
      DrawFolderBack(dc, d);
      break;
    case BrowserGlyph::FolderOpen: {
      DrawFolderBack(dc, d);
      const POINT front[] = {{3, 7}, {15, 7}, {13, 12}, {1, 12}};
      FillShape(dc, d, front, 4, kFolderLight, kOutline);
      break;
    }
    case BrowserGlyph::FolderCurrent: {
      DrawFolderBack(dc, d);
      FillBox(dc, d, 4, 1, 12, 9, RGB(255, 255, 255), kOutline);  // a sheet in the folder
      const POINT front[] = {{3, 7}, {15, 7}, {13, 12}, {1, 12}};
      FillShape(dc, d, front, 4, kFolderLight, kOutline);
      break;
    }
  }
}

// The glyph bitmaps of one density, drawn once and released with the process.
class GlyphCache {
 public:
  explicit GlyphCache(Dpi d)
      : width_(d.Scale(kBrowserGlyphWidth)), height_(d.Scale(kBrowserGlyphHeight)) {
    {
      WindowDC screen;
      for (OwnedBitmap& bitmap : bitmaps_) {
        bitmap.Reset(CreateCompatibleBitmap(screen.Get(), width_, height_));
      }
    }
    OwnedMemoryDC memory(CreateCompatibleDC(nullptr));
    HDC dc = memory.Get();
    for (int i = 0; i < kGlyphCount; ++i) {
      SelectGuard bitmap(dc, bitmaps_[static_cast<std::size_t>(i)].Get());
      OwnedBrush background(CreateSolidBrush(kTransparent));
      RECT all{0, 0, width_, height_};
      FillRect(dc, &all, background.Get());
      DrawGlyph(dc, static_cast<BrowserGlyph>(i), d);
      // The bottom-left pixel decides the transparent colour.
      SetPixel(dc, 0, height_ - 1, kTransparent);
      transparent_[static_cast<std::size_t>(i)] = GetPixel(dc, 0, height_ - 1);
    }
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  GlyphCache(const GlyphCache&) = delete;
  GlyphCache& operator=(const GlyphCache&) = delete;
  HBITMAP Bitmap(BrowserGlyph glyph) const {
    return bitmaps_[static_cast<std::size_t>(glyph)].Get();
  }
  COLORREF Transparent(BrowserGlyph glyph) const {
    return transparent_[static_cast<std::size_t>(glyph)];
  }

 private:
  int width_, height_;
  std::array<OwnedBitmap, kGlyphCount> bitmaps_;
  std::array<COLORREF, kGlyphCount> transparent_{};
};

// One set per density met (the monitors' few), so a move between monitors
// draws from bitmaps made at the right size instead of stretching them.
const GlyphCache& Glyphs(Dpi d) {
  static std::map<int, std::unique_ptr<GlyphCache>> caches;
  std::unique_ptr<GlyphCache>& cache = caches[d.value];
  if (!cache) cache = std::make_unique<GlyphCache>(d);
  return *cache;
}

}  // namespace

void DrawBrowserGlyph(HDC dc, BrowserGlyph glyph, int left, int top, int bottom, Dpi dpi) {
  const GlyphCache& glyphs = Glyphs(dpi);
  OwnedMemoryDC source(CreateCompatibleDC(nullptr));
  SelectGuard bitmap(source.Get(), glyphs.Bitmap(glyph));
  const int y = top + (bottom - top - glyphs.Height()) / 2;
  // gdi32's own: msimg32's TransparentBlt would bring a DLL that is looked
  // for beside the program.
  GdiTransparentBlt(dc, left, y, glyphs.Width(), glyphs.Height(), source.Get(), 0, 0,
                    glyphs.Width(), glyphs.Height(), glyphs.Transparent(glyph));
}

}  // namespace korvath
