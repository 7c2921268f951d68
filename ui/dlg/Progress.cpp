#include "ui/dlg/Progress.h"

#include <QGuiApplication>
#include <QProgressDialog>

#include "ui/dlg/DialogService.h"
#include "ui/dlg/DlgWidget.h"
#include "ui/wnd/QtConv.h"
#include "ui/wnd/WinApp.h"
#include "ui/wnd/Wnd.h"

namespace {

// Work that looks shorter than this is done before anybody could read a progress window.
constexpr int kShowAfterMs = 500;

QWidget* OwnerWindow(CWnd* pOwner)
{
  CWnd* owner = pOwner ? pOwner : AfxGetMainWnd();
  return owner && owner->GetOuterHandle() ? owner->GetOuterHandle()->window() : nullptr;
}

class CQtProgressWindow : public CProgressWindow
{
public:
  CQtProgressWindow(CWnd* pOwner, const CString& text, int total, BOOL bCanCancel)
    : m_dialog(ToQString(text), bCanCancel ? QStringLiteral("Cancel") : QString(), 0, total > 0 ? total : 1,
               OwnerWindow(pOwner))
  {
    CWinApp* app = AfxGetApp();
    m_dialog.setWindowTitle(app && !app->m_strAppName.IsEmpty() ? ToQString(app->m_strAppName)
                                                                : QGuiApplication::applicationDisplayName());
    // Only a window that can be cancelled has a close box: it cancels.
    m_dialog.setWindowFlags(bCanCancel ? kDialogFrame
                                       : kDialogFrame & ~(Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint));
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(kShowAfterMs);
    m_dialog.setAutoReset(false);
    m_dialog.setAutoClose(false);
    m_dialog.setObjectName(QStringLiteral("progress"));
    m_dialog.setValue(0);
  }

  BOOL SetPos(int done) override
  {
    m_dialog.setValue(done < m_dialog.maximum() ? done : m_dialog.maximum());
    return m_dialog.wasCanceled() ? FALSE : TRUE;
  }

private:
  QProgressDialog m_dialog;
};

}  // namespace

std::unique_ptr<CProgressWindow> CreateQtProgressWindow(CWnd* pOwner, const CString& text, int total, BOOL bCanCancel)
{
  return std::make_unique<CQtProgressWindow>(pOwner, text, total, bCanCancel);
}

CProgress::CProgress(CWnd* pOwner, const CString& text, int total, BOOL bCanCancel)
  : m_pWindow(DialogService().CreateProgress(pOwner, text, total, bCanCancel)),
    m_nTotal(total),
    m_bCanCancel(bCanCancel)
{}

CProgress::~CProgress() = default;

BOOL CProgress::Step(int done)
{
  if (m_bCancelled)
    return FALSE;
  const long long slice = m_nTotal > 0 ? static_cast<long long>(done) * kSlices / m_nTotal : kSlices;
  if (slice == m_nShownSlice)
    return TRUE;
  m_nShownSlice = slice;
  if (!m_pWindow->SetPos(done) && m_bCanCancel)
    m_bCancelled = TRUE;
  return !m_bCancelled;
}
