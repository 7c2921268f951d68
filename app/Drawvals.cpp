#include "app/Drawvals.h"

#include <memory>

#include "ui/draw/Gdi.h"

namespace {
constexpr int kBoldFontPoints = 11;

std::unique_ptr<CFont>& SharedBoldFont()
{
  static std::unique_ptr<CFont> font;
  return font;
}
}  // namespace

CItemColors& ItemColors()
{
  static CItemColors colors;
  return colors;
}

CFont* GetSharedBoldFont() { return SharedBoldFont().get(); }

void CreateSharedBoldFont(int pixelsPerInch)
{
  auto font = std::make_unique<CFont>();
  font->CreateFont(kBoldFontPoints * pixelsPerInch / 72, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0, "Arial");
  SharedBoldFont() = std::move(font);
}

void DeleteSharedBoldFont() { SharedBoldFont().reset(); }
