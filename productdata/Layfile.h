#pragma once
// The table layouts of the catalogue, kept as readable text (catalogue/Tables.layout):
//
//   table NAME RECORD-LENGTH
//     field NAME KIND OFFSET [WIDTH]     KIND: text short long float double date logical;
//                                        OFFSET 1-based; WIDTH for text fields only
//     index NAME FIELD [FIELD ...]       key fields in key order
//
// Blank lines and lines starting with '#' are ignored. Index parts are built from the named
// fields, so a part always carries its field's record offset and width.
#include <string>
#include <vector>

#include "productdata/TableWriter.h"

class CLayoutFile
{
public:
  // Reads and parses the file; any fault throws CCatalogueException naming file and line.
  static std::vector<SdfTableLayout> Load(const CString& path);
  // Parses text; `sourceName` names it in messages.
  static std::vector<SdfTableLayout> Parse(const std::string& text, const CString& sourceName);
};
