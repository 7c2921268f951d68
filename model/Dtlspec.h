#pragma once
// What a construction detail shows: the component number of the section, whether it is mirrored,
// the angle at which it lies and the option choices that select its variants.
#include <memory>

#include "geometry/Angle.h"

class CCurrentOptionChoices;

class CDetailSpecification : public CObject
{
  DECLARE_DYNAMIC(CDetailSpecification)
public:
  enum
  {
    normal = 0,
    mirrored = 1
  };

  CDetailSpecification();
  CDetailSpecification(const CDetailSpecification& source);
  CDetailSpecification& operator=(const CDetailSpecification& source);
  ~CDetailSpecification() override;

  int GetDetailID() const { return m_nDetailID; }
  void SetDetailID(int id) { m_nDetailID = id; }
  // 1: mirrored about the section's x axis.
  int GetOrientation() const { return m_nOrientation; }
  void SetOrientation(int orientation) { m_nOrientation = orientation; }
  CVRXAngle GetAngle() const { return m_Angle; }
  void SetAngle(const CVRXAngle& angle) { m_Angle = angle; }

  // 0 when no choice is set for the category.
  int GetOptionChoice(int category) const;
  // Makes the list on first use; a pair that OPTCHOIC lacks clears the category.
  void SetOptionChoice(int category, int choice);
  void DeleteOptionChoices();

private:
  int m_nDetailID = 0;
  int m_nOrientation = normal;
  CVRXAngle m_Angle;
  std::unique_ptr<CCurrentOptionChoices> m_pOptionChoices;
};
