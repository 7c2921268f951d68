#pragma once
// The sample catalogue as the database, and a small rectangular test unit that stands in for the
// leaf unit classes.
#include <gtest/gtest.h>

#include <vector>

#include "geometry/2dpoint.h"
#include "model/Unit.h"

// Points the product database at the generated sample catalogue.
class ModelTest : public ::testing::Test
{
protected:
  void SetUp() override;
};

// A rectangle of four perimeter members (sill, right jamb, head, left jamb, in that order) whose
// component numbers are those of the glider unless given.
class CTestUnit : public CUnit
{
public:
  CTestUnit(const CString& type, const CString& subtype, double width = 36.0, double height = 48.0);
  CTestUnit(const CTestUnit&) = default;

  CUnit* Clone() const override { return new CTestUnit(*this); }
  CUnit& operator=(const CUnit& source) override;
  CString GetAttributes() const override;
  void SetAttributes(CString& attributes) override;
  CString GetSizeText(int lengthFormat) const override;
  double GetHeight() const override { return m_dHeight; }
  double GetWidth() const override { return m_dWidth; }
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetSidesMovedByHandle(int handle, CDWordArray& flags) const override;
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;
  CVRX2DVector SetSizeToProposed() override;
  void ResetProposedSize() override;
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  // Narrows the exception rows by size and operation code, as the standard units do.
  BOOL IsChoiceCurrent(const COptExcptRec& row) const override;

  // Extra members appended after the four sides: (kind, start, end) with a given component.
  struct CExtraMember
  {
    CString kind;
    int id;
    CVRX2DPoint start;
    CVRX2DPoint end;
  };

  int m_nComponentIDs[4] = {2101, 2103, 2104, 2106};
  std::vector<CExtraMember> m_Extra;
  // When set, BuildSizedComponents throws after adding the first member.
  bool m_bFailBuild = false;
  mutable int m_nBuildCount = 0;  // test probes, counted by const queries
  // The elevation builders called, by their line count (1, 2, 3), in call order.
  mutable std::vector<int> m_Calls;
  // Conditions of the option-exception rows; empty matches only rows without the condition.
  CString m_strSizeCode;
  CString m_strOperation;

private:
  double m_dWidth;
  double m_dHeight;
  double m_dProposedWidth;
  double m_dProposedHeight;
};

// Registers a test unit for every key of the factory that has a unit class; or takes them back.
void RegisterTestLeaves();
void UnregisterTestLeaves();
