#include "app/Appres.h"

#include "app/About.h"
#include "app/Dlgids.h"
#include "app/Shellids.h"
#include "app/Splash.h"
#include "ui/draw/Dc.h"
#include "ui/wnd/Resource.h"

namespace {

// The document strings of the templates (window title, document name, new-document name, filter,
// extension, file-type id and name); the Workbench's and the Detail View's differ in one field.
constexpr const char* kProjectDocString =
    "\nProj\nProject\nProject Files (*.tpf)\n.TPF\nTX.Document\nPanecraft by Tarvex Project File\nTXPC\nProject Files";
constexpr const char* kWorkbenchDocString =
    "\nProj\nProject\nProject Files (*.tpf)\n.TPF\nTX.Document\nPanecraft by Tarvex Project File\nTXTX\nProject Files";
constexpr const char* kDetailDocString =
    "\nProj\nProject\nProject Files (*.tpf)\n.TPF\nTQ.Document\nPanecraft by Tarvex Project File\nTXPC\nProject Files";

// The product's name on a plain background, with a frame and the maker's name beneath.
void DrawProductPicture(CDC* pDC, int width, int height, int nameHeight)
{
  CRect all(0, 0, width, height);
  pDC->FillSolidRect(&all, RGB(236, 240, 246));
  CRect band(0, height * 2 / 3, width, height);
  pDC->FillSolidRect(&band, RGB(38, 70, 120));
  CFont name;
  name.CreateFont(-nameHeight, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  CFont* old = pDC->SelectObject(&name);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(RGB(38, 70, 120));
  CRect nameRect(0, 0, width, height * 2 / 3);
  pDC->DrawText("Panecraft", &nameRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  CFont maker;
  maker.CreateFont(-(nameHeight / 3 + 4), 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  pDC->SelectObject(&maker);
  pDC->SetTextColor(RGB(255, 255, 255));
  pDC->DrawText("Tarvex Windows", &band, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  pDC->SelectObject(old);
}

CDialogTemplate AboutDialog()
{
  CDialogTemplate dialog;
  dialog.caption = "About Panecraft";
  dialog.size = CSize(290, 158);
  dialog.items = {
      DialogItem(CDlgCtl::Static, IDC_ABOUT_VERSION, "", 100, 10, 180, 10),
      DialogItem(CDlgCtl::Static, 0, "Copyright Tarvex Windows. All rights reserved.", 100, 24, 180, 10),
      DialogItem(CDlgCtl::GroupBox, 0, "Product Database Versions", 100, 40, 180, 50),
      DialogItem(CDlgCtl::Static, 0, "Specification:", 108, 52, 64, 10),
      DialogItem(CDlgCtl::Static, IDC_ABOUT_SPEC_VERSION, "", 176, 52, 100, 10),
      DialogItem(CDlgCtl::Static, 0, "Product Data:", 108, 64, 64, 10),
      DialogItem(CDlgCtl::Static, IDC_ABOUT_DATA_VERSION, "", 176, 64, 100, 10),
      DialogItem(CDlgCtl::Static, 0, "Date Populated:", 108, 76, 64, 10),
      DialogItem(CDlgCtl::Static, IDC_ABOUT_DATE_POPULATED, "", 176, 76, 100, 10),
      DialogItem(CDlgCtl::GroupBox, 0, "Important Notice!!", 100, 96, 180, 32),
      DialogItem(CDlgCtl::PushButton, IDC_IMPORTANT_NOTICE, "Click here to read.", 130, 108, 120, 14),
      DialogItem(CDlgCtl::DefPushButton, IDOK, "OK", 230, 136, 50, 14),
  };
  return dialog;
}

CDialogTemplate CreditsDialog()
{
  CDialogTemplate dialog;
  dialog.caption = "Credits";
  dialog.size = CSize(220, 150);
  dialog.items = {
      DialogItem(CDlgCtl::GroupBox, 0, "Program Design and Development", 8, 6, 204, 36),
      DialogItem(CDlgCtl::Static, 0, "Tarvex Windows Software Group\nDesign Tools Department", 16, 18, 188, 20),
      DialogItem(CDlgCtl::GroupBox, 0, "Graphics Design and Production", 8, 46, 204, 36),
      DialogItem(CDlgCtl::Static, 0, "Tarvex Windows Marketing Studio\nProduct Illustration", 16, 58, 188, 20),
      DialogItem(CDlgCtl::GroupBox, 0, "Production", 8, 86, 204, 36),
      DialogItem(CDlgCtl::Static, 0, "A Tarvex Windows production\nfor its dealers and designers", 16, 98, 188, 20),
      DialogItem(CDlgCtl::DefPushButton, IDOK, "OK", 162, 128, 50, 14),
  };
  return dialog;
}

}  // namespace

void RegisterAppResources()
{
  CResources& res = CResources::Get();
  res.AddString(kAppTitleString, "Panecraft");
  res.AddString(kMainFrameString, "Panecraft");
  res.AddString(kMakerNameString, "Tarvex Windows");
  res.AddString(kProductNameString, "Panecraft");
  for (UINT id : {IDR_WAREHOUSE, IDR_PLAN_VIEW, IDR_ELEVATION_VIEW, IDR_REPORT_VIEW})
    res.AddString(id, kProjectDocString);
  res.AddString(IDR_WORKBENCH, kWorkbenchDocString);
  res.AddString(IDR_DETAIL_VIEW, kDetailDocString);
  res.AddBitmap(CSplashWnd::kPictureId, {400, 240, [](CDC* pDC) { DrawProductPicture(pDC, 400, 240, 56); }});
  res.AddBitmap(CAboutDlg::kPictureId, {125, 125, [](CDC* pDC) { DrawProductPicture(pDC, 125, 125, 20); }});
  res.AddDialog(CAboutDlg::IDD, AboutDialog());
  res.AddDialog(CCreditsDlg::IDD, CreditsDialog());
}
