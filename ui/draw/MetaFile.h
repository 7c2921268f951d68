#pragma once
// A recorded drawing and the logical frame it was recorded in (internal to ui).
#include <QImage>
#include <QPicture>

#include "platform/core/Rect.h"

class CMetaFileData
{
public:
  QPicture picture;
  CPoint frameOrg;
  CSize frameExt{0, 0};

  // The frame as a normal rectangle in logical units; the recorded bounds when none was set.
  QRectF Frame() const;
  // Plays the picture scaled into a target of the given size, keeping its aspect ratio.
  QImage Render(int maxWidth, int maxHeight) const;
  QByteArray ToSvg(int maxWidth, int maxHeight) const;
};
