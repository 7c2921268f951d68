#pragma once
// A catalogue unit: its size is always one row of the standard-size table of its type and
// subtype. Beside the current row it keeps a proposed row, which a sizing drag moves and which
// equals the current row whenever no drag is under way, and the operating choice: an operation
// code that the catalogue lists for the current size (one letter per panel where a leaf reads it).
#include <memory>

#include "model/Unit.h"
#include "productdb/Stdsizes.h"

class COpersRecArray;
struct CConformPlane;

class CStandardUnit : public CUnit
{
  DECLARE_DYNAMIC(CStandardUnit)
public:
  // Starts at the unit's lowest size code with the first operating choice of that size.
  CStandardUnit(const CString& type, const CString& subtype);
  CStandardUnit(const CStandardUnit& source);
  CStandardUnit& operator=(const CStandardUnit& source)
  {
    return static_cast<CStandardUnit&>(operator=(static_cast<const CUnit&>(source)));
  }
  ~CStandardUnit() override;

  // Refuses a source that is not of this unit's class (or derived from it).
  CUnit& operator=(const CUnit& source) override;
  // The unit's fields, then the size code and the operating choice.
  CString GetAttributes() const override;
  void SetAttributes(CString& attributes) override;
  // The proposed size code and size: outside a drag the current one.
  CString GetSizeText(int lengthFormat) const override;
  int GetPanelCount() const override;
  double GetHeight() const override;
  double GetWidth() const override;
  // The elevation, then the operation marks and the grille bars when asked for.
  void GetElevationEntities(int lines, BOOL showOperation, BOOL showGrilles, CVRX2DEntityArray& out) const override;
  void GetReportData(CUnitInfoReportDataArray& records) const override;
  void GetReportData(CScheduleReportDataArray& rows) const override;
  CVRX2DVector SetSizeToProposed() override;
  void ResetProposedSize() override;
  // An exception row also needs the unit's operating choice and size code when it names them.
  BOOL IsChoiceCurrent(const COptExcptRec& row) const override;

  // Select the catalogue row of that height (width) at the current width (height).
  virtual void SetHeight(double height);
  virtual void SetWidth(double width);
  virtual void GetOperatingChoices(COpersRecArray& out) const;
  virtual void GetStandardSizes(CStdSizesRecArray& out) const;
  // Heights offered at the current width, ascending; widths offered at the current height.
  virtual void GetSizesForHeight(CArray<double, double>& out) const;
  virtual void GetSizesForWidth(CArray<double, double>& out) const;
  // The grille bars of the unit's grille choice, cut by its two-line elevation.
  virtual void GetGrilleEntities(int lines, CVRX2DEntityArray& out) const;
  // Marks of how the panels operate; none here.
  virtual void GetOperationEntities(int lines, CVRX2DEntityArray& out) const;
  // A leaf's component indices from the panel count; none here.
  virtual void UpdateComponentIndices();
  // Everything that follows a change of the current size.
  virtual void SizeChanged();
  virtual double GetProposedHeight() const;
  virtual double GetProposedWidth() const;

  CString GetOperatingChoice() const { return m_strOperatingChoice; }
  // The operation letter of a panel (0 the leftmost); a panel the code has no letter for gives
  // 0, which no leaf takes for a valid letter.
  char GetPanelOperation(int panel) const;
  CString GetSizeCode() const;
  // The n-th further value of the current row (1 to 4).
  double GetSizeValue(int n) const;
  void SetSizeCode(const CString& code);
  void SetOperatingChoice(const CString& code);
  void SetDefaultOperatingChoice();

  // The values of a grille's rows of one property code, ascending.
  static void ReadGrilleProperties(int grilleId, const CString& propertyCode, CArray<double, double>& values);
  // Ascending order of two doubles: -1, 0 or 1.
  static int CompareDoubles(double a, double b);

protected:
  // The height and width a corner drag asks for, measured from the opposite corner; FALSE for a
  // handle outside 0..3 or a unit without four corner handles.
  BOOL GetDraggedSpans(int handle, const CVRX2DVector& drag, double& height, double& width);
  // Snaps the dragged size to the nearest catalogue row in the plane and makes it the proposal;
  // a chosen row whose dimension 0 is zero throws CUnitException (module, zeroLine).
  int ConformToCatalogue(int handle, const CVRX2DVector& drag, const CConformPlane& plane, const char* module,
                         int zeroLine);
  // The assignment of a leaf family: refuses (CUnitException (module, line)) a source that is not
  // of this unit's class or derived from it.
  CUnit& AssignSameClass(const CUnit& source, const char* module, int line);
  // Four flags, only that of the corner diagonally opposite the handle set.
  static void FlagOppositeCorner(int handle, CDWordArray& flags);
  // dw and du: how far the width and dimension 0 of the size shrink.
  void SetProposedOffset(int handle, double dw, double du);
  // dst = src with the height and width key members set: the search keys of the conformers.
  static void SetStdSizesKey(const CStdSizesRec& src, float height, float width, CStdSizesRec& dst);
  // Whether a record found by a seek is a row of this unit's type and subtype.
  BOOL IsOwnRow(const CStdSizesRec& row) const;
  const CStdSizesRec& GetCurrentSize() const { return *m_pCurrentSize; }
  const CStdSizesRec& GetProposedSize() const { return *m_pProposedSize; }
  // Makes the row current (a row of this unit) and runs SizeChanged; when that throws, the
  // previous size and operating choice are put back before the exception leaves.
  void SelectSize(const CStdSizesRec& row);
  void SetProposedSize(const CStdSizesRec& row) { *m_pProposedSize = row; }
  // The bars of one direction: "H" vertical bars at x positions, "V" horizontal bars at y.
  void GetGrilleBars(int grilleId, const CString& propertyCode, const CVRX2DEntityArray& cutting,
                     CVRX2DEntityArray& out) const;

private:
  void ConformOperatingChoice();
  int GetGrilleCategory() const;

  std::unique_ptr<CStdSizesRec> m_pCurrentSize;
  CString m_strOperatingChoice;
  std::unique_ptr<CStdSizesRec> m_pProposedSize;
};
