#pragma once
// The project files the document bench opens and saves: a number of stored designs, each a copy
// of one of a few dozen distinct designs (bench/BenchDesigns.h) under a name of its own.
#include <vector>

#include "bench/BenchDesigns.h"
#include "document/Doc.h"
#include "project/Dsgstore.h"

namespace bench {

// Making a unit asks the catalogue: the distinct designs are made once and copied.
inline std::vector<CDesignStore> DistinctDesigns()
{
  constexpr int kDistinct = 48;
  std::vector<CDesignStore> designs;
  for (int i = 0; i < kDistinct; ++i)
    designs.push_back(MakeDesign(i));
  return designs;
}

// Saves a new project of `designs` stored designs to path; FALSE when the save failed.
inline BOOL SaveBenchProject(const std::vector<CDesignStore>& distinct, int designs, const char* path)
{
  CDoc doc;
  doc.OnNewDocument();
  for (int i = 0; i < designs; ++i) {
    CDesignStore store = distinct[static_cast<size_t>(i) % distinct.size()];
    store.SetName(CString::Formatted("Design %06d", i));
    doc.AddDesign(store);
  }
  return doc.OnSaveDocument(path);
}

}  // namespace bench
