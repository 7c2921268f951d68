#pragma once
// STDSIZES: the standard sizes of each unit model, kept wholly in memory.
#include "productdb/txrecobj.h"
#include "support/Ownarray.h"

class CStdSizesRec : public CTXRecObj
{
public:
  // The indexes, named by the fields that order a unit's rows after its type and subtype.
  enum Index : int
  {
    bySizeCode = 1,
    byHeightWidth = 2,
    byWidthHeight = 3,
    byShoulderRadiusWidth = 4,
    byWidthShoulderRadius = 5,
    byRadiusWidthShoulder = 6,
    byShoulderWidthRadius = 7,
    byWidthRadiusShoulder = 8
  };

  CStdSizesRec();
  // Finds the size by index 1; when there is none the three codes are emptied.
  CStdSizesRec(const CString& typeCode, const CString& subtypeCode, const CString& sizeCode);
  CStdSizesRec(const CStdSizesRec& other) = default;
  CStdSizesRec& operator=(const CStdSizesRec& other) = default;

  CString GetTypeCode() const { return m_typeCode; }
  void SetTypeCode(const CString& code) { m_typeCode = code; }
  CString GetSubtypeCode() const { return m_subtypeCode; }
  void SetSubtypeCode(const CString& code) { m_subtypeCode = code; }
  CString GetSizeCode() const { return m_sizeCode; }
  void SetSizeCode(const CString& code) { m_sizeCode = code; }
  double GetHeight() const { return m_height; }
  void SetHeight(float value) { m_height = value; }
  double GetWidth() const { return m_width; }
  void SetWidth(float value) { m_width = value; }
  int GetField28() const { return m_field28; }
  // Size value n, 1 to 4; any other n throws CTXDBException.
  double GetFloatByIndex(int n) const;
  double GetRadius() const { return m_radius; }
  void SetRadius(float value) { m_radius = value; }
  double GetShoulderHeight() const { return m_shoulderHeight; }
  void SetShoulderHeight(float value) { m_shoulderHeight = value; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  void PackFloats(int index);

  CString m_typeCode;
  CString m_subtypeCode;
  CString m_sizeCode;
  float m_height = 0;
  float m_width = 0;
  short m_field28 = 0;
  float m_values[4] = {};
  float m_radius = 0;
  float m_shoulderHeight = 0;
};

// Owns its records: emptying or destroying the array deletes them.
class CStdSizesRecArray : public COwnArrayOf<CStdSizesRec>
{};
