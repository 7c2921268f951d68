#pragma once
// One window or door unit of a unit type (product-line code, e.g. "AR") and subtype (unit code,
// e.g. "BA011"). Abstract: every unit class derives from it, and its virtual operations are the
// one interface through which the Workbench, the drawings, the reports and the project file
// reach a unit. Geometry (sized components, the outline offset by the frame depths) is derived
// on demand and thrown away by DiscardGeometry after every size change.
#include <memory>
#include <vector>

#include "geometry/2dvector.h"
#include "geometry/Entity.h"
#include "model/Prodbase.h"
#include "platform/core/String.h"

class CDWordArray;
class CDetailSpecification;
class COptExcptRec;
class COptTableRecArray;
class CPlanSectionPreferences;
class CPlanSectionSwitches;
class CScheduleReportDataArray;
class CSizedComponentArray;
class CSizingHandleArray;
class CSubTypesRec;
class CTypesRec;
class CUnitInfoReportDataArray;

class CUnit : public CProductBase
{
  DECLARE_DYNAMIC(CUnit)
public:
  // Answers of ConformProposedSize.
  enum ConformResult
  {
    inboundsChanged = 0,
    inboundsUnchanged = 1,
    outOfBoundsChanged = 2,
    outOfBoundsUnchanged = 3
  };

  // Entity categories of outlines.
  enum
  {
    catPartOutlineInner = 5,
    catPartOutlinePerimeter = 7,
    catOutlineInner = 17,
    catOutlinePerimeter = 20
  };

  // Throws CUnitException when the TYPES or SUBTYPES row of the codes is missing.
  CUnit(const CString& type, const CString& subtype);
  // A copy gets a new unit id and its own records, choices and components.
  CUnit(const CUnit& source);
  ~CUnit() override;

  void GetOptionCategories(COptCatsRecArray& categories) const override;
  // Mode 1 answers a stored choice only while the unit's type still offers it.
  int GetOptionChoice(int category, int mode) const override;
  // FALSE, changing nothing, for a choice the unit's type does not offer.
  BOOL SetOptionChoice(int category, int choice) override;

  // Refuses (CUnitException) a source of another type or subtype code.
  virtual CUnit& operator=(const CUnit& source);
  virtual CUnit* Clone() const = 0;
  virtual CString GetAttributes() const;
  // Reads and removes the leading fields; a subclass continues with the rest.
  virtual void SetAttributes(CString& attributes);
  // The size as shown to the user, in a length format of the units converter.
  virtual CString GetSizeText(int lengthFormat) const = 0;
  // The size text of every unit class: the head (a size code or a type description), ":", the
  // lengths joined by "x" and, with a radius, " R" and the radius. Feet and inches and fractional
  // inches are shown as whole inches; the other formats pass through.
  static CString FormatSizeText(const CString& head, int lengthFormat, const std::vector<double>& lengths);
  static CString FormatSizeText(const CString& head, int lengthFormat, const std::vector<double>& lengths,
                                double radius);
  virtual int GetPanelCount() const;
  virtual double GetHeight() const = 0;
  virtual double GetWidth() const = 0;
  // Empties `out` and builds the elevation with one, two or three lines per member. It reads the
  // unit and the arguments only, never a preference: the Workbench keeps one drawing for every
  // like unit.
  virtual void GetElevationEntities(int lines, BOOL showOperation, BOOL showGrilles, CVRX2DEntityArray& out) const;
  // The plan section cut at the given height above the unit's base point.
  virtual void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                      const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const = 0;
  virtual void GetOutlineEntities(CVRX2DEntityArray& out) const;
  virtual void GetReportData(CUnitInfoReportDataArray& records) const;
  virtual void GetReportData(CScheduleReportDataArray& rows) const;
  virtual void GetPartOutlineEntities(CVRX2DEntityArray& out) const;
  virtual void GetSizingHandles(CSizingHandleArray& out) const;
  // One 0/1 flag per handle position.
  virtual void GetSidesMovedByHandle(int handle, CDWordArray& flags) const = 0;
  // A ConformResult; 0 and 2 leave a proposal pending.
  virtual int ConformProposedSize(int handle, const CVRX2DVector& drag) = 0;
  // The proposed outline; the result is the offset at which to draw it.
  virtual CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const = 0;
  // Applies the proposal: answers the base-point offset once, then a zero vector.
  virtual CVRX2DVector SetSizeToProposed();
  virtual void ResetProposedSize();
  // Fills m_pSizedComponents, which GetSizedComponents has made empty: const because it only
  // fills that cache.
  virtual void BuildSizedComponents() const = 0;
  virtual void BuildDetailSpecifications();
  virtual void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const = 0;
  virtual void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const = 0;
  virtual void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const = 0;
  // Whether an option-exception row's condition holds for the unit.
  virtual BOOL IsChoiceCurrent(const COptExcptRec& row) const;

  int GetUnitID() const { return m_nUnitID; }
  CString GetType() const;
  CString GetSubtype() const;
  CString GetTypeDescription() const;
  CString GetSubtypeDescription() const;
  BOOL GetSubtypeFlag() const;

  // Built on first use; never null. The const form serves the queries; the other one lets the
  // caller attach detail specifications to the members.
  const CSizedComponentArray* GetSizedComponents() const;
  CSizedComponentArray* GetSizedComponents();
  int GetComponentID(int i) const;
  double GetComponentDistance(int i, int line1, int line2) const;
  CDetailSpecification GetDetailSpecification(int i);
  // The outline offset outward by the frame depths, rounded up to 1/8 inch.
  double GetOutlineHeight() const;
  double GetOutlineWidth() const;
  // The choices the unit's type offers in the category, after the option exceptions.
  void GetOptionChoicesOfCategory(int category, COptChoicRecArray& out) const;

  void DiscardGeometry();
  void BuildDetailSpecificationsAgain();

  // The field tokenizer of every SetAttributes: the text before the first comma, which is
  // removed with its comma; throws CUnitException when nothing is left.
  static CString GetNextAttribute(CString& attributes);

protected:
  CVRX2DVector m_vProposedOffset;  // how far the base point moves when the proposal is applied
  // A cache of the geometry: queries build it on demand.
  mutable std::unique_ptr<CSizedComponentArray> m_pSizedComponents;

private:
  void BuildOutline() const;
  void ChoicesOfCategory(const COptTableRecArray& rows, int category, COptChoicRecArray& out) const;
  void ApplyOptionExceptions(int category, COptChoicRecArray& out) const;
  CString MakeInfoReportKey(CArray<int, int>& categories, CArray<int, int>& choices) const;

  int m_nUnitID = 0;
  std::unique_ptr<CTypesRec> m_pTypesRec;
  std::unique_ptr<CSubTypesRec> m_pSubTypesRec;
  mutable CVRX2DEntityArray m_Outline;  // cache of the offset outline
};

// While one lives, units made or copied take no serial number from the count: a copy kept only
// to be copied again is never shown, and the units that are shown keep the numbers they would
// have had without it.
class CUnitSerialPause
{
public:
  CUnitSerialPause();
  ~CUnitSerialPause();
  CUnitSerialPause(const CUnitSerialPause&) = delete;
  CUnitSerialPause& operator=(const CUnitSerialPause&) = delete;
};

// Rounds a length up to the next multiple of 1/8 inch (a value already on one stays).
double RoundUpToEighth(double value);
