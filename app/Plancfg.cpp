#include "app/Plancfg.h"

#include "ui/wnd/WinApp.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

namespace {

constexpr const char* kModule = "Plancfg";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineWriteFrameOn = 50,
  kLineWriteFullFrameWidthOn = 51,
  kLineWriteFrameLinesOn = 52,
  kLineWriteSillLinesOn = 53,
  kLineWriteGlassLines = 54,
};
constexpr const char* kSection = "PlanSectionView";

void LoadInt(const char* key, int& member)
{
  int value = AfxGetApp()->GetProfileInt(kSection, key, -1);
  if (value != -1)
    member = value;
}

void Write(const char* key, int value, int line)
{
  if (!AfxGetApp()->WriteProfileInt(kSection, key, value))
    throw CAppFatalException(kModule, line);
}

}  // namespace

IMPLEMENT_DYNAMIC(CPlanSectionViewConfig, CObject)

CPlanSectionViewConfig::CPlanSectionViewConfig()
{
  PCTRACE(TT_PREFERENCES, TL_DETAIL)("CPlanSectionViewConfig construction \n");
}

CPlanSectionViewConfig::~CPlanSectionViewConfig()
{
  PCTRACE(TT_PREFERENCES, TL_DETAIL)("CPlanSectionViewConfig destruction \n");
}

void CPlanSectionViewConfig::Load()
{
  LoadInt("FrameOn", m_nFrameOn);
  LoadInt("FullFrameWidthOn", m_nFullFrameWidthOn);
  LoadInt("FrameLinesOn", m_nFrameLinesOn);
  LoadInt("SillLinesOn", m_nSillLinesOn);
  LoadInt("GlassLines", m_nGlassLines);
}

void CPlanSectionViewConfig::Save()
{
  Write("FrameOn", m_nFrameOn, kLineWriteFrameOn);
  Write("FullFrameWidthOn", m_nFullFrameWidthOn, kLineWriteFullFrameWidthOn);
  Write("FrameLinesOn", m_nFrameLinesOn, kLineWriteFrameLinesOn);
  Write("SillLinesOn", m_nSillLinesOn, kLineWriteSillLinesOn);
  Write("GlassLines", m_nGlassLines, kLineWriteGlassLines);
}
