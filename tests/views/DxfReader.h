#pragma once
// The second reader of the DXF files the tests write: ezdxf, run by the system's Python, lists
// the entities it reads and the errors its audit finds.
#include <string>
#include <vector>

struct CDxfReading
{
  struct CEntity
  {
    std::string type;
    std::string layer;
    std::string lineType;
    int color = 0;
    std::vector<double> values;  // LINE x1 y1 x2 y2; CIRCLE cx cy r; ARC cx cy r start end
  };
  bool ran = false;  // the reader ran and printed its audit line
  int errors = -1;
  std::vector<CEntity> entities;
};

CDxfReading ReadWithEzdxf(const std::string& path);

// The file's bytes; empty when it cannot be read.
std::string FileText(const std::string& path);
// A file kept with the tests (tests/views/data).
std::string ExpectedFile(const std::string& name);
