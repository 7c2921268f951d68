#include "ui/wnd/WndImpl.h"

#include <algorithm>
#include <utility>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QTimerEvent>
#include <QWheelEvent>

#include "ui/wnd/QtConv.h"

namespace {
// Past this many rectangles the invalid region is kept as its bounding box. Keeping the
// rectangles disjoint walks them all for each change, and the paint clips every primitive
// against them: the handles of two thousand units deselected at once would make a region of
// sixteen thousand pieces that costs far more than painting their box once.
constexpr size_t kMostInvalidRects = 32;

void KeepSimple(CRectRegion& invalid)
{
  if (invalid.Rects().size() < 2)
    return;
  // Pieces that fill their box exactly are that one rectangle: a unit's handles invalidated
  // before the whole view would otherwise leave the view in five pieces, and every later
  // invalidation of the selection would have to be cut against all of them.
  const CRect bounds = invalid.GetBounds();
  if (invalid.Rects().size() > kMostInvalidRects ||
      invalid.Area() == static_cast<long>(bounds.Width()) * bounds.Height())
    invalid = CRectRegion(bounds);
}
}  // namespace

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

namespace {
// The window that input to a widget is for: the search stops at a window of its own, so that
// keys pressed in a message box or a standard dialog never reach the dialog that opened it.
CWnd* WindowOfInput(QWidget* widget)
{
  auto& handles = CWndGlobals::Get().handles;
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    if (auto it = handles.find(w); it != handles.end())
      return it->second;
    if (w->isWindow())
      return nullptr;
  }
  return nullptr;
}
}  // namespace

UINT QtKeyToVirtualKey(int key, Qt::KeyboardModifiers modifiers)
{
  if (key >= Qt::Key_A && key <= Qt::Key_Z)
    return static_cast<UINT>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
    return VK_F1 + static_cast<UINT>(key - Qt::Key_F1);
  if (key >= Qt::Key_0 && key <= Qt::Key_9)
    return static_cast<UINT>('0' + (key - Qt::Key_0));
  switch (key) {
  case Qt::Key_Plus:
    return (modifiers & Qt::KeypadModifier) ? VK_ADD : static_cast<UINT>(0xBB);
  case Qt::Key_Minus:
    return (modifiers & Qt::KeypadModifier) ? VK_SUBTRACT : static_cast<UINT>(0xBD);
  case Qt::Key_Shift:
    return VK_SHIFT;
  case Qt::Key_Control:
    return VK_CONTROL;
  case Qt::Key_Alt:
    return VK_MENU;
  case Qt::Key_Escape:
    return VK_ESCAPE;
  case Qt::Key_Return:
  case Qt::Key_Enter:
    return VK_RETURN;
  case Qt::Key_Tab:
  case Qt::Key_Backtab:
    return VK_TAB;
  case Qt::Key_Backspace:
    return VK_BACK;
  case Qt::Key_Space:
    return VK_SPACE;
  case Qt::Key_Left:
    return VK_LEFT;
  case Qt::Key_Up:
    return VK_UP;
  case Qt::Key_Right:
    return VK_RIGHT;
  case Qt::Key_Down:
    return VK_DOWN;
  case Qt::Key_Delete:
    return VK_DELETE;
  case Qt::Key_Insert:
    return VK_INSERT;
  case Qt::Key_Home:
    return VK_HOME;
  case Qt::Key_End:
    return VK_END;
  case Qt::Key_PageUp:
    return VK_PRIOR;
  case Qt::Key_PageDown:
    return VK_NEXT;
  default:
    return 0;
  }
}

void TrackInputState(const QEvent* event)
{
  CWndGlobals& g = CWndGlobals::Get();
  switch (event->type()) {
  case QEvent::KeyPress:
  case QEvent::KeyRelease: {
    const auto* ke = static_cast<const QKeyEvent*>(event);
    const bool down = event->type() == QEvent::KeyPress;
    g.shiftDown = ke->key() == Qt::Key_Shift ? down : (ke->modifiers() & Qt::ShiftModifier) != 0;
    g.ctrlDown = ke->key() == Qt::Key_Control ? down : (ke->modifiers() & Qt::ControlModifier) != 0;
    g.altDown = ke->key() == Qt::Key_Alt ? down : (ke->modifiers() & Qt::AltModifier) != 0;
    break;
  }
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick:
  case QEvent::MouseMove: {
    const auto* me = static_cast<const QMouseEvent*>(event);
    g.shiftDown = (me->modifiers() & Qt::ShiftModifier) != 0;
    g.ctrlDown = (me->modifiers() & Qt::ControlModifier) != 0;
    g.altDown = (me->modifiers() & Qt::AltModifier) != 0;
    g.buttons = me->buttons();
    const QPoint global = me->globalPosition().toPoint();
    g.cursorPos = CPoint(global.x(), global.y());
    break;
  }
  default:
    break;
  }
}

