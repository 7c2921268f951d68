#pragma once
// The Qt side of a window (internal to ui): the widgets, the event bridge that turns
// Qt events into window messages, the retained surface with its invalid region, and the
// process-wide window state (handle map, capture, key state, cursor).
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include <QEvent>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include "ui/draw/Dc.h"
#include "ui/draw/ImageData.h"
#include "ui/draw/RectRegion.h"
#include "ui/wnd/Wnd.h"

class CMenu;
class QMouseEvent;
class QKeyEvent;
class QWheelEvent;

// A message posted to a window, delivered through the Qt event queue.
class CPostedMessageEvent : public QEvent
{
public:
  explicit CPostedMessageEvent(const MSG& msg) : QEvent(EventType()), m_msg(msg) {}
  static QEvent::Type EventType();
  const MSG& Msg() const { return m_msg; }

private:
  MSG m_msg;
};

class CWndBridge : public QObject
{
public:
  explicit CWndBridge(CWndImpl* impl) : m_pImpl(impl) {}
  bool eventFilter(QObject* watched, QEvent* event) override;

protected:
  bool event(QEvent* event) override;

private:
  bool MouseEvent(QWidget* widget, QMouseEvent* event);
  bool KeyEvent(QKeyEvent* event);
  bool WheelEvent(QWheelEvent* event);
  CWndImpl* m_pImpl;
};

class CWndImpl
{
public:
  explicit CWndImpl(CWnd* pWnd);
  ~CWndImpl();

  void Attach(QWidget* client, QWidget* outer, bool ownerPaints);
  void Detach();
  QWidget* Client() const { return m_pClient; }
  QWidget* Outer() const { return m_pOuter ? m_pOuter.data() : m_pClient.data(); }
  QWidget* ChildHost() const { return m_pChildHost ? m_pChildHost.data() : m_pClient.data(); }
  void SetChildHost(QWidget* host) { m_pChildHost = host; }
  bool OwnerPaints() const { return m_bOwnerPaints; }
  CWndBridge* Bridge() const { return m_pBridge.get(); }

  // Surface and invalid region.
  // Kept at the window's device pixel ratio: made again, and the window painted whole, when that changes.
  CImageData* Surface();
  double DeviceRatio() const;
  CRect ClientRect() const;
  void Invalidate(const CRectRegion& region, bool erase);
  void Validate(const CRectRegion& region);
  bool HasInvalid() const { return !m_invalid.IsEmpty(); }
  const CRectRegion& InvalidRegion() const { return m_invalid; }
  bool TakeErase();
  void ClearInvalid() { m_invalid.Clear(); }
  void RequestPaint();
  void Blit(const CRect& rect);
  // Drawing changed the rectangle: sharp pictures under it give way to the surface's pixels.
  void Touch(const CRect& rect);
  // Touch of the bounds of many drawn rectangles, where that is the same as touching each: no
  // sharp picture lies under the bounds. Answers whether it touched.
  bool TouchAtOnce(const CRect& bounds);
  // Asks the window to show what was drawn outside a paint since the last time.
  void ShowTouched();
  // A picture drawn at the device pixel ratio, shown over the surface where it was copied.
  void AddSharpPicture(const QRect& rect, const QImage& image, const QRegion& clip);
  // The places of the sharp pictures shown now.
  std::vector<QRect> SharpPictureRects() const;
  // Paints what is invalid into the surface; the part of it outside showing is then shown.
  void PaintNow(const QRegion& showing = QRegion());
  void OnPaintEvent(const QRegion& region);
  void OnResized();
  void Scroll(int dx, int dy, const CRect& scrollRect, CRectRegion& uncovered);
  COLORREF BackgroundColour() const { return m_background; }
  void SetBackgroundColour(COLORREF c, bool erase)
  {
    m_background = c;
    m_bEraseBackground = erase;
  }
  bool ErasesBackground() const { return m_bEraseBackground; }

  // Timers: window ids to Qt timer ids.
  UINT_PTR StartTimer(UINT_PTR id, UINT elapse);
  bool StopTimer(UINT_PTR id);
  bool TimerIdFor(int qtId, UINT_PTR& id) const;

  // A further widget whose mouse input belongs to the window (the viewport of a list).
  void SetInputWidget(QWidget* widget);
  QWidget* InputWidget() const { return m_pInput; }

  CWnd* m_pWnd;
  CMenu* m_pMenu = nullptr;
  CFont m_font;
  // Controls made from a dialog template, owned by the window they stand on.
  std::vector<std::unique_ptr<CWnd>> m_templateControls;
  HCURSOR m_hClassCursor = nullptr;
  std::vector<std::unique_ptr<CDC>> m_dcs;
  bool m_bInPaint = false;
  // What the running paint handler drew, shown when it returns.
  CRect m_touchedInPaint;
  // What was drawn outside a paint and is not yet shown.
  CRect m_touchedOutsidePaint;
  bool m_bClosing = false;
  // The window is painted whole again when its size changes, as a window class with the
  // horizontal and vertical redraw styles is; otherwise only the strips a larger size uncovers.
  bool m_bRedrawOnSize = false;
  // Widgets made by the window go with it; widgets it was attached to belong to their maker.
  bool m_bOwnsWidget = true;

private:
  QPointer<QWidget> m_pClient;
  QPointer<QWidget> m_pOuter;
  QPointer<QWidget> m_pChildHost;
  QPointer<QWidget> m_pInput;
  std::unique_ptr<CWndBridge> m_pBridge;
  std::unique_ptr<CImageData> m_pSurface;
  CRectRegion m_invalid;
  struct CSharpPicture
  {
    QRect rect;
    QImage image;
    QRegion clip;
  };
  std::vector<CSharpPicture> m_sharpPictures;
  bool m_bErase = false;
  bool m_bOwnerPaints = false;
  bool m_bEraseBackground = true;
  COLORREF m_background = RGB(255, 255, 255);
  std::map<UINT_PTR, int> m_timers;
};

// Process-wide window state.
struct CWndGlobals
{
  std::unordered_map<QWidget*, CWnd*> handles;
  CWnd* pCapture = nullptr;
  bool shiftDown = false;
  bool ctrlDown = false;
  bool altDown = false;
  Qt::MouseButtons buttons;
  CPoint cursorPos;
  HCURSOR hCursor = nullptr;
  static CWndGlobals& Get();
};

// Event translation shared by windows, the application's message filter and drag loops.
bool MouseEventToMsg(QWidget* widget, const QMouseEvent* event, MSG& msg);
bool KeyEventToMsg(QWidget* widget, const QKeyEvent* event, MSG& msg);
UINT QtKeyToVirtualKey(int key, Qt::KeyboardModifiers modifiers);
void TrackInputState(const QEvent* event);
void ApplyCursor(QWidget* widget, HCURSOR hCursor);
// The window (object) that owns a widget, walking up to registered ancestors.
CWnd* WindowOfWidget(QWidget* widget);
