#pragma once
// A design kept in the project as the bytes of its own archive, with its name, window state and
// times. The design is rebuilt from the bytes only when it is needed.
#include <vector>

#include "platform/core/Rect.h"
#include "platform/core/String.h"
#include "platform/core/Time.h"
#include "support/Ownarray.h"

class CDesign;

class CDesignStore : public CObject
{
  DECLARE_SERIAL(CDesignStore)
public:
  CDesignStore();
  // Copies duplicate the block; a block that cannot be allocated throws CAppException.
  CDesignStore(const CDesignStore& other);
  CDesignStore& operator=(const CDesignStore& other);
  ~CDesignStore() override;

  CString GetName() const { return m_strName; }
  DWORD GetCRC() const { return m_dwChecksum; }
  DWORD GetBlockLength() const { return static_cast<DWORD>(m_block.size()); }
  const std::vector<BYTE>& GetBlock() const { return m_block; }
  double GetDesignWidth() const { return m_dDesignWidth; }
  double GetDesignHeight() const { return m_dDesignHeight; }
  double GetScaleFactor() const { return m_dScaleFactor; }
  CPoint GetScrollPosition() const { return m_scrollPosition; }
  CRect GetWindowRect() const { return m_windowRect; }
  CTime GetCreated() const { return m_created; }
  CTime GetModified() const { return m_modified; }

  // Serializes the design into the block and takes its window state; modified becomes now.
  void Store(CDesign* design);
  // Rebuilds a freshly constructed design from the block; no block throws CAppException.
  void Retrieve(CDesign* design) const;
  // Renames the design inside the block (retrieve, rename, store).
  void SetName(const CString& name);
  // No block, no name, default window state, both times now; the design size stays.
  void Clear();

  // The stored-design record: stamp, name, block length and block, width, height, scale,
  // created, modified, scroll position, window rectangle.
  void Serialize(CArchive& ar) override;

private:
  void ReadBlock(CArchive& ar);
  // Size, scale, times, scroll position and window rectangle, in file order.
  void WriteWindowState(CArchive& ar) const;
  void ReadWindowState(CArchive& ar);
  void UpdateChecksum();

  CString m_strName;
  std::vector<BYTE> m_block;
  DWORD m_dwChecksum = 0;
  double m_dDesignWidth = 0.0;
  double m_dDesignHeight = 0.0;
  CTime m_created;
  CTime m_modified;
  double m_dScaleFactor = 0.0;
  CPoint m_scrollPosition;
  CRect m_windowRect{0, 0, 100, 100};
};

// The project's stored designs in list order; owns them.
class CDesignStoreArray : public COwnArrayOf<CDesignStore>
{
  DECLARE_DYNCREATE(CDesignStoreArray)
public:
  // Index of the first design whose name equals the given one without regard to case; -1 if none.
  int Find(const CString& name) const;
  // Count, then each stored design by reference.
  void Serialize(CArchive& ar) override;
};