bool MouseEventToMsg(QWidget* widget, const QMouseEvent* event, MSG& msg)
{
  CWndGlobals& g = CWndGlobals::Get();
  CWnd* target = g.pCapture && g.pCapture->m_hWnd ? g.pCapture : WindowOfInput(widget);
  if (!target || !target->m_hWnd)
    return false;
  const bool left = event->button() == Qt::LeftButton;
  const bool right = event->button() == Qt::RightButton;
  switch (event->type()) {
  case QEvent::MouseMove:
    msg.message = WM_MOUSEMOVE;
    break;
  case QEvent::MouseButtonPress:
    msg.message = left ? WM_LBUTTONDOWN : right ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
    break;
  case QEvent::MouseButtonRelease:
    msg.message = left ? WM_LBUTTONUP : right ? WM_RBUTTONUP : WM_MBUTTONUP;
    break;
  case QEvent::MouseButtonDblClick:
    msg.message = left ? WM_LBUTTONDBLCLK : right ? WM_RBUTTONDBLCLK : WM_MBUTTONDOWN;
    break;
  default:
    return false;
  }
  UINT flags = 0;
  if (event->buttons() & Qt::LeftButton)
    flags |= MK_LBUTTON;
  if (event->buttons() & Qt::RightButton)
    flags |= MK_RBUTTON;
  if (event->buttons() & Qt::MiddleButton)
    flags |= MK_MBUTTON;
  if (event->modifiers() & Qt::ShiftModifier)
    flags |= MK_SHIFT;
  if (event->modifiers() & Qt::ControlModifier)
    flags |= MK_CONTROL;
  const QPoint global = event->globalPosition().toPoint();
  const QPoint local = target->Impl()->Client()->mapFromGlobal(global);
  msg.hwnd = target->m_hWnd;
  msg.wParam = flags;
  msg.lParam = MAKELPARAM(local.x(), local.y());
  msg.pt = POINT{global.x(), global.y()};
  msg.time = static_cast<DWORD>(event->timestamp());
  return true;
}

