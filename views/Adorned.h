#pragma once
// The MDI child frame on which the drawing and report frames stand: a dialog bar docked at the
// bottom, a caption made of the project, the frame's name and the edited design, and a floating
// bar that steps aside while the frame is inactive.
#include "ui/frame/CtrlBar.h"
#include "ui/frame/MdiFrame.h"
#include "views/Viewids.h"

class CDlgAdornedFrame : public CMDIChildWnd
{
  DECLARE_DYNAMIC(CDlgAdornedFrame)
  DECLARE_MESSAGE_MAP()
public:
  CDlgAdornedFrame(const CString& frameName, UINT nDialogBarID);
  ~CDlgAdornedFrame() override;

  CDialogBar* GetDialogBar() { return &m_wndDialogBar; }
  const CString& GetFrameName() const { return m_strFrameName; }
  // Runs once the frame and its dialog bar exist; the aspect frames place themselves here.
  virtual void SetInitialPosition() {}

  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  // The caption for a project title, the frame's name and the edited design's name (empty
  // when no design is edited).
  static CString ComposeCaption(const CString& projectTitle, const CString& frameName, const CString& designName,
                                BOOL bHasEditedDesign);

protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
  void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) override;
  void OnToggleDialogBar();
  void OnUpdateToggleDialogBar(CCmdUI* pCmdUI);
  // The frame width whose client holds the dialog bar's template whole, in the pixels of the
  // frame's own font; 0 without a template.
  int WidthForBar();

  CDialogBar m_wndDialogBar;
  // Set by a subclass before creation; the bar's window text.
  CString m_strDialogBarTitle;
  BOOL m_bBarHiddenOnDeactivation = FALSE;

private:
  CString m_strFrameName;
  UINT m_nDialogBarID;
};
