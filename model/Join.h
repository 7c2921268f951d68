#pragma once
// The joint (mullion) between two units standing side by side. Which products may be joined,
// the detail drawn for the joint and the spacing on each side come from the joining tables.
#include "model/Prodbase.h"
#include "productdb/Joining.h"
#include "productdb/Jointbl.h"

class CDetailSpecification;
class CPlanSectionPreferences;
class CPlanSectionSwitches;
class CVRX2DEntityArray;

class CJoin : public CProductBase
{
  DECLARE_DYNAMIC(CJoin)
public:
  // Throws CUnitException when the join type is unknown, the pair is not listed in either order
  // or a side has no spacing; no join is left then.
  CJoin(int joinType, int id, int otherId);
  CJoin(const CJoin& source);
  CJoin& operator=(const CJoin& source);
  ~CJoin() override;

  // A join draws nothing in the elevation.
  virtual void GetElevationEntities(int lines, BOOL showOperation, BOOL showGrilles, CVRX2DEntityArray& out);
  // Sill lines and one jamb as wide as the two spacings; the cut height is not used.
  virtual void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                      const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out);

  void SetJoinType(int joinType, int id, int otherId);

  int GetJoinTypeID() const { return m_Joining.GetJoining(); }
  CString GetJoinTypeCode() const { return m_Joining.GetCode(); }
  CString GetJoinTypeName() const { return m_Joining.GetDescription(); }
  // The first product is always the id given to the constructor.
  int GetFirstProductID() const;
  int GetSecondProductID() const;
  float GetFirstOffset() const;
  float GetSecondOffset() const;
  // 0 when the pair was listed in the order given, 1 when listed swapped.
  int GetSide() const { return m_nSide; }

  static BOOL CanBeJoined(int joinType, int id, int otherId);
  CDetailSpecification GetDetailSpecification() const;

  // Joins alive in the program; the shared spacing records live while it is above 0.
  static int GetLiveJoinCount();

private:
  static float Spacing(int joining, int id, int otherId, int detail);

  CJoiningRec m_Joining;
  CJoinTblRec m_JoinTbl;
  float m_fFirstSpacing = 0.0f;   // on the side of the row's ID product
  float m_fSecondSpacing = 0.0f;  // on the side of the row's OtherID product
  int m_nSide = 0;
};
