// The small multiple-document program that the frame and document tests drive.
#include "TestFrames.h"

#include "ui/draw/Dc.h"
#include "ui/wnd/Resource.h"

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
IMPLEMENT_DYNCREATE(CTestView, CView)
IMPLEMENT_DYNCREATE(CTestChild, CMDIChildWnd)
IMPLEMENT_DYNCREATE(CTestMain, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CTestView, CView)
  ON_COMMAND(ID_SHARED, OnShared)
  ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
  ON_UPDATE_COMMAND_UI(ID_DISABLED, OnUpdateDisabled)
  ON_UPDATE_COMMAND_UI(ID_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CTestChild, CMDIChildWnd)
  ON_COMMAND(ID_CHILDONLY, OnChildOnly)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CTestMain, CMDIFrameWnd)
  ON_COMMAND(ID_SHARED, OnShared)
  ON_COMMAND(ID_MAINONLY, OnMainOnly)
END_MESSAGE_MAP()

std::vector<std::string>& CommandLog()
{
  static std::vector<std::string> log;
  return log;
}

void CTestView::OnDraw(CDC* pDC)
{
  ++draws;
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, RGB(0, 128, 0));
}

void CTestView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
  hints.emplace_back(lHint, pHint);
  CView::OnUpdate(pSender, lHint, pHint);
}

int CTestMain::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
  if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
    return -1;
  static const UINT buttons[] = {ID_SHARED, ID_SEPARATOR, ID_DISABLED, ID_CHECKED};
  if (!toolBar.CreateEx(this, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY) ||
      !toolBar.LoadBitmap(IDR_TESTMAIN) || !toolBar.SetButtons(buttons, 4))
    return -1;
  static const UINT indicators[] = {ID_SEPARATOR, 0};
  if (!statusBar.Create(this) || !statusBar.SetIndicators(indicators, 2))
    return -1;
  return 0;
}

void FrameTest::SetUp()
{
  UiTest::SetUp();
  CommandLog().clear();
  CResources& r = CResources::Get();
  r.AddString(IDR_TESTMAIN, "Test App");
  r.AddString(IDR_TESTDOC, "\nProj\nProject\nProject Files (*.tpf)\n.TPF\nTX.Document\nTest Project");
  r.AddString(ID_SHARED, "Shared command\nShared tip");
  r.AddMenu(IDR_TESTMAIN, CMenuTemplate{{{"&File", {{"&New\tCtrl+N", ID_FILE_NEW}, {}, {"E&xit", ID_APP_EXIT}}}}});
  r.AddMenu(IDR_TESTDOC, CMenuTemplate{{{"&File", {{"&Close", ID_FILE_CLOSE}}},
                                        {"&Edit",
                                         {{"&Shared", ID_SHARED},
                                          {"&Disabled", ID_DISABLED},
                                          {},
                                          {"&No Handler", ID_NOHANDLER},
                                          {"&Checked", ID_CHECKED},
                                          {"Main &Only\tCtrl+M", ID_MAINONLY}}}}});
  r.AddAccelerators(IDR_TESTMAIN, {{'M', FCONTROL, ID_MAINONLY}});
  r.AddBitmap(IDR_TESTMAIN,
              CBitmapTemplate{48, 15, [](CDC* pDC) { pDC->FillSolidRect(0, 0, 48, 15, RGB(200, 0, 0)); }});
  docTemplate =
      new CMultiDocTemplate(IDR_TESTDOC, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestChild), RUNTIME_CLASS(CTestView));
  TestApp().AddDocTemplate(docTemplate);
  main = new CTestMain;
  ASSERT_TRUE(main->LoadFrame(IDR_TESTMAIN));
  TestApp().m_pMainWnd = main;
  main->ShowWindow(SW_SHOW);
  Pump();
}

void FrameTest::TearDown()
{
  if (TestApp().m_pDocManager)
    TestApp().m_pDocManager->CloseAllDocuments(TRUE);
  // Not as the main window: its end would make the application quit for the later tests.
  if (TestApp().m_pMainWnd) {
    TestApp().m_pMainWnd = nullptr;
    main->DestroyWindow();
  }
  delete TestApp().m_pDocManager;
  TestApp().m_pDocManager = nullptr;
  UiTest::TearDown();
}

CTestDoc* FrameTest::NewDocument()
{
  TestApp().OnFileNew();
  Pump();
  POSITION pos = docTemplate->GetFirstDocPosition();
  CDocument* last = nullptr;
  while (pos)
    last = docTemplate->GetNextDoc(pos);
  return dynamic_cast<CTestDoc*>(last);
}

CTestChild* FrameTest::ChildOf(CDocument* doc)
{
  POSITION pos = doc->GetFirstViewPosition();
  return pos ? dynamic_cast<CTestChild*>(doc->GetNextView(pos)->GetParentFrame()) : nullptr;
}
