#pragma once
// Bytes of groups nested inside each other to any depth, as the program's own writer lays them
// out: the writer makes two and three levels, and the level between them is repeated. Writing
// the deep nesting itself would run the test's own stack out.
#include <cstring>
#include <stdexcept>
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "project/Design.h"
#include "project/Dsgstore.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Wbclip.h"

using DeepBytes = std::vector<unsigned char>;

// Groups around an empty group, `depth` groups in all.
inline CGroupItem* MakeNestedGroups(int depth)
{
  auto* pGroup = new CGroupItem;
  for (int i = 1; i < depth; ++i) {
    CObList members;
    members.AddTail(pGroup);
    pGroup = new CGroupItem(members);
  }
  return pGroup;
}

// The bytes of `depth` levels from those of two and three levels.
inline DeepBytes RepeatMiddleLevel(const DeepBytes& two, const DeepBytes& three, size_t depth)
{
  const size_t step = three.size() - two.size();
  for (size_t m = 0; m <= two.size(); ++m) {
    if (std::memcmp(two.data(), three.data(), m) != 0)
      break;
    if (std::memcmp(three.data() + m + step, two.data() + m, two.size() - m) != 0)
      continue;
    DeepBytes out(two.begin(), two.begin() + static_cast<long>(m));
    out.reserve(two.size() + step * (depth - 2));
    for (size_t i = 2; i < depth; ++i)
      out.insert(out.end(), three.begin() + static_cast<long>(m), three.begin() + static_cast<long>(m + step));
    out.insert(out.end(), two.begin() + static_cast<long>(m), two.end());
    return out;
  }
  throw std::logic_error("no repeated level");
}

// A Workbench clipboard payload: the pasted group holds the nesting.
inline DeepBytes NestedItemPayload(size_t depth)
{
  auto bytesOf = [](int levels) {
    CGroupItem* pGroup = MakeNestedGroups(levels);
    DeepBytes bytes = WriteItemGroup(*pGroup);
    delete pGroup;
    return bytes;
  };
  return depth < 4 ? bytesOf(static_cast<int>(depth)) : RepeatMiddleLevel(bytesOf(2), bytesOf(3), depth);
}

// A design holding the nesting as its one item, as its block.
inline DeepBytes NestedDesignBlock(size_t depth)
{
  auto blockOf = [](int levels) {
    CDesign design;
    design.SetName("Deep");
    design.GetItemList().AddTail(MakeNestedGroups(levels));
    CDesignStore store;
    store.Store(&design);
    return store.GetBlock();
  };
  return depth < 4 ? blockOf(static_cast<int>(depth)) : RepeatMiddleLevel(blockOf(2), blockOf(3), depth);
}

// A stored-design record as the design clipboard carries it, with the block replaced.
inline DeepBytes DesignRecordWithBlock(const DeepBytes& block)
{
  CDesign design;
  design.SetName("Deep");
  CDesignStore store;
  store.Store(&design);
  CMemFile file;
  CArchive ar(&file, CArchive::store, 4096);
  store.Serialize(ar);
  ar.Close();
  const DeepBytes record = file.Detach();
  const DeepBytes& old = store.GetBlock();
  for (size_t at = 4; at + old.size() <= record.size(); ++at) {
    DWORD length = 0;
    std::memcpy(&length, record.data() + at - 4, 4);
    if (length != old.size() || std::memcmp(record.data() + at, old.data(), old.size()) != 0)
      continue;
    DeepBytes out(record.begin(), record.begin() + static_cast<long>(at - 4));
    const DWORD newLength = static_cast<DWORD>(block.size());
    const auto* p = reinterpret_cast<const unsigned char*>(&newLength);
    out.insert(out.end(), p, p + 4);
    out.insert(out.end(), block.begin(), block.end());
    out.insert(out.end(), record.begin() + static_cast<long>(at + old.size()), record.end());
    return out;
  }
  throw std::logic_error("block not found in its record");
}
