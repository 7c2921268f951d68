#include "ui/output/Clipguard.h"

#include <cstring>

BOOL CClipboardSession::Close()
{
  if (!m_bOpen)
    return FALSE;
  m_bOpen = FALSE;
  return ::CloseClipboard();
}

CGlobalMemory::~CGlobalMemory()
{
  if (m_hMem)
    ::GlobalFree(m_hMem);
}

BOOL CGlobalMemory::SetClipboardData(UINT uFormat)
{
  if (!m_hMem || !::SetClipboardData(uFormat, m_hMem))
    return FALSE;
  m_hMem = nullptr;
  return TRUE;
}

BOOL CopyIntoBlock(HGLOBAL hMem, const void* pData, std::size_t nBytes)
{
  CGlobalLock lock(hMem);
  if (!lock.Get())
    return FALSE;
  if (nBytes > 0)
    std::memcpy(lock.Get(), pData, nBytes);
  return TRUE;
}

CClipboardRead ReadClipboardBytes(CWnd* pOwner, UINT uFormat, std::vector<BYTE>& bytes)
{
  CClipboardSession clipboard(pOwner);
  if (!clipboard.IsOpen())
    return CClipboardRead::notOpened;
  auto hData = static_cast<HGLOBAL>(::GetClipboardData(uFormat));
  if (!hData)
    return CClipboardRead::noData;
  CGlobalLock lock(hData);
  const auto* pData = lock.As<const BYTE>();
  if (!pData)
    return CClipboardRead::notLocked;
  bytes.assign(pData, pData + ::GlobalSize(hData));
  return CClipboardRead::ok;
}
