#include "ui/output/Clipbrd.h"

#include <cstring>
#include <map>
#include <memory>

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "ui/draw/MetaFile.h"
#include "ui/wnd/QtConv.h"
#include "ui/wnd/Wnd.h"

namespace {
constexpr UINT kFirstRegistered = 0xC000;
// Pictures are rendered at most this large on the clipboard.
constexpr int kPictureSize = 2048;

struct CClipboardState
{
  bool open = false;
  bool changed = false;
  std::unique_ptr<QMimeData> pending;
  std::vector<std::unique_ptr<CGlobalBlock>> owned;
  std::map<std::string, UINT> registered;
};

CClipboardState& State()
{
  // Never destroyed, like the other registries windows reach at exit.
  static auto* state = new CClipboardState;
  return *state;
}

QClipboard* SystemClipboard()
{
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

std::unique_ptr<QMimeData> CopyOf(const QMimeData* source)
{
  auto copy = std::make_unique<QMimeData>();
  if (source)
    for (const QString& format : source->formats())
      copy->setData(format, source->data(format));
  return copy;
}

HGLOBAL TakeBlock(const QByteArray& bytes, bool terminate)
{
  auto block = std::make_unique<CGlobalBlock>();
  block->bytes.assign(bytes.begin(), bytes.end());
  if (terminate)
    block->bytes.push_back(0);
  HGLOBAL h = block.get();
  State().owned.push_back(std::move(block));
  return h;
}
}  // namespace

HGLOBAL GlobalAlloc(UINT, std::size_t dwBytes)
{
  auto* block = new CGlobalBlock;
  block->bytes.assign(dwBytes, 0);
  return block;
}

void* GlobalLock(HGLOBAL hMem)
{
  if (!hMem)
    return nullptr;
  ++hMem->locks;
  return hMem->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL hMem)
{
  if (!hMem || hMem->locks == 0)
    return FALSE;
  return --hMem->locks > 0;
}

std::size_t GlobalSize(HGLOBAL hMem) { return hMem ? hMem->bytes.size() : 0; }

HGLOBAL GlobalFree(HGLOBAL hMem)
{
  delete hMem;
  return nullptr;
}

UINT RegisterClipboardFormat(LPCTSTR lpszFormat)
{
  if (!lpszFormat || !*lpszFormat)
    return 0;
  CString key(lpszFormat);
  key.MakeLower();
  auto& registered = State().registered;
  auto it = registered.find(key.str());
  if (it != registered.end())
    return it->second;
  const UINT id = kFirstRegistered + static_cast<UINT>(registered.size());
  registered.emplace(key.str(), id);
  return id;
}

CString ClipboardMimeType(UINT uFormat)
{
  if (uFormat == CF_TEXT)
    return "text/plain";
  for (const auto& entry : State().registered)
    if (entry.second == uFormat) {
      // "Panecraft Design Item" becomes application/x-panecraft-design-item.
      CString slug;
      for (char c : entry.first)
        slug += (c == ' ' || c == '_') ? '-' : c;
      return CString("application/x-") + slug;
    }
  return CString();
}

BOOL OpenClipboard(CWnd*)
{
  CClipboardState& state = State();
  if (state.open || !SystemClipboard())
    return FALSE;
  state.open = true;
  state.changed = false;
  state.pending = CopyOf(SystemClipboard()->mimeData());
  return TRUE;
}

BOOL CWnd::OpenClipboard() { return ::OpenClipboard(this); }

BOOL EmptyClipboard()
{
  CClipboardState& state = State();
  if (!state.open)
    return FALSE;
  state.pending = std::make_unique<QMimeData>();
  state.changed = true;
  return TRUE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem)
{
  CClipboardState& state = State();
  auto* block = static_cast<HGLOBAL>(hMem);
  if (!state.open || !block)
    return nullptr;
  if (uFormat == CF_TEXT) {
    // The text ends at its terminating zero byte.
    const char* text = reinterpret_cast<const char*>(block->bytes.data());
    const size_t length = strnlen(text, block->bytes.size());
    state.pending->setText(ToQString(CString(text, static_cast<int>(length))));
  } else if (uFormat == CF_METAFILEPICT) {
    if (block->bytes.size() < sizeof(METAFILEPICT))
      return nullptr;
    METAFILEPICT pict;
    std::memcpy(&pict, block->bytes.data(), sizeof(pict));
    std::unique_ptr<CMetaFileData> picture(pict.hMF);
    if (!picture)
      return nullptr;
    state.pending->setData("image/svg+xml", picture->ToSvg(kPictureSize, kPictureSize));
    state.pending->setImageData(picture->Render(kPictureSize, kPictureSize));
  } else {
    const CString mime = ClipboardMimeType(uFormat);
    if (mime.IsEmpty())
      return nullptr;
    state.pending->setData(ToQString(mime), QByteArray(reinterpret_cast<const char*>(block->bytes.data()),
                                                       static_cast<qsizetype>(block->bytes.size())));
  }
  state.changed = true;
  state.owned.emplace_back(block);
  return hMem;
}

HANDLE GetClipboardData(UINT uFormat)
{
  CClipboardState& state = State();
  if (!state.open || !state.pending)
    return nullptr;
  if (uFormat == CF_TEXT)
    return state.pending->hasText() ? TakeBlock(FromQString(state.pending->text()).str().c_str(), true) : nullptr;
  const CString mime = ClipboardMimeType(uFormat);
  if (mime.IsEmpty() || !state.pending->hasFormat(ToQString(mime)))
    return nullptr;
  return TakeBlock(state.pending->data(ToQString(mime)), false);
}

BOOL IsClipboardFormatAvailable(UINT uFormat)
{
  const QMimeData* data =
      State().open ? State().pending.get() : (SystemClipboard() ? SystemClipboard()->mimeData() : nullptr);
  if (!data)
    return FALSE;
  if (uFormat == CF_TEXT)
    return data->hasText();
  if (uFormat == CF_METAFILEPICT)
    return data->hasImage();
  const CString mime = ClipboardMimeType(uFormat);
  return !mime.IsEmpty() && data->hasFormat(ToQString(mime));
}

BOOL CloseClipboard()
{
  CClipboardState& state = State();
  if (!state.open)
    return FALSE;
  if (state.changed && SystemClipboard())
    SystemClipboard()->setMimeData(state.pending.release());
  state.pending.reset();
  state.owned.clear();
  state.open = false;
  state.changed = false;
  return TRUE;
}
