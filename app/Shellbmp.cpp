#include "app/Shellids.h"
#include "app/Shellres.h"
#include "platform/ui/draw/Dc.h"
#include "platform/ui/wnd/Resource.h"

namespace
{
constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 15;
constexpr int kButtonCount = 17;
constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kAccent = RGB(0, 0, 128);
constexpr COLORREF kYellow = RGB(255, 255, 0);

void Page(CDC* dc, int x, int y, int cx, int cy)
{
  dc->FillSolidRect(x, y, cx, cy, kPaper);
  CPen pen(PS_SOLID, 0, kInk);
  CPen* old = dc->SelectObject(&pen);
  dc->MoveTo(x, y);
  dc->LineTo(x + cx - 1, y);
  dc->LineTo(x + cx - 1, y + cy - 1);
  dc->LineTo(x, y + cy - 1);
  dc->LineTo(x, y);
  dc->SelectObject(old);
}

void Letter(CDC* dc, int x, const char* text, COLORREF color)
{
  CFont font;
  font.CreateFont(12, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, 0, 0, 0, 0, FF_SWISS, "Arial");
  CFont* old = dc->SelectObject(&font);
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(color);
  dc->SetTextAlign(TA_CENTER | TA_TOP);
  dc->TextOut(x + kButtonWidth / 2, 1, text);
  dc->SelectObject(old);
}

void Lines(CDC* dc, int x, COLORREF color, bool dotted)
{
  CPen pen(dotted ? PS_DOT : PS_SOLID, 0, color);
  CPen* old = dc->SelectObject(&pen);
  for (int i = 0; i < 3; ++i) {
    dc->MoveTo(x + 2, 3 + 4 * i);
    dc->LineTo(x + 14, 3 + 4 * i);
  }
  dc->SelectObject(old);
}

// One glyph per button, in the order of the toolbar's buttons without its separators.
void DrawButtons(CDC* dc)
{
  dc->FillSolidRect(0, 0, kButtonWidth * kButtonCount, kButtonHeight, kFace);
  int x = 0;
  Page(dc, x + 3, 1, 10, 13);                                   // New
  x += kButtonWidth;
  dc->FillSolidRect(x + 1, 4, 14, 9, kYellow);                  // Open
  Page(dc, x + 1, 4, 14, 9);
  x += kButtonWidth;
  dc->FillSolidRect(x + 2, 2, 12, 12, kAccent);                 // Save
  dc->FillSolidRect(x + 4, 3, 8, 5, kPaper);
  x += kButtonWidth;
  Letter(dc, x, "X", kInk);                                     // Cut
  x += kButtonWidth;
  Page(dc, x + 1, 1, 9, 10);                                    // Copy
  Page(dc, x + 6, 4, 9, 10);
  x += kButtonWidth;
  dc->FillSolidRect(x + 2, 2, 11, 12, RGB(128, 64, 0));         // Paste
  Page(dc, x + 6, 5, 8, 9);
  x += kButtonWidth;
  const char* views[] = {"W", "P", "E", "D"};
  for (const char* view : views) {
    Letter(dc, x, view, kAccent);
    x += kButtonWidth;
  }
  Lines(dc, x, RGB(0, 128, 0), true);                           // alignment lines
  x += kButtonWidth;
  Lines(dc, x, RGB(0, 128, 0), false);                          // snap to alignment lines
  x += kButtonWidth;
  Letter(dc, x, "J", RGB(128, 0, 0));                           // joining markers
  x += kButtonWidth;
  Letter(dc, x, "S", RGB(128, 0, 0));                           // snap highlights
  x += kButtonWidth;
  dc->FillSolidRect(x + 2, 7, 12, 6, RGB(96, 96, 96));          // Print
  Page(dc, x + 4, 2, 8, 6);
  x += kButtonWidth;
  Letter(dc, x, "?", kAccent);                                  // Help
}
}  // namespace

void RegisterShellBitmaps()
{
  CBitmapTemplate bitmap;
  bitmap.width = kButtonWidth * kButtonCount;
  bitmap.height = kButtonHeight;
  bitmap.draw = DrawButtons;
  CResources::Get().AddBitmap(IDB_MAINFRAME_TOOLBAR, std::move(bitmap));
}
