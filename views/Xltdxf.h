#pragma once
// Writes lines and arcs as the ENTITIES section of a DXF file, each on the layer, in the colour
// and with the line type of its category. The file is written beside the target under a hidden
// name and takes the target's name only when complete, so a failed export leaves the previous
// file as it was.
#include <memory>
#include <string>

#include "platform/core/String.h"
#include "views/Xltent.h"

class CAtomicFile;
class CMapECatToXLTDXFData;
class CXLTDXFData;

class CDXFTranslator : public CEntityTranslator
{
public:
  // Creates the temporary file beside the path and writes the head of the file; throws the
  // CFileException of a target that may not be written or a file that cannot be created. The
  // map is not owned.
  CDXFTranslator(CMapECatToXLTDXFData* pMap, CString path);
  // Without Complete the temporary file is removed: the target keeps what it held.
  ~CDXFTranslator() override;

  void TranslateLine(const CVRX2DLine& line) override;
  void TranslateArc(const CVRX2DArc& arc) override;

  // Writes the end of the file, syncs and closes it and renames it over the path. Throws the
  // CFileException of a failed write or rename; the target then keeps what it held.
  void Complete();

  // Names as the file carries them: control characters left out, trailing blanks cut.
  static CString CleanName(const CString& name);

private:
  void WriteProperties(const char* type, const CXLTDXFData& data);
  void WriteGroup(const char* code, const char* value, size_t length);
  void WriteGroup(const char* code, const CString& value) { WriteGroup(code, value, value.GetLength()); }
  void WriteNumber(const char* code, double value);
  // Hands the buffered text to the file once it has grown large enough to be worth a call.
  void FlushIfFull();
  void Flush();

  std::unique_ptr<CAtomicFile> m_pOut;
  CString m_strLineEnd;
  std::string m_buffer;
};

// The factor of a DXF translation unit code (0 inch, 1 foot, 2 centimetre, 3 millimetre, 4
// metre); 1.0 for inches and for a code outside the table.
double DXFTranslationFactor(int translationUnit);
// Scales the entities about the origin to the translation unit.
void ScaleToDXFUnit(CVRX2DEntityArray& entities, int translationUnit);

// Writes every entity to a DXF file at the path. TRUE when the file is complete at the path;
// FALSE after any failure (file, entity category, arc geometry), the previous file at the path
// then untouched. The caller tells the user; pReason, when given, receives the failure's reason.
BOOL WriteDXFFile(const CString& path, const CVRX2DEntityArray& entities, CMapECatToXLTDXFData* pMap,
                  CString* pReason = nullptr);
