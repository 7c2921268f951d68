#pragma once
// Logical-to-device mapping of a device context: mapping mode, window and viewport origins and
// extents, with the isotropic adjustment and rounding to the nearest device unit.
#include "platform/core/Rect.h"
#include "ui/draw/GdiTypes.h"

class CDcMapping
{
public:
  int GetMapMode() const { return m_mode; }
  int SetMapMode(int mode);
  CPoint GetWindowOrg() const { return m_winOrg; }
  CPoint GetViewportOrg() const { return m_vpOrg; }
  CSize GetWindowExt() const;
  CSize GetViewportExt() const;
  CPoint SetWindowOrg(CPoint org);
  CPoint SetViewportOrg(CPoint org);
  CSize SetWindowExt(CSize ext);
  CSize SetViewportExt(CSize ext);

  CPoint LPtoDP(CPoint p) const;
  CPoint DPtoLP(CPoint p) const;
  // Lengths use the magnitudes of the extents, as sizes do.
  CSize LPtoDP(CSize s) const;
  CSize DPtoLP(CSize s) const;
  bool IsIdentityScale() const { return m_mode == MM_TEXT; }

private:
  void AdjustIsotropic();
  bool Scaled() const { return m_mode == MM_ISOTROPIC || m_mode == MM_ANISOTROPIC; }

  int m_mode = MM_TEXT;
  CPoint m_winOrg;
  CPoint m_vpOrg;
  CSize m_winExt{1, 1};
  CSize m_vpExt{1, 1};
};

// Rounds a * b / c to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c);
