#pragma once
// A small multiple-document program for the frame, command and document/view tests: a main
// frame, one document template with its child frame and view, and the resources they use.
#include <string>
#include <vector>

#include "TestApp.h"
#include "ui/frame/CtrlBar.h"
#include "ui/docview/Doc.h"
#include "ui/docview/DocTempl.h"
#include "ui/frame/MdiFrame.h"
#include "ui/docview/View.h"

enum : UINT
{
  IDR_TESTMAIN = 7100,
  IDR_TESTDOC = 7200,
  ID_SHARED = 7301,
  ID_MAINONLY = 7302,
  ID_CHILDONLY = 7303,
  ID_DISABLED = 7304,
  ID_NOHANDLER = 7305,
  ID_CHECKED = 7306,
  ID_APPCMD = 7307
};

// Who handled which command, in order.
std::vector<std::string>& CommandLog();

class CTestDoc : public CDocument
{
  DECLARE_DYNCREATE(CTestDoc)
};

class CTestView : public CView
{
  DECLARE_DYNCREATE(CTestView)
  DECLARE_MESSAGE_MAP()
public:
  void OnDraw(CDC* pDC) override;
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
  std::vector<std::pair<LPARAM, CObject*>> hints;
  int draws = 0;

protected:
  void OnShared() { CommandLog().push_back("view"); }
  void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
};

class CTestChild : public CMDIChildWnd
{
  DECLARE_DYNCREATE(CTestChild)
  DECLARE_MESSAGE_MAP()
public:
  std::vector<BOOL> activations;

protected:
  void OnChildOnly() { CommandLog().push_back("child"); }
  void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) override
  {
    activations.push_back(bActivate);
    CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
  }
};

class CTestMain : public CMDIFrameWnd
{
  DECLARE_DYNCREATE(CTestMain)
  DECLARE_MESSAGE_MAP()
public:
  CToolBar toolBar;
  CStatusBar statusBar;

protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
  void OnShared() { CommandLog().push_back("main"); }
  void OnMainOnly() { CommandLog().push_back("mainonly"); }
};

// Registers the resources, makes the main frame and the template; tears them down again.
class FrameTest : public UiTest
{
protected:
  void SetUp() override;
  void TearDown() override;
  CTestDoc* NewDocument();
  CTestChild* ChildOf(CDocument* doc);

  CTestMain* main = nullptr;
  CMultiDocTemplate* docTemplate = nullptr;
};
