#include <vector>

#include "platform/ui/draw/Dc.h"
#include "platform/ui/draw/Gdi.h"
#include "platform/ui/wnd/Resource.h"
#include "workbench/Guideprp.h"
#include "workbench/Itempos.h"
#include "workbench/Joinprop.h"
#include "workbench/Tracker.h"
#include "workbench/Wbclip.h"
#include "workbench/Wbframe.h"
#include "workbench/Wbtools.h"
#include "workbench/Wbview.h"
#include "workbench/Wbprops.h"

namespace {
constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 15;
// One image per button of the toolbar, separators left out.
const char* const kButtonLetters[] = {"S", "|", "-", "/", "G", "U", "+", "-", "Z", "F", "L"};
constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kInk = RGB(0, 0, 128);

void DrawButtons(CDC* pDC)
{
  const int count = static_cast<int>(std::size(kButtonLetters));
  pDC->FillSolidRect(0, 0, kButtonWidth * count, kButtonHeight, kFace);
  CFont font;
  font.CreateFont(12, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, 0, 0, 0, 0, FF_SWISS, "Arial");
  CFont* pOld = pDC->SelectObject(&font);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(kInk);
  pDC->SetTextAlign(TA_CENTER | TA_TOP);
  for (int i = 0; i < count; ++i)
    pDC->TextOut(i * kButtonWidth + kButtonWidth / 2, 1, kButtonLetters[i]);
  pDC->SelectObject(pOld);
}

CDialogItemTemplate BarItem(CDlgCtl kind, UINT id, const char* text, int x, int cx)
{
  CDialogItemTemplate item;
  item.kind = kind;
  item.id = id;
  item.text = text;
  item.rect = CRect(x, 2, x + cx, 14);
  return item;
}
}  // namespace

void RegisterWorkbenchResources()
{
  std::vector<CDialogItemTemplate> items{BarItem(CDlgCtl::PushButton, IDC_WORKBENCH_CLOSE, "&Close", 5, 40),
                                         BarItem(CDlgCtl::Static, static_cast<UINT>(-1), "Quantity:", 52, 34),
                                         BarItem(CDlgCtl::Edit, IDC_WORKBENCH_QUANTITY, "1", 88, 30),
                                         BarItem(CDlgCtl::PushButton, IDC_STORE_DESIGN, "Store &Design", 125, 55)};
  CResources::Get().AddDialog(IDD_WORKBENCH_BAR, CDialogTemplate{"", CSize(220, 16), std::move(items)});
  CBitmapTemplate bitmap;
  bitmap.width = kButtonWidth * static_cast<int>(std::size(kButtonLetters));
  bitmap.height = kButtonHeight;
  bitmap.draw = DrawButtons;
  CResources::Get().AddBitmap(IDB_WORKBENCH_TOOLBAR, std::move(bitmap));
  RegisterTrackerCursors();
  RegisterGuidelineResources();
  RegisterItemPositionPage();
  RegisterSelectorCursors();
  RegisterJoinPropertiesResources();
  RegisterWorkbenchPropertiesResources();
  RegisterClipboardResources();
  RegisterViewCommandStrings();
}
