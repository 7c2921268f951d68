#pragma once
// Translators turn arrays of lines and arcs into output (drawing calls, DXF records). The base
// dispatches each entity by kind and offers the splitting of an elliptical arc into circular
// arcs, which is all either output can draw.
#include "platform/core/Object.h"

class CMapECatToXLTData;
class CVRX2DArc;
class CVRX2DEntity;
class CVRX2DEntityArray;
class CVRX2DLine;

class CEntityTranslator : public CObject
{
  DECLARE_DYNAMIC(CEntityTranslator)
public:
  // The map is not owned; it must outlive the translator.
  explicit CEntityTranslator(CMapECatToXLTData* pMap) : m_pCategoryMap(pMap) {}
  CEntityTranslator(const CEntityTranslator&) = delete;
  CEntityTranslator& operator=(const CEntityTranslator&) = delete;

  // Every entity in order; an entity other than a line or an arc throws CCommonException, after
  // the entities before it were translated.
  virtual void Translate(const CVRX2DEntityArray& entities);
  virtual void TranslateLine(const CVRX2DLine& line) = 0;
  virtual void TranslateArc(const CVRX2DArc& arc) = 0;

  // One entity, dispatched as Translate does it.
  void TranslateEntity(const CVRX2DEntity& entity);
  CMapECatToXLTData* GetCategoryMap() const { return m_pCategoryMap; }

  // Replaces pieces by circular arcs that follow the arc, counter-clockwise from its start to
  // its end. Throws CCommonException for a minor radius that is zero or no number, or geometry
  // whose crossings are not where they must be.
  static void SplitArc(CVRX2DEntityArray& pieces, CVRX2DArc arc);

private:
  CMapECatToXLTData* m_pCategoryMap;
};
