#pragma once
// Holders of what the clipboard and picture code takes: the open clipboard, a movable memory block
// until the clipboard takes it, a lock on a block, a recorded picture and a device context's saved
// state. Each gives back what it took when it goes out of scope, so an early return or an exception
// leaves nothing open, locked or leaked.
#include <cstddef>
#include <vector>

#include "ui/draw/Dc.h"
#include "ui/output/Clipbrd.h"

// The clipboard, open from construction (when it could be opened) until Close or destruction.
class CClipboardSession
{
public:
  explicit CClipboardSession(CWnd* pOwner) : m_bOpen(::OpenClipboard(pOwner)) {}
  ~CClipboardSession() { Close(); }
  CClipboardSession(const CClipboardSession&) = delete;
  CClipboardSession& operator=(const CClipboardSession&) = delete;

  BOOL IsOpen() const { return m_bOpen; }
  // Publishes what was set; FALSE when the clipboard was not open or could not be closed.
  BOOL Close();

private:
  BOOL m_bOpen;
};

// A movable memory block, freed on destruction unless handed over to the clipboard.
class CGlobalMemory
{
public:
  CGlobalMemory(UINT uFlags, std::size_t nBytes) : m_hMem(::GlobalAlloc(uFlags, nBytes)) {}
  ~CGlobalMemory();
  CGlobalMemory(const CGlobalMemory&) = delete;
  CGlobalMemory& operator=(const CGlobalMemory&) = delete;

  HGLOBAL Get() const { return m_hMem; }
  // The clipboard (open) takes the block in the format; on failure the block stays here.
  BOOL SetClipboardData(UINT uFormat);

private:
  HGLOBAL m_hMem;
};

// A lock on a block: the bytes are reachable while it lives.
class CGlobalLock
{
public:
  explicit CGlobalLock(HGLOBAL hMem) : m_hMem(hMem), m_pData(::GlobalLock(hMem)) {}
  ~CGlobalLock()
  {
    if (m_pData)
      ::GlobalUnlock(m_hMem);
  }
  CGlobalLock(const CGlobalLock&) = delete;
  CGlobalLock& operator=(const CGlobalLock&) = delete;

  void* Get() const { return m_pData; }
  template <class T>
  T* As() const
  {
    return static_cast<T*>(m_pData);
  }

private:
  HGLOBAL m_hMem;
  void* m_pData;
};

// A recorded picture, deleted on destruction unless released to its new owner.
class CMetaFileHandle
{
public:
  explicit CMetaFileHandle(HMETAFILE hMF = nullptr) : m_hMF(hMF) {}
  ~CMetaFileHandle() { ::DeleteMetaFile(m_hMF); }
  CMetaFileHandle(const CMetaFileHandle&) = delete;
  CMetaFileHandle& operator=(const CMetaFileHandle&) = delete;

  HMETAFILE Get() const { return m_hMF; }
  HMETAFILE Release()
  {
    HMETAFILE hMF = m_hMF;
    m_hMF = nullptr;
    return hMF;
  }

private:
  HMETAFILE m_hMF;
};

// A device context's state, saved on construction and restored on destruction.
class CSavedDC
{
public:
  explicit CSavedDC(CDC* pDC) : m_pDC(pDC), m_nSaved(pDC->SaveDC()) {}
  ~CSavedDC() { m_pDC->RestoreDC(m_nSaved); }
  CSavedDC(const CSavedDC&) = delete;
  CSavedDC& operator=(const CSavedDC&) = delete;

private:
  CDC* m_pDC;
  int m_nSaved;
};

// Copies the bytes to the start of the block; FALSE when it cannot be locked.
BOOL CopyIntoBlock(HGLOBAL hMem, const void* pData, std::size_t nBytes);

// What reading a format's bytes from the clipboard came to.
enum class CClipboardRead
{
  ok,
  notOpened,  // the clipboard could not be opened
  noData,     // the clipboard holds nothing in the format
  notLocked   // the block could not be locked
};

// Opens the clipboard, copies the bytes held in the format and closes it again.
CClipboardRead ReadClipboardBytes(CWnd* pOwner, UINT uFormat, std::vector<BYTE>& bytes);
