#pragma once
// The DXF colour numbers offered for export, with their names.
#include "support/Assoctbl.h"

class CAssocDXFExportColorAndDescription : public CAssocIntAndString
{
  DECLARE_DYNAMIC(CAssocDXFExportColorAndDescription)
public:
  CAssocDXFExportColorAndDescription();
};
