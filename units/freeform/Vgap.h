#pragma once
// The base of the two free-form angled pentagons: a rectangle with one top corner cut off by a
// slanted side. A is the long vertical side, B the sill, C the short vertical side, D the head and
// E the cut. The leaves (type 2 cut at the top right, type 1 its mirror image at the top left) give
// what depends on the side that is cut.
#include "units/freeform/Vgshape.h"

class CVGAngledPentagon : public CVarigonUnit
{
  DECLARE_DYNAMIC(CVGAngledPentagon)
public:
  // Answers of the check: any code but this one is the reason for a refusal.
  static constexpr int kValid = 6;

  CVGAngledPentagon(const CString& lineCode, const CString& unitCode, int type);
  CVGAngledPentagon(const CVGAngledPentagon& source);
  // Through the leaf's assignment, which refuses another class.
  CVGAngledPentagon& operator=(const CVGAngledPentagon& source)
  {
    static_cast<CUnit&>(*this) = source;
    return *this;
  }

  // The type number, then A, B, C, D.
  CString GetAttributes() const override;
  void SetAttributes(CString& attributes) override;
  double GetHeight() const override { return m_dA; }
  double GetWidth() const override { return m_dB; }
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetReportData(CUnitInfoReportDataArray& records) const override;
  void GetReportData(CScheduleReportDataArray& rows) const override;
  // One handle on each corner, counter-clockwise from the base point.
  void GetSizingHandles(CSizingHandleArray& out) const override;
  CVRX2DVector SetSizeToProposed() override;
  void ResetProposedSize() override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  double GetProposedWidth() const override { return m_dProposedB; }
  double GetProposedHeight() const override { return m_dProposedA; }

  double GetSideERise() const { return m_dA - m_dC; }
  double GetSideERun() const { return m_dB - m_dD; }
  double GetSideE() const;
  double GetSideEAngleFromVertical() const;
  double GetSideEAngleFromHorizontal() const;
  // kValid, or the code of the first test that fails.
  int AreRequestedDimensionsValid(double a, double b, double c, double d) const;
  int GetTypeNumber() const { return m_nType; }

protected:
  // The full reset: the proposal and its offset dropped, the geometry discarded.
  void InitProposedSize();
  // Checks a request and takes it when it differs from the proposal.
  int Settle(double a, double b, double c, double d, const CVRX2DVector& offset);
  // The leaf's sized components in array order: element code, start, end.
  void BuildComponents(const char* unitCode, const std::vector<CVRX2DPoint>& corners, const char* const* codes) const;
  // Copies the shape of another pentagon of the leaf's class.
  void AssignShape(const CVGAngledPentagon& source);
  // The table of the sides A, B, C, D with the leaf's dimension dialog.
  static vg::CShape<CVGAngledPentagon> MakeShape(const std::vector<vg::CShown>& shown);

  double m_dA = 24.0;
  double m_dB = 24.0;
  double m_dC = 12.0;
  double m_dD = 12.0;
  double m_dProposedA = 24.0;
  double m_dProposedB = 24.0;
  double m_dProposedC = 12.0;
  double m_dProposedD = 12.0;
  // For the sides A, B, C, D, E: the position of the side in the component array.
  int m_nSides[5] = {0, 0, 0, 0, 0};

private:
  static const vg::CShape<CVGAngledPentagon>& Shape();

  int m_nType;
};
