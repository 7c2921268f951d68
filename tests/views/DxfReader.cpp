#include "DxfReader.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {
std::string SourceDir()
{
  const char* dir = std::getenv("PANECRAFT_SOURCE_DIR");
  return dir ? dir : "";
}

std::vector<std::string> Split(const std::string& line, char separator)
{
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, separator))
    fields.push_back(field);
  return fields;
}

CDxfReading::CEntity ParseEntity(const std::string& line)
{
  CDxfReading::CEntity entity;
  const std::vector<std::string> fields = Split(line, '\t');
  if (fields.size() < 4)
    return entity;
  entity.type = fields[0];
  entity.layer = fields[1];
  entity.lineType = fields[2];
  entity.color = std::atoi(fields[3].c_str());
  if (fields.size() > 4) {
    std::istringstream numbers(fields[4]);
    double value = 0.0;
    while (numbers >> value)
      entity.values.push_back(value);
  }
  return entity;
}
}  // namespace

CDxfReading ReadWithEzdxf(const std::string& path)
{
  CDxfReading reading;
  const std::string command = "/usr/bin/python3 '" + SourceDir() + "/tests/views/dxfcheck.py' '" + path + "' 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe)
    return reading;
  std::string output;
  char buffer[4096];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
    output.append(buffer, n);
  const int status = ::pclose(pipe);
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("errors ", 0) == 0) {
      reading.errors = std::atoi(line.c_str() + 7);
      reading.ran = status == 0;
    } else if (reading.ran || reading.errors >= 0) {
      reading.entities.push_back(ParseEntity(line));
    }
  }
  return reading;
}

std::string FileText(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string ExpectedFile(const std::string& name) { return SourceDir() + "/tests/views/data/" + name; }
