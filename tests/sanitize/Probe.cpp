// A program with one deliberate fault per mode, run as a child by Check.cmake to show that the
// sanitizer options the tests pass on turn each kind of report into a failing exit code.
#include <cstdio>
#include <cstring>

namespace {
int UseAfterFree()
{
  auto* value = new int(1);
  delete value;
  *static_cast<int* volatile>(value) = 2;
  return 0;
}

int Overflow()
{
  volatile int value = 0x7fffffff;
  return value + 1 < 0 ? 0 : 1;
}

int Leak()
{
  static void* volatile kept;
  kept = new char[64];
  kept = nullptr;
  // Reading the pointer back keeps the allocation from being taken as unused.
  return kept ? 1 : 0;
}
}  // namespace

int main(int argc, char** argv)
{
  const char* mode = argc > 1 ? argv[1] : "";
  if (std::strcmp(mode, "use-after-free") == 0)
    return UseAfterFree();
  if (std::strcmp(mode, "overflow") == 0)
    return Overflow();
  if (std::strcmp(mode, "leak") == 0)
    return Leak();
  if (std::strcmp(mode, "clean") == 0)
    return 0;
  std::fprintf(stderr, "unknown mode '%s'\n", mode);
  return 2;
}
