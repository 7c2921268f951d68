#pragma once
// Where help requests end: there is no help file, so the sink only traces the context id.
// Tests install their own sink to see which ids were asked for.
#include "platform/ui/wnd/Msg.h"

class CHelpSink
{
public:
  virtual ~CHelpSink() = default;
  virtual void ShowHelp(std::uintptr_t dwData, UINT nCmd);
};

CHelpSink& HelpSink();
void SetHelpSink(CHelpSink* pSink);
