#pragma once
// Shared checks of the base unit class tests.
#include <gtest/gtest.h>

#include "ModelTestUtil.h"
#include "model/Unitexcp.h"

// Runs `action` and expects a CUnitException of that source file and line.
template <class Action>
void ExpectUnitError(Action action, const char* file, int line)
{
  try {
    action();
    ADD_FAILURE() << "no exception, expected " << file << " " << line;
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, file);
    EXPECT_EQ(e.line, line);
  }
}
