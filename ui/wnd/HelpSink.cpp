#include "ui/wnd/HelpSink.h"

#include "support/Trace.h"

namespace {
CHelpSink* g_pSink = nullptr;
}

void CHelpSink::ShowHelp(std::uintptr_t dwData, UINT nCmd)
{
  PCTRACE(TT_APPLICATION, TL_DETAIL)
  ("Help requested: command %u, data %lu\n", nCmd, static_cast<unsigned long>(dwData));
}

CHelpSink& HelpSink()
{
  static auto* traceOnly = new CHelpSink;
  return g_pSink ? *g_pSink : *traceOnly;
}

void SetHelpSink(CHelpSink* pSink) { g_pSink = pSink; }

BOOL IsHelpSinkSet() { return g_pSink != nullptr; }
