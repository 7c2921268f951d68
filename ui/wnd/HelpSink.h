#pragma once
// Where help requests end: the program installs the manual's help window (HelpWnd.h); with none
// installed the request is only traced. Tests install their own sink to see which ids were asked for.
#include "ui/wnd/Msg.h"

class CHelpSink
{
public:
  virtual ~CHelpSink() = default;
  virtual void ShowHelp(std::uintptr_t dwData, UINT nCmd);
};

CHelpSink& HelpSink();
void SetHelpSink(CHelpSink* pSink);
BOOL IsHelpSinkSet();