bool KeyEventToMsg(QWidget* widget, const QKeyEvent* event, MSG& msg)
{
  CWnd* target = WindowOfInput(widget);
  if (!target || !target->m_hWnd)
    return false;
  const UINT vk = QtKeyToVirtualKey(event->key(), event->modifiers());
  if (vk == 0)
    return false;
  const bool down = event->type() == QEvent::KeyPress;
  msg.hwnd = target->m_hWnd;
  msg.message = down ? WM_KEYDOWN : WM_KEYUP;
  msg.wParam = vk;
  // Repeat count 1; bit 30 (previous state) and bit 31 (transition) for releases.
  msg.lParam = down ? (event->isAutoRepeat() ? 0x40000001 : 1) : static_cast<LPARAM>(0xC0000001u);
  const CPoint pos = CWndGlobals::Get().cursorPos;
  msg.pt = POINT{pos.x, pos.y};
  return true;
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

CRect CWndImpl::ClientRect() const
{
  return m_pClient ? CRect(0, 0, m_pClient->width(), m_pClient->height()) : CRect();
}

CImageData* CWndImpl::Surface()
{
  const CRect client = ClientRect();
  if (!m_pSurface)
    m_pSurface = std::make_unique<CImageData>(client.Width(), client.Height(), m_background);
  else if (m_pSurface->Size() != client.Size())
    m_pSurface->Resize(client.Width(), client.Height(), m_background);
  return m_pSurface.get();
}

void CWndImpl::Invalidate(const CRectRegion& region, bool erase)
{
  CRectRegion clipped(region);
  clipped.Intersect(ClientRect());
  if (clipped.IsEmpty())
    return;
  // What is invalid already has its paint asked for: the items of a large selection each
  // invalidate themselves inside a view that one of them invalidated whole.
  if (m_invalid.ContainsRect(clipped.GetBounds())) {
    m_bErase = m_bErase || erase;
    return;
  }
  m_invalid.Union(clipped);
  KeepSimple(m_invalid);
  m_bErase = m_bErase || erase;
  RequestPaint();
}

void CWndImpl::Validate(const CRectRegion& region)
{
  // A validation that would break the region into many pieces is left out: the next paint
  // draws that part again, which costs less than clipping to the pieces.
  CRectRegion rest(m_invalid);
  rest.Subtract(region);
  if (rest.Rects().size() > kMostInvalidRects)
    return;
  m_invalid = rest;
  if (m_invalid.IsEmpty())
    m_bErase = false;
}

bool CWndImpl::TakeErase()
{
  const bool erase = m_bErase;
  m_bErase = false;
  return erase;
}

void CWndImpl::RequestPaint()
{
  if (m_pClient && m_bOwnerPaints)
    m_pClient->update();
}

void CWndImpl::Blit(const CRect& rect)
{
  // The end of a paint handler's painting is shown with the rest of that paint.
  if (m_bInPaint) {
    m_touchedInPaint.UnionRect(m_touchedInPaint, rect);
    return;
  }
  if (m_pClient && m_bOwnerPaints)
    m_pClient->update(ToQRect(rect));
}

void CWndImpl::Touch(const CRect& rect)
{
  if (!m_sharpPictures.empty()) {
    const QRect touched = ToQRect(rect);
    std::erase_if(m_sharpPictures, [&touched](const CSharpPicture& p) { return p.rect.intersects(touched); });
  }
  // A paint handler draws thousands of primitives: the window is asked to show them once, when
  // the handler returns, rather than once per primitive.
  if (m_bInPaint) {
    m_touchedInPaint.UnionRect(m_touchedInPaint, rect);
    return;
  }
  // Drawing outside a paint (the handles of a whole selection, the image of a dragged group)
  // comes in runs of thousands of primitives too: the window is asked to show the run once,
  // as soon as the events that drew it are done. Asking for each primitive grows the window's
  // dirty region by one piece each time, at a cost that grows with the pieces already there.
  if (!m_pClient || !m_bOwnerPaints)
    return;
  const bool first = m_touchedOutsidePaint.IsRectEmpty();
  m_touchedOutsidePaint.UnionRect(m_touchedOutsidePaint, rect);
  if (first)
    QMetaObject::invokeMethod(
        m_pBridge.get(), [this] { ShowTouched(); }, Qt::QueuedConnection);
}

bool CWndImpl::TouchAtOnce(const CRect& bounds)
{
  const QRect touched = ToQRect(bounds);
  if (std::any_of(m_sharpPictures.begin(), m_sharpPictures.end(),
                  [&touched](const CSharpPicture& p) { return p.rect.intersects(touched); }))
    return false;
  Touch(bounds);
  return true;
}

void CWndImpl::ShowTouched()
{
  const CRect touched = std::exchange(m_touchedOutsidePaint, CRect());
  if (m_pClient && m_bOwnerPaints && !touched.IsRectEmpty())
    m_pClient->update(ToQRect(touched));
}

std::vector<QRect> CWndImpl::SharpPictureRects() const
{
  std::vector<QRect> rects;
  for (const CSharpPicture& picture : m_sharpPictures)
    rects.push_back(picture.rect);
  return rects;
}

void CWndImpl::AddSharpPicture(const QRect& rect, const QImage& image, const QRegion& clip)
{
  m_sharpPictures.push_back({rect, image, clip & rect});
  if (m_pClient && m_bOwnerPaints)
    m_pClient->update(rect);
}

void CWndImpl::PaintNow(const QRegion& showing)
{
  if (m_bInPaint || m_invalid.IsEmpty() || !m_pWnd->m_hWnd)
    return;
  m_bInPaint = true;
  m_touchedInPaint = CRect();
  m_pWnd->SendMessage(WM_PAINT);
  m_bInPaint = false;
  if (!m_touchedInPaint.IsRectEmpty() && m_pClient && m_bOwnerPaints) {
    // What the screen paint under way shows needs no second one: asking for it from inside
    // that paint would copy the whole area to the screen twice.
    const QRegion rest = QRegion(ToQRect(m_touchedInPaint)) - showing;
    if (!rest.isEmpty())
      m_pClient->update(rest);
  }
  // A handler that did not paint leaves nothing pending, so painting cannot loop.
  m_invalid.Clear();
  m_bErase = false;
}

void CWndImpl::OnPaintEvent(const QRegion& region)
{
  PaintNow(region);
  if (!m_pClient)
    return;
  const QRect rect = region.boundingRect();
  CImageData* surface = Surface();
  QPainter painter(m_pClient);
  painter.drawImage(rect, surface->Image(), rect);
  for (const CSharpPicture& picture : m_sharpPictures) {
    if (!picture.rect.intersects(rect))
      continue;
    painter.setClipRegion(picture.clip & rect);
    painter.drawImage(picture.rect.topLeft(), picture.image);
  }
}

void CWndImpl::OnResized()
{
  if (!m_pSurface)
    return;
  const CSize old = m_pSurface->Size();
  Surface();
  const CRect client = ClientRect();
  if (m_bRedrawOnSize) {
    if (client.Size() != old)
      Invalidate(CRectRegion(client), true);
    return;
  }
  // Only the newly exposed strips need painting; the rest of the surface is kept.
  CRectRegion exposed(client);
  exposed.Subtract(CRect(0, 0, old.cx, old.cy));
  if (!exposed.IsEmpty())
    Invalidate(exposed, true);
}

void CWndImpl::Scroll(int dx, int dy, const CRect& scrollRect, CRectRegion& uncovered)
{
  CImageData* surface = Surface();
  CRect area;
  area.IntersectRect(scrollRect, ClientRect());
  uncovered = CRectRegion(area);
  if (area.IsRectEmpty())
    return;
  CRect moved(area);
  moved.OffsetRect(dx, dy);
  CRect dest;
  if (dest.IntersectRect(moved, area)) {
    const CRect src(dest.left - dx, dest.top - dy, dest.right - dx, dest.bottom - dy);
    const QImage copy = surface->Image().copy(ToQRect(src));
    QPainter painter(&surface->Image());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(dest.left, dest.top, copy);
    uncovered.Subtract(dest);
  }
  // Pending invalid parts inside the scrolled area move with the pixels.
  CRectRegion inside(m_invalid);
  inside.Intersect(area);
  m_invalid.Subtract(area);
  inside.Offset(dx, dy);
  inside.Intersect(area);
  m_invalid.Union(inside);
  KeepSimple(m_invalid);
  Touch(area);
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

bool CWndBridge::event(QEvent* event)
{
  CWnd* wnd = m_pImpl->m_pWnd;
  if (event->type() == QEvent::Timer) {
    UINT_PTR id = 0;
    if (wnd->m_hWnd && m_pImpl->TimerIdFor(static_cast<QTimerEvent*>(event)->timerId(), id))
      wnd->SendMessage(WM_TIMER, id, 0);
    return true;
  }
  if (event->type() == CPostedMessageEvent::EventType()) {
    const MSG& msg = static_cast<CPostedMessageEvent*>(event)->Msg();
    if (wnd->m_hWnd)
      wnd->SendMessage(msg.message, msg.wParam, msg.lParam);
    return true;
  }
  return QObject::event(event);
}

bool CWndBridge::MouseEvent(QWidget* widget, QMouseEvent* event)
{
  MSG msg;
  if (!MouseEventToMsg(widget, event, msg))
    return false;
  CWnd* target = CWnd::FromHandlePermanent(msg.hwnd);
  if (!target)
    return false;
  if (!CWnd::GetCapture() &&
      (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN))
    target->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(msg.hwnd), MAKELPARAM(HTCLIENT, msg.message));
  // A handler may have destroyed the window (and its object) meanwhile.
  if (CWnd::FromHandlePermanent(msg.hwnd) == target)
    target->SendMessage(msg.message, msg.wParam, msg.lParam);
  return true;
}

bool CWndBridge::WheelEvent(QWheelEvent* event)
{
  CWnd* wnd = m_pImpl->m_pWnd;
  const QPoint angle = event->angleDelta();
  // A wheel that turns sideways (or a sideways tilt) scrolls horizontally.
  const bool sideways = angle.y() == 0 && angle.x() != 0;
  const int delta = std::clamp(sideways ? angle.x() : angle.y(), -32768, 32767);
  if (delta == 0)
    return true;
  UINT flags = 0;
  if (event->modifiers() & Qt::ShiftModifier)
    flags |= MK_SHIFT;
  if (event->modifiers() & Qt::ControlModifier)
    flags |= MK_CONTROL;
  if (event->buttons() & Qt::LeftButton)
    flags |= MK_LBUTTON;
  if (event->buttons() & Qt::RightButton)
    flags |= MK_RBUTTON;
  const QPoint global = event->globalPosition().toPoint();
  const WPARAM wParam = MAKEWPARAM(static_cast<int>(flags), delta);
  wnd->SendMessage(sideways ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL, wParam, MAKELPARAM(global.x(), global.y()));
  return true;
}

bool CWndBridge::KeyEvent(QKeyEvent* event)
{
  MSG msg;
  CWnd* wnd = m_pImpl->m_pWnd;
  if (!KeyEventToMsg(m_pImpl->Client(), event, msg))
    return false;
  wnd->SendMessage(msg.message, msg.wParam, msg.lParam);
  // The key handler may have destroyed the window; its character then goes nowhere.
  if (msg.message == WM_KEYDOWN && CWnd::FromHandlePermanent(msg.hwnd) == wnd && !event->text().isEmpty())
    wnd->SendMessage(WM_CHAR, static_cast<WPARAM>(event->text().at(0).unicode()), msg.lParam);
  return true;
}

bool CWndBridge::eventFilter(QObject* watched, QEvent* event)
{
  CWnd* wnd = m_pImpl->m_pWnd;
  if (!wnd->m_hWnd)
    return false;
  auto* widget = static_cast<QWidget*>(watched);
  const bool isClient = widget == m_pImpl->Client();
  const bool ownerPaints = m_pImpl->OwnerPaints();
  switch (event->type()) {
  case QEvent::Paint:
    if (isClient && ownerPaints) {
      m_pImpl->OnPaintEvent(static_cast<QPaintEvent*>(event)->region());
      return true;
    }
    break;
  case QEvent::Resize:
    if (isClient) {
      m_pImpl->OnResized();
      wnd->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(widget->width(), widget->height()));
    }
    break;
  case QEvent::Move:
    if (widget == m_pImpl->Outer())
      wnd->SendMessage(WM_MOVE, 0, MAKELPARAM(widget->x(), widget->y()));
    break;
  case QEvent::Show:
    if (isClient && ownerPaints)
      m_pImpl->Invalidate(CRectRegion(m_pImpl->ClientRect()), true);
    if (widget == m_pImpl->Outer())
      wnd->SendMessage(WM_SHOWWINDOW, TRUE, 0);
    break;
  case QEvent::Hide:
    if (widget == m_pImpl->Outer())
      wnd->SendMessage(WM_SHOWWINDOW, FALSE, 0);
    break;
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick:
  case QEvent::MouseMove:
    if (isClient && ownerPaints)
      return MouseEvent(widget, static_cast<QMouseEvent*>(event));
    // Controls see their mouse messages too, but keep their own handling of the input.
    if ((isClient || widget == m_pImpl->InputWidget()) && event->type() != QEvent::MouseMove) {
      MSG msg;
      if (MouseEventToMsg(widget, static_cast<QMouseEvent*>(event), msg) && msg.hwnd == wnd->m_hWnd)
        wnd->SendMessage(msg.message, msg.wParam, msg.lParam);
    }
    break;
  case QEvent::Wheel:
    if (isClient && ownerPaints)
      return WheelEvent(static_cast<QWheelEvent*>(event));
    break;
  case QEvent::KeyPress:
  case QEvent::KeyRelease:
    if (isClient && ownerPaints)
      return KeyEvent(static_cast<QKeyEvent*>(event));
    break;
  case QEvent::FocusIn:
    if (isClient)
      wnd->SendMessage(WM_SETFOCUS, 0, 0);
    break;
  case QEvent::FocusOut:
    if (isClient)
      wnd->SendMessage(WM_KILLFOCUS, 0, 0);
    break;
  case QEvent::DragEnter:
    if (widget == m_pImpl->Outer() && widget->acceptDrops() &&
        static_cast<QDragEnterEvent*>(event)->mimeData()->hasUrls())
      static_cast<QDragEnterEvent*>(event)->acceptProposedAction();
    break;
  case QEvent::Drop:
    if (widget == m_pImpl->Outer() && widget->acceptDrops()) {
      // Each dropped file arrives as a WM_DROPFILES of its own.
      for (const QUrl& url : static_cast<QDropEvent*>(event)->mimeData()->urls())
        if (url.isLocalFile() && wnd->m_hWnd) {
          const CString path = PathFromQString(url.toLocalFile());
          wnd->SendMessage(WM_DROPFILES, 0, reinterpret_cast<LPARAM>(&path));
        }
      return true;
    }
    break;
  case QEvent::Close:
    if (widget == m_pImpl->Outer() && !m_pImpl->m_bClosing) {
      // The close box is a system command; the window decides what closing means.
      event->ignore();
      wnd->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
      return true;
    }
    break;
  default:
    break;
  }
  return false;
}
