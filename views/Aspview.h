#pragma once
// The common base of the plan, elevation and detail views: a derived view fills the entity list
// (inches, y up) and sets the screen colour map; this base maps the drawing onto the screen and
// the printer, draws it through the GDI translator, and routes the keyboard between the view and
// its frame's dialog bar.
#include "geometry/2drect.h"
#include "geometry/Entity.h"
#include "document/Docviews.h"
#include "ui/docview/View.h"
#include "views/Viewids.h"

class CMapECatToXLTGDIData;
class CVRX2DPoint;
class CVRX2DVector;

// The popup of the context menus that the drawing views show.
constexpr int kViewsContextPopup = 2;

class CAspectView : public CView, public CTypedValuesHolder
{
  DECLARE_DYNAMIC(CAspectView)
  DECLARE_MESSAGE_MAP()
public:
  // How far a clipboard copy got before it failed.
  enum EState
  {
    stateNothing = 0,
    stateOpened = 1,
    stateEmptied = 2
  };

  ~CAspectView() override;

  virtual BOOL CanOutput();
  // Every entity's extents, arcs counting as their whole ellipse.
  virtual CVRX2DRectangle GetExtents();
  virtual CVRX2DRectangle GetEntityExtents();
  virtual CSize GetBorderAllowance(CDC* pDC);
  virtual void UpdateBarData(BOOL bSave);
  // The bar keeps no typed value of its own by default.
  BOOL TakeTypedValues() override { return TRUE; }
  // Every typed value of the view's project (this bar's among them) before an output; FALSE when
  // one was refused.
  BOOL TakeProjectsTypedValues();
  // Print, Print View and Print Preview are enabled when this holds; by default when the view
  // can output at all.
  virtual BOOL CanPrint();

  CSize VRXToPage(const CVRX2DVector& v) const;
  CPoint VRXToPage(const CVRX2DPoint& p) const;
  void CalcPageUnitsPerInch(CDC* pDC, const CVRX2DRectangle& extents);
  void PrepareFitDC(CDC* pDC, CPrintInfo* pInfo);
  void PrepareScaledPrinterDC(CDC* pDC, CPrintInfo* pInfo);
  void DrawEntities(CDC* pDC, const CVRX2DEntityArray& entities);
  // Duplicates of the entities that reach the printer, the clipboard and DXF files.
  void CopyOutputEntities(CVRX2DEntityArray& output) const;
  // Puts the drawing on the open and emptied clipboard as a picture; FALSE when it is not there.
  BOOL AddMetaFileToClipboard();
  // The copied picture's frame in page units: the drawing and a blank margin round it.
  CSize PictureFrameSize(const CVRX2DVector& span) const;
  // Shows the print dialog (for a print preview too); FALSE when the user cancels.
  BOOL DoPreparePrinting(CPrintInfo* pInfo);

  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
  void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
  void OnDraw(CDC* pDC) override;
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
  void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
  void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

  int GetPageUnitsPerInch() const { return m_nPageUnitsPerInch; }
  const CVRX2DEntityArray& GetEntities() const { return m_Entities; }
  int GetPrintScaleList() const { return m_nPrintScaleList; }
  int GetPrintScaleNumerator() const { return m_nPrintScaleNumerator; }
  int GetPrintScaleDenominator() const { return m_nPrintScaleDenominator; }
  void SetPrintScale(int numerator, int denominator);

protected:
  CAspectView();

  int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
  void OnPaint() override;
  void OnRButtonUp(UINT nFlags, CPoint point) override;
  void OnRefresh();
  void OnSwitchPane();
  void OnUpdateSwitchPane(CCmdUI* pCmdUI);
  void OnBarOK();
  void OnBarCancel();
  void OnUpdateInsertViewIntoCAD(CCmdUI* pCmdUI);
  void OnUpdateOutputCommand(CCmdUI* pCmdUI);
  void OnUpdatePrintCommand(CCmdUI* pCmdUI);
  // The output commands; a failure is reported to the user and ends the command.
  void OnPrintView();
  void OnPrintPreview();
  void OnPrintScale();
  void OnCopyView();
  void OnExportDXF();
  void ReportOutputFailure(const CString& text);
  // Replaces the screen colour map, deleting the old one.
  void SetScreenCategoryMap(CMapECatToXLTGDIData* pMap);
  // The print-scale list for the measurement units: metric 3, else 1 (the detail view: 2 and 0).
  virtual void SetPrintScaleListFromUnits();
  CWnd* GetDialogBarWnd() const;

  int m_nPageUnitsPerInch = 64;
  CVRX2DEntityArray m_Entities;
  int m_nPrintScaleList = 1;
  int m_nPrintScaleNumerator = -1;
  int m_nPrintScaleDenominator = -1;
  CMapECatToXLTGDIData* m_pScreenCategoryMap = nullptr;
  int m_nBarExchangeGuard = 0;
};
