#pragma once
// The application services a benchmark runs with: fixed catalogue versions, feet and inches, and
// no questions asked.
#include "project/DocServices.h"
#include "project/Docver.h"

class CBenchServices : public CDocServices
{
public:
  CString GetProductName() const override { return "Panecraft"; }
  CString GetProductDataVersion() const override { return "1998.06 Sample"; }
  CString GetSpecificationVersion() const override { return "2.04"; }
  CString GetDatePopulated() const override { return "06/15/1998"; }
  CString GetContact() const override { return "Bench"; }
  int GetMeasurementUnits() const override { return 0; }
  void ShowDbVersionDialog(const CDocVersion&) override {}
  BOOL AskNewDesignName(CString&, BOOL) override { return FALSE; }
  void CloseInitialUntitledProject() override {}
};
