#pragma once
// The parameter skeleton every free-form leaf shares, driven by a table of the leaf's free
// dimensions (pointers to its current and proposed members): copying and assigning, the
// attribute and report-key text, the proposal taken, dropped and settled, the dimension dialog's
// labels and values, and the size text. The leaves keep their corners, handles, conforming rules,
// checks and elevations.
#include <type_traits>
#include <utility>
#include <vector>

#include "model/Curropts.h"
#include "model/Rptdata.h"
#include "model/Unitexcp.h"
#include "model/Varigon.h"
#include "units/freeform/Vgutil.h"

namespace vg {

// One free dimension: its current value and the proposal a drag forms from it.
template <class Unit>
struct CDimension
{
  double Unit::*current;
  double Unit::*proposed;
};

// A dimension of the dimension dialog: its label and its place in the table.
struct CShown
{
  const char* label;
  int index;
};

// Where the skeleton's exceptions say they come from.
struct CModule
{
  const char* name;
  int otherClassLine;  // assigning a unit of another class
  int badNumberLine;   // an attribute that is no finite number
};

template <class Unit>
struct CShape
{
  CModule module;
  std::vector<CDimension<Unit>> dimensions;  // in attribute order
  std::vector<CShown> shown;                 // in dialog order
  // The leaf's check of a request, the values in attribute order.
  bool (*passes)(const Unit& unit, const std::vector<double>& values);
  // What follows every change of the current shape: the proposal reset, the geometry discarded.
  void (Unit::*sizeChanged)();
  // A flag proposed with the dimensions (a lean, a type), or none.
  int Unit::*flag = nullptr;
  int Unit::*proposedFlag = nullptr;
};

// The leaf's check called with the first `count` values of a request.
template <class Unit, size_t count>
bool Passes(const Unit& unit, const std::vector<double>& values)
{
  return [&]<size_t... i>(std::index_sequence<i...>)
  {
    return unit.AreRequestedDimensionsValid(values.at(i)...) != FALSE;
  }
  (std::make_index_sequence<count>());
}

// The functions below take the unit as the table's class, so a leaf may use a table of its base.
template <class Unit>
std::vector<double> Current(const std::type_identity_t<Unit>& unit, const CShape<Unit>& shape)
{
  std::vector<double> values;
  for (const CDimension<Unit>& dimension : shape.dimensions)
    values.push_back(unit.*dimension.current);
  return values;
}

// The proposed values in dialog order.
template <class Unit>
std::vector<double> ShownProposal(const std::type_identity_t<Unit>& unit, const CShape<Unit>& shape)
{
  std::vector<double> values;
  for (const CShown& shown : shape.shown)
    values.push_back(unit.*shape.dimensions.at(shown.index).proposed);
  return values;
}

// The values (and the flag) become current; then the full reset.
template <class Unit>
void Store(std::type_identity_t<Unit>& unit, const CShape<Unit>& shape, const std::vector<double>& values)
{
  for (size_t i = 0; i < shape.dimensions.size(); ++i)
    unit.*shape.dimensions[i].current = values.at(i);
  (unit.*shape.sizeChanged)();
}

// The body of a copy constructor: the current shape of the source, never its proposal.
template <class Unit>
void CopyShape(std::type_identity_t<Unit>& unit, const std::type_identity_t<Unit>& source, const CShape<Unit>& shape)
{
  if (shape.flag)
    unit.*shape.flag = source.*shape.flag;
  Store(unit, shape, Current(source, shape));
}

// Assignment from another unit: a unit of another class is refused.
template <class Unit>
CUnit& Assign(std::type_identity_t<Unit>& unit, const CUnit& source, const CShape<Unit>& shape)
{
  const auto* other = dynamic_cast<const Unit*>(&source);
  if (!other)
    throw CUnitException(shape.module.name, shape.module.otherClassLine);
  unit.CVarigonUnit::operator=(source);
  CopyShape(unit, *other, shape);
  return unit;
}

template <class Unit>
CString GetAttributes(const std::type_identity_t<Unit>& unit, const CShape<Unit>& shape,
                      const CString& prefix = CString())
{
  return unit.CUnit::GetAttributes() + prefix + FormatValues(Current(unit, shape));
}

// Reads one number per dimension; the unit is changed only when all of them are numbers.
template <class Unit>
std::vector<double> ReadValues(CString& attributes, const CShape<Unit>& shape)
{
  std::vector<double> values;
  for (size_t i = 0; i < shape.dimensions.size(); ++i)
    values.push_back(ReadNumber(attributes, shape.module.name, shape.module.badNumberLine));
  return values;
}

// The leading fields, then the leaf's own: a word read by `read` into `word` when given (a type,
// a lean), and one number per dimension. The leading fields replace the option choices before
// the leaf's own are read, so a field refused there puts the choices back; the leaf's fields are
// all read before any is stored. A refused string leaves the unit as it was.
template <class Unit>
void SetAttributes(std::type_identity_t<Unit>& unit, CString& attributes, const CShape<Unit>& shape,
                   int std::type_identity_t<Unit>::*word = nullptr, int (*read)(const CString&) = nullptr)
{
  const CCurrentOptionChoices previousChoices(*unit.GetCurrentOptionChoices());
  unit.CUnit::SetAttributes(attributes);
  int value = 0;
  std::vector<double> values;
  try {
    if (word)
      value = read(CUnit::GetNextAttribute(attributes));
    values = ReadValues(attributes, shape);
  } catch (...) {
    *unit.GetCurrentOptionChoices() = previousChoices;
    throw;
  }
  if (word)
    unit.*word = value;
  Store(unit, shape, values);
}

// The unit's own records, their keys extended by the prefix and the current values.
template <class Unit, class Array>
void Report(const std::type_identity_t<Unit>& unit, Array& records, const CShape<Unit>& shape,
            const CString& prefix = CString())
{
  const int first = records.GetSize();
  unit.CUnit::GetReportData(records);
  ExtendKeys(records, first, prefix + FormatValues(Current(unit, shape)));
}

// A cancelled drag: the proposal follows the current shape and the offset is dropped.
template <class Unit>
void DropProposal(std::type_identity_t<Unit>& unit, const CShape<Unit>& shape)
{
  for (const CDimension<Unit>& dimension : shape.dimensions)
    unit.*dimension.proposed = unit.*dimension.current;
  if (shape.flag)
    unit.*shape.proposedFlag = unit.*shape.flag;
  unit.CUnit::ResetProposedSize();
}

// The proposal becomes current; returns the offset the unit moves by.
template <class Unit>
CVRX2DVector TakeProposal(std::type_identity_t<Unit>& unit, const CShape<Unit>& shape)
{
  for (const CDimension<Unit>& dimension : shape.dimensions)
    unit.*dimension.current = unit.*dimension.proposed;
  if (shape.flag)
    unit.*shape.flag = unit.*shape.proposedFlag;
  const CVRX2DVector offset = unit.CUnit::SetSizeToProposed();
  (unit.*shape.sizeChanged)();
  return offset;
}

// The tail of every sizing rule: a request that fails the check changes nothing, one equal to
// the proposal changes nothing, any other becomes the proposal with its offset.
template <class Unit>
int Settle(std::type_identity_t<Unit>& unit, const CShape<Unit>& shape, const std::vector<double>& values,
           CVRX2DVector& proposedOffset, const CVRX2DVector& offset, int flag = 0)
{
  if (!shape.passes(unit, values))
    return CUnit::outOfBoundsUnchanged;
  bool same = !shape.flag || unit.*shape.proposedFlag == flag;
  for (size_t i = 0; i < values.size(); ++i)
    same = same && unit.*shape.dimensions[i].proposed == values[i];
  if (same)
    return CUnit::inboundsUnchanged;
  if (shape.flag)
    unit.*shape.proposedFlag = flag;
  for (size_t i = 0; i < values.size(); ++i)
    unit.*shape.dimensions[i].proposed = values[i];
  proposedOffset = offset;
  return CUnit::inboundsChanged;
}

template <class Unit>
void Labels(const CShape<Unit>& shape, CStringArray& labels)
{
  labels.RemoveAll();
  for (const CShown& shown : shape.shown)
    labels.Add(shown.label);
}

template <class Unit>
void Values(const std::type_identity_t<Unit>& unit, const CShape<Unit>& shape, CArray<double, double>& values)
{
  values.RemoveAll();
  for (const CShown& shown : shape.shown)
    values.Add(unit.*shape.dimensions.at(shown.index).current);
}

// Values in dialog order; the dimensions not shown keep their current values.
template <class Unit>
BOOL SetValues(std::type_identity_t<Unit>& unit, const CShape<Unit>& shape, const CArray<double, double>& values)
{
  if (values.GetSize() < static_cast<int>(shape.shown.size()))
    return FALSE;
  std::vector<double> request = Current(unit, shape);
  for (size_t i = 0; i < shape.shown.size(); ++i)
    request.at(shape.shown[i].index) = values[static_cast<int>(i)];
  if (!shape.passes(unit, request))
    return FALSE;
  Store(unit, shape, request);
  return TRUE;
}

// The type description and the proposed values in dialog order.
template <class Unit>
CString GetSizeText(const std::type_identity_t<Unit>& unit, const CShape<Unit>& shape, int lengthFormat)
{
  return CUnit::FormatSizeText(unit.GetTypeDescription(), lengthFormat, ShownProposal(unit, shape));
}

// A drag goes to the rule of the unit's anchor mode, 0 or 1; another mode or handle is refused.
template <class Unit>
int ConformByAnchor(Unit& unit, int handle, const CVRX2DVector& drag, int handles,
                    int (Unit::*modeZero)(int, const CVRX2DVector&), int (Unit::*modeOne)(int, const CVRX2DVector&))
{
  if (handle < 0 || handle >= handles)
    return CUnit::outOfBoundsUnchanged;
  switch (unit.GetAnchorMode()) {
  case 0:
    return (unit.*modeZero)(handle, drag);
  case 1:
    return (unit.*modeOne)(handle, drag);
  default:
    return CUnit::outOfBoundsUnchanged;
  }
}

}  // namespace vg
