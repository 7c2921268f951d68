// Guards that every class a project file can hold is loadable by name after the start-up
// registration alone: this program names none of the classes, so none is linked in by use.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "project/DocTestSupport.h"

namespace {

// The new-class tag, schema and name, then the object's own bytes.
Bytes NewObject(const std::string& className, unsigned schema, const Bytes& body)
{
  return CByteWriter()
      .Word(0xFFFF)
      .Word(schema)
      .Word(static_cast<unsigned>(className.size()))
      .Text(className)
      .Append(body)
      .Get();
}

std::string LoadedClassName(const Bytes& bytes)
{
  std::string name;
  LoadBytes(bytes, [&](CArchive& ar) {
    std::unique_ptr<CObject> ob(ar.ReadObject(&CObject::classCObject));
    EXPECT_EQ(ar.GetRemaining(), 0u) << "the object read all of its bytes";
    name = ob ? ob->GetRuntimeClass()->m_lpszClassName : "(null)";
  });
  return name;
}

}  // namespace

using RegistryTest = CatalogueTest;

TEST_F(RegistryTest, EveryPersistentClassLoadsByName)
{
  const Bytes emptyCount = CByteWriter().Word(0).Get();
  const Bytes windowState = CByteWriter()
                                .Double(120.0)
                                .Double(96.0)
                                .Double(1.0)
                                .Dword(0)
                                .Dword(0)
                                .Dword(0)
                                .Dword(0)
                                .Dword(0)
                                .Dword(0)
                                .Dword(100)
                                .Dword(100)
                                .Get();
  const struct
  {
    std::string name;
    unsigned schema;
    Bytes body;
  } classes[] = {
      {"CObArray", 0, emptyCount},
      {"CStringArray", 0, emptyCount},
      {"CDWordArray", 0, emptyCount},
      {"CObList", 0, emptyCount},
      {"CDesignStore", 10000, CByteWriter().Dword(10000).Str("Bay").Dword(0).Append(windowState).Get()},
      {"CCurrentOptionChoicesByType", 10000, CByteWriter().Str("GL").Word(0).Get()},
  };
  for (const auto& c : classes)
    EXPECT_EQ(LoadedClassName(NewObject(c.name, c.schema, c.body)), c.name);
}

TEST(Registry, UnregisteredClassIsRefused)
{
  // Before the registration a known class name is as foreign as any other.
  const Bytes bytes = NewObject("CObArray", 0, CByteWriter().Word(0).Get());
  try {
    LoadedClassName(bytes);
    FAIL() << "an unregistered class was loaded";
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::badClass);
  }
}
