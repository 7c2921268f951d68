#pragma once
// A reader of the Workbench's clipboard payload, written from the byte layout alone and apart
// from the program's reader: it accounts for every byte of the group's record, of each member
// (unit, guideline, join and nested group records) and of the one spare byte at the end.
#include <string>
#include <vector>

struct CClipItemImage
{
  std::string className;  // empty for the outer group, whose record has no tag
  int objectIndex = 0;    // the archive's index of the object; 0 for the outer group
  int type = 0;
  double x = 0.0;
  double y = 0.0;
  double angle = 0.0;
  double height = 0.0;
  double width = 0.0;
  int show = 0;
  int snap = 0;
  // Unit items.
  std::string unitType;
  std::string unitSubtype;
  std::string attributes;
  // Guidelines.
  double guidelineWidth = 0.0;
  // Join items: the archive indexes of their two units and the join type.
  int firstUnit = 0;
  int secondUnit = 0;
  int joinType = 0;
  // Groups.
  std::vector<CClipItemImage> members;
};

// Reads a whole clipboard block; FALSE with the reason in error when a byte is not where the
// layout puts it or bytes are left over.
bool ReadClipPayload(const std::vector<unsigned char>& block, CClipItemImage& group, std::string& error);
