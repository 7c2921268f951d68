#include "app/Plancfg.h"

#include "platform/ui/wnd/WinApp.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

namespace {

constexpr const char* kModule = "Plancfg";
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

} // namespace

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
  Write("FrameOn", m_nFrameOn, __LINE__);
  Write("FullFrameWidthOn", m_nFullFrameWidthOn, __LINE__);
  Write("FrameLinesOn", m_nFrameLinesOn, __LINE__);
  Write("SillLinesOn", m_nSillLinesOn, __LINE__);
  Write("GlassLines", m_nGlassLines, __LINE__);
}
