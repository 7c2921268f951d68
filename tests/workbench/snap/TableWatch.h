#pragma once
// The watch the tests set on the alignment tables: a group changed since it was last checked is
// checked before a look-up reads its entries, and what is out of step fails the test by name
// (an entry taken out but left in its slot, say) instead of ending a paste, drag or delete in
// a crash. The look-up is stopped by an exception, as the check after a step stops the test.
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "workbench/snap/Likalign.h"

struct CInconsistentTables : std::runtime_error
{
  using std::runtime_error::runtime_error;
};

inline void WatchTheAlignmentTables()
{
  CLikeAlignmentEntities::SetWatch([](const std::string& problem) {
    ADD_FAILURE() << "The alignment tables are inconsistent in " << problem;
    throw CInconsistentTables(problem);
  });
}
