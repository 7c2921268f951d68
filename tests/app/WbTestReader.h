#pragma once
// A reader of one stored design in a project file, written from the file format alone and apart
// from the program's writer: it accounts for every byte of the design block and of the window
// state after it.
#include <string>
#include <vector>

#include "platform/core/Rect.h"

struct CStoredUnitImage
{
  double x = 0.0;
  double y = 0.0;
  double angle = 0.0;
  double height = 0.0;
  double width = 0.0;
  int show = 0;
  int snap = 0;
  std::string type;
  std::string subtype;
  std::string attributes;
};

struct CStoredDesignImage
{
  int quantity = 0;
  double extentX = 0.0;
  double extentY = 0.0;
  double designWidth = 0.0;
  double designHeight = 0.0;
  double scaleFactor = 0.0;
  CPoint scroll;
  CRect windowRect;
  std::vector<CStoredUnitImage> units;
  std::string error;
};

// Finds the stored design of that name in the bytes of a project file and reads it; FALSE with
// the reason in image.error when a byte is not where the format puts it.
bool ReadStoredDesign(const std::vector<unsigned char>& file, const std::string& name, CStoredDesignImage& image);
