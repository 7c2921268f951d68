// The Qt side of a window: its widgets attached and detached, its timers, and the process-wide
// window state.
#include "ui/wnd/WndImpl.h"

#include <algorithm>

QEvent::Type CPostedMessageEvent::EventType()
{
  static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

CWndGlobals& CWndGlobals::Get()
{
  // Never destroyed: windows held by the application object detach their handles at exit.
  static auto* globals = new CWndGlobals;
  return *globals;
}

CWnd* WindowOfWidget(QWidget* widget)
{
  auto& handles = CWndGlobals::Get().handles;
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    auto it = handles.find(w);
    if (it != handles.end())
      return it->second;
  }
  return nullptr;
}

CWndImpl::CWndImpl(CWnd* pWnd) : m_pWnd(pWnd), m_pBridge(std::make_unique<CWndBridge>(this)) {}

CWndImpl::~CWndImpl() { Detach(); }

void CWndImpl::Attach(QWidget* client, QWidget* outer, bool ownerPaints)
{
  m_pClient = client;
  m_pOuter = outer;
  m_bOwnerPaints = ownerPaints;
  auto& handles = CWndGlobals::Get().handles;
  handles[client] = m_pWnd;
  client->installEventFilter(m_pBridge.get());
  if (outer && outer != client) {
    handles[outer] = m_pWnd;
    outer->installEventFilter(m_pBridge.get());
  }
  if (ownerPaints) {
    client->setAttribute(Qt::WA_OpaquePaintEvent);
    client->setFocusPolicy(Qt::ClickFocus);
    client->setMouseTracking(true);
  }
  // A widget deleted by Qt (with its parent) leaves the window without a handle, and its address
  // leaves the handle map before another widget can be made there.
  CWnd* wnd = m_pWnd;
  auto forget = [wnd](QObject* obj) {
    auto& map = CWndGlobals::Get().handles;
    if (auto it = map.find(static_cast<QWidget*>(obj)); it != map.end() && it->second == wnd)
      map.erase(it);
    if (wnd->m_hWnd == obj)
      wnd->m_hWnd = nullptr;
  };
  QObject::connect(client, &QObject::destroyed, m_pBridge.get(), forget);
  if (outer && outer != client)
    QObject::connect(outer, &QObject::destroyed, m_pBridge.get(), forget);
}

void CWndImpl::SetInputWidget(QWidget* widget)
{
  m_pInput = widget;
  if (widget) {
    widget->installEventFilter(m_pBridge.get());
    widget->setMouseTracking(true);
  }
}

void CWndImpl::Detach()
{
  auto& g = CWndGlobals::Get();
  if (m_pInput)
    m_pInput->removeEventFilter(m_pBridge.get());
  m_pInput = nullptr;
  for (QWidget* w : {m_pClient.data(), m_pOuter.data()}) {
    if (!w)
      continue;
    auto it = g.handles.find(w);
    if (it != g.handles.end() && it->second == m_pWnd)
      g.handles.erase(it);
    w->removeEventFilter(m_pBridge.get());
  }
  if (g.pCapture == m_pWnd)
    g.pCapture = nullptr;
  for (const auto& t : m_timers)
    m_pBridge->killTimer(t.second);
  m_timers.clear();
  for (QWidget* w : {m_pClient.data(), m_pOuter.data()})
    if (w)
      QObject::disconnect(w, nullptr, m_pBridge.get(), nullptr);
  m_pClient = nullptr;
  m_pOuter = nullptr;
  m_pChildHost = nullptr;
}

UINT_PTR CWndImpl::StartTimer(UINT_PTR id, UINT elapse)
{
  StopTimer(id);
  const int qtId = m_pBridge->startTimer(static_cast<int>(std::max<UINT>(elapse, 1)), Qt::PreciseTimer);
  if (qtId == 0)
    return 0;
  m_timers[id] = qtId;
  return id;
}

bool CWndImpl::StopTimer(UINT_PTR id)
{
  auto it = m_timers.find(id);
  if (it == m_timers.end())
    return false;
  m_pBridge->killTimer(it->second);
  m_timers.erase(it);
  return true;
}

bool CWndImpl::TimerIdFor(int qtId, UINT_PTR& id) const
{
  for (const auto& t : m_timers)
    if (t.second == qtId) {
      id = t.first;
      return true;
    }
  return false;
}
