#include "ui/dlg/BmpBtn.h"

#include <QAbstractButton>
#include <QIcon>
#include <QPixmap>

#include "ui/draw/Gdi.h"
#include "ui/draw/ImageData.h"

IMPLEMENT_DYNAMIC(CBitmapButton, CButton)

namespace {
// The picture of a bitmap resource, sharp on a scaled screen; null when there is none.
QPixmap PictureOf(UINT nID)
{
  CBitmap bitmap;
  if (!nID || !bitmap.LoadBitmap(nID))
    return QPixmap();
  const CImageData* pImage = bitmap.SharpImage() ? bitmap.SharpImage() : bitmap.Image();
  return QPixmap::fromImage(pImage->Image());
}
}  // namespace

BOOL CBitmapButton::LoadBitmaps(UINT nIDUp, UINT nIDDown, UINT nIDFocus, UINT nIDDisabled)
{
  QAbstractButton* pButton = Button();
  const QPixmap up = PictureOf(nIDUp);
  if (!pButton || up.isNull())
    return FALSE;
  QIcon icon(up);
  if (const QPixmap down = PictureOf(nIDDown); !down.isNull())
    icon.addPixmap(down, QIcon::Active, QIcon::On);
  if (const QPixmap focus = PictureOf(nIDFocus); !focus.isNull())
    icon.addPixmap(focus, QIcon::Selected);
  if (const QPixmap disabled = PictureOf(nIDDisabled); !disabled.isNull())
    icon.addPixmap(disabled, QIcon::Disabled);
  pButton->setText(QString());
  pButton->setIcon(icon);
  pButton->setIconSize(up.deviceIndependentSize().toSize());
  return TRUE;
}
