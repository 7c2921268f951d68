#pragma once
// The clipboard with the Windows calling pattern: open, empty, hand over movable memory blocks
// in a format, close. Registered formats become custom MIME types ("Panecraft Design" is
// application/x-panecraft-design), CF_TEXT becomes plain text, and a metafile picture is offered
// as SVG and PNG.
#include <vector>

#include "platform/core/String.h"
#include "ui/draw/Dc.h"
#include "ui/wnd/Msg.h"

enum : UINT
{
  CF_TEXT = 1,
  CF_METAFILEPICT = 3
};

enum : UINT
{
  GMEM_MOVEABLE = 0x0002,
  GMEM_DDESHARE = 0x2000,
  GMEM_ZEROINIT = 0x0040
};

// A movable memory block.
struct CGlobalBlock
{
  std::vector<BYTE> bytes;
  int locks = 0;
};

HGLOBAL GlobalAlloc(UINT uFlags, std::size_t dwBytes);
void* GlobalLock(HGLOBAL hMem);
BOOL GlobalUnlock(HGLOBAL hMem);
std::size_t GlobalSize(HGLOBAL hMem);
HGLOBAL GlobalFree(HGLOBAL hMem);

// The clipboard record of a picture: the mapping mode, the extents (negative: only the aspect
// ratio counts) and the recorded drawing.
struct METAFILEPICT
{
  LONG mm;
  LONG xExt;
  LONG yExt;
  HMETAFILE hMF;
};

// A registered format's number (0xC000 and up); the same name gives the same number.
UINT RegisterClipboardFormat(LPCTSTR lpszFormat);
// The MIME type that carries a format on the system clipboard.
CString ClipboardMimeType(UINT uFormat);
BOOL OpenClipboard(CWnd* pOwner);
BOOL EmptyClipboard();
// The clipboard takes the block (and, for a picture, its metafile); null on failure.
HANDLE SetClipboardData(UINT uFormat, HANDLE hMem);
// A block owned by the clipboard, valid until the clipboard is closed.
HANDLE GetClipboardData(UINT uFormat);
BOOL IsClipboardFormatAvailable(UINT uFormat);
BOOL CloseClipboard();
