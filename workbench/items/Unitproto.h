#pragma once
// Units made from the same type, subtype and stored attribute string in the same catalogue are
// the same unit. A paste or an opening of thousands of like units reads the catalogue and works
// out the drawing, outlines and handles for the first of them only; each further one is a copy
// of that first unit and of what its item derived from it. The kept units are copies of their
// own, so nothing done to an item's unit afterwards (a new size, another option) reaches them.
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "geometry/2dvector.h"
#include "geometry/Entity.h"
#include "model/Sizing.h"
#include "platform/core/String.h"
#include "views/Drawlist.h"

class CUnit;

// A unit's elevation drawing with the item at the origin, and the list it is drawn from. It never
// changes once made: an item draws it moved to its place, and the items made from one kept unit
// share it, so that a paste or a move of thousands of like units copies and moves no drawing.
struct CUnitDrawing
{
  CVRX2DEntityArray entities;
  CDrawList list;
};

// What a unit item derives from its unit, with the item at the origin and its alignment lines
// not yet extended across the Workbench.
struct CUnitShape
{
  CSizingHandleArray handles;
  CVRX2DEntityArray outline;
  std::shared_ptr<const CUnitDrawing> elevation;
  CVRX2DVector elevationOrigin;
  double width = 0.0;
  double height = 0.0;
  CVRX2DEntityArray alignment;
  CVRX2DEntityArray components;
  // Which components lie on each alignment line, as CUnitItem keeps it.
  std::vector<UINT> colinear;
};

class CUnitPrototypes
{
public:
  // Enough for every different unit of a large design; past it the oldest goes.
  static constexpr size_t kMostPrototypes = 128;

  struct CPrototype
  {
    std::unique_ptr<CUnit> unit;
    CUnitShape shape;
  };

  // The one set of the program.
  static CUnitPrototypes& Get();

  // The unit kept for the key and its item's shape, to be copied; null when none is kept (or it
  // was kept from another catalogue).
  const CPrototype* Find(const CString& type, const CString& subtype, const CString& attributes);
  // Keeps a copy of a unit just made from the key, and of its item's shape.
  void Keep(const CString& type, const CString& subtype, const CString& attributes, const CUnit& unit,
            const CUnitShape& shape);
  void Clear();
  size_t GetCount() const { return m_Kept.size(); }

private:
  static std::string KeyOf(const CString& type, const CString& subtype, const CString& attributes);
  // Forgets everything kept from a catalogue other than the present one.
  void FollowCatalogue();

  std::string m_strCatalogue;
  std::unordered_map<std::string, std::unique_ptr<CPrototype>> m_Kept;
  std::deque<std::string> m_Order;
};
