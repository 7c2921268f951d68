#pragma once
// Translation data of one entity category (a pen and colour for device contexts; a layer, colour
// number and line type for DXF) and the owning maps from category to that data.
#include <memory>

#include "platform/core/Map.h"

class CPen;

class CXLTDXFData : public CObject
{
  DECLARE_DYNAMIC(CXLTDXFData)
public:
  CXLTDXFData(int color, CString layer, CString lineType);
  CXLTDXFData(const CXLTDXFData& source) = default;
  CXLTDXFData& operator=(const CXLTDXFData&) = delete;

  // A DXF colour number; 0 means the colour of the layer.
  int GetColor() const { return m_color; }
  CString GetLayer() const { return m_layer; }
  CString GetLineType() const { return m_lineType; }

private:
  int m_color;
  CString m_layer;
  CString m_lineType;
};

class CXLTGDIData : public CObject
{
  DECLARE_DYNAMIC(CXLTGDIData)
public:
  // Makes a solid pen of width 0 (one device pixel) in the colour.
  explicit CXLTGDIData(COLORREF color);
  // The copy has a pen of its own.
  CXLTGDIData(const CXLTGDIData& source);
  CXLTGDIData& operator=(const CXLTGDIData&) = delete;
  ~CXLTGDIData() override;

  COLORREF GetColor() const { return m_color; }
  CPen* GetPen() const { return m_pen.get(); }

private:
  COLORREF m_color;
  std::unique_ptr<CPen> m_pen;
};

// Category to data object; the map owns its objects and deletes them with itself. Key 0 is no
// entity category: it holds the entry used for every category without one of its own.
class CMapECatToXLTData : public CMapWordToPtr
{
  DECLARE_DYNAMIC(CMapECatToXLTData)
public:
  CMapECatToXLTData(const CMapECatToXLTData&) = delete;
  CMapECatToXLTData& operator=(const CMapECatToXLTData&) = delete;
  ~CMapECatToXLTData() override;

  // The category's data, else the key-0 entry. Category 0 is no entity category and throws
  // CVRXEntityException; so does a category that falls back on a map without a key-0 entry.
  CObject* GetXLTData(int category) const;
  // Takes ownership of data; an object it replaces is deleted.
  void SetXLTData(int category, CObject* data);

protected:
  CMapECatToXLTData();
  // Deep copy: every entry of the source copied by copyData under the same category.
  CMapECatToXLTData(const CMapECatToXLTData& source, CObject* (*copyData)(const CObject& data));
};

class CMapECatToXLTDXFData : public CMapECatToXLTData
{
  DECLARE_DYNAMIC(CMapECatToXLTDXFData)
public:
  CMapECatToXLTDXFData();
  CMapECatToXLTDXFData(const CMapECatToXLTDXFData& source);
  ~CMapECatToXLTDXFData() override;

  const CXLTDXFData* GetDXFData(int category) const { return static_cast<CXLTDXFData*>(GetXLTData(category)); }
  void SetDXFData(int category, CXLTDXFData* data) { SetXLTData(category, data); }
};

class CMapECatToXLTGDIData : public CMapECatToXLTData
{
  DECLARE_DYNAMIC(CMapECatToXLTGDIData)
public:
  CMapECatToXLTGDIData();
  CMapECatToXLTGDIData(const CMapECatToXLTGDIData& source);
  ~CMapECatToXLTGDIData() override;

  const CXLTGDIData* GetGDIData(int category) const { return static_cast<CXLTGDIData*>(GetXLTData(category)); }
  void SetGDIData(int category, CXLTGDIData* data) { SetXLTData(category, data); }
};
