#include "ui/draw/DcMapping.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

int MulDiv(int a, int b, int c)
{
  if (c == 0)
    return -1;
  const double v = static_cast<double>(a) * static_cast<double>(b) / static_cast<double>(c);
  return static_cast<int>(v >= 0.0 ? std::floor(v + 0.5) : std::ceil(v - 0.5));
}

int CDcMapping::SetMapMode(int mode)
{
  const int old = m_mode;
  m_mode = mode;
  if (mode == MM_TEXT) {
    m_winExt = CSize(1, 1);
    m_vpExt = CSize(1, 1);
  } else if (mode == MM_ISOTROPIC)
    AdjustIsotropic();
  return old;
}

CSize CDcMapping::GetWindowExt() const { return m_winExt; }
CSize CDcMapping::GetViewportExt() const { return m_vpExt; }

CPoint CDcMapping::SetWindowOrg(CPoint org)
{
  const CPoint old = m_winOrg;
  m_winOrg = org;
  return old;
}

CPoint CDcMapping::SetViewportOrg(CPoint org)
{
  const CPoint old = m_vpOrg;
  m_vpOrg = org;
  return old;
}

CSize CDcMapping::SetWindowExt(CSize ext)
{
  const CSize old = m_winExt;
  if (!Scaled() || ext.cx == 0 || ext.cy == 0)
    return old;
  m_winExt = ext;
  if (m_mode == MM_ISOTROPIC)
    AdjustIsotropic();
  return old;
}

CSize CDcMapping::SetViewportExt(CSize ext)
{
  const CSize old = m_vpExt;
  if (!Scaled() || ext.cx == 0 || ext.cy == 0)
    return old;
  m_vpExt = ext;
  if (m_mode == MM_ISOTROPIC)
    AdjustIsotropic();
  return old;
}

void CDcMapping::AdjustIsotropic()
{
  // Equal units on both axes: the viewport extent with the larger ratio is shrunk.
  const double rx = std::fabs(static_cast<double>(m_vpExt.cx) / m_winExt.cx);
  const double ry = std::fabs(static_cast<double>(m_vpExt.cy) / m_winExt.cy);
  // A shrunk extent keeps at least one unit, so the mapping never divides by zero.
  if (rx > ry) {
    const int cx = std::max(1, std::abs(MulDiv(m_winExt.cx, m_vpExt.cy, m_winExt.cy)));
    m_vpExt.cx = m_vpExt.cx < 0 ? -cx : cx;
  } else if (ry > rx) {
    const int cy = std::max(1, std::abs(MulDiv(m_winExt.cy, m_vpExt.cx, m_winExt.cx)));
    m_vpExt.cy = m_vpExt.cy < 0 ? -cy : cy;
  }
}

CPoint CDcMapping::LPtoDP(CPoint p) const
{
  if (!Scaled())
    return CPoint(p.x - m_winOrg.x + m_vpOrg.x, p.y - m_winOrg.y + m_vpOrg.y);
  return CPoint(MulDiv(p.x - m_winOrg.x, m_vpExt.cx, m_winExt.cx) + m_vpOrg.x,
                MulDiv(p.y - m_winOrg.y, m_vpExt.cy, m_winExt.cy) + m_vpOrg.y);
}

CPoint CDcMapping::DPtoLP(CPoint p) const
{
  if (!Scaled())
    return CPoint(p.x - m_vpOrg.x + m_winOrg.x, p.y - m_vpOrg.y + m_winOrg.y);
  return CPoint(MulDiv(p.x - m_vpOrg.x, m_winExt.cx, m_vpExt.cx) + m_winOrg.x,
                MulDiv(p.y - m_vpOrg.y, m_winExt.cy, m_vpExt.cy) + m_winOrg.y);
}

CSize CDcMapping::LPtoDP(CSize s) const
{
  if (!Scaled())
    return s;
  return CSize(MulDiv(s.cx, std::abs(m_vpExt.cx), std::abs(m_winExt.cx)),
               MulDiv(s.cy, std::abs(m_vpExt.cy), std::abs(m_winExt.cy)));
}

CSize CDcMapping::DPtoLP(CSize s) const
{
  if (!Scaled())
    return s;
  return CSize(MulDiv(s.cx, std::abs(m_winExt.cx), std::abs(m_vpExt.cx)),
               MulDiv(s.cy, std::abs(m_winExt.cy), std::abs(m_vpExt.cy)));
}
