#pragma once
// The plan-section drawing switches of the profile section "PlanSectionView", passed by the plan
// view to the plan-section generator. No range is enforced.
#include "platform/core/Object.h"

class CPlanSectionViewConfig : public CObject
{
  DECLARE_DYNAMIC(CPlanSectionViewConfig)
public:
  CPlanSectionViewConfig();
  ~CPlanSectionViewConfig() override;

  int GetFrameOn() const { return m_nFrameOn; }
  int GetFullFrameWidthOn() const { return m_nFullFrameWidthOn; }
  int GetFrameLinesOn() const { return m_nFrameLinesOn; }
  int GetSillLinesOn() const { return m_nSillLinesOn; }
  int GetGlassLines() const { return m_nGlassLines; }
  void SetFrameOn(int value) { m_nFrameOn = value; }
  void SetFullFrameWidthOn(int value) { m_nFullFrameWidthOn = value; }
  void SetFrameLinesOn(int value) { m_nFrameLinesOn = value; }
  void SetSillLinesOn(int value) { m_nSillLinesOn = value; }
  void SetGlassLines(int value) { m_nGlassLines = value; }

  // -1 (also a missing key) keeps the member; any other value is taken.
  void Load();
  // Throws CAppFatalException at the first write that fails; nothing after it is written.
  void Save();

private:
  int m_nFrameOn = 1;
  int m_nFullFrameWidthOn = 0;
  int m_nFrameLinesOn = 1;
  int m_nSillLinesOn = 1;
  int m_nGlassLines = 2;
};
