// Guards the project's stored designs as the design list and the Workbench use them: default
// names, add, rename, replace, delete, retrieve, the store algorithm with its questions, and
// designs whose blocks cannot be rebuilt.
#include <thread>

#include "DocFixture.h"
#include "support/Exceptn.h"

namespace {

using DocDesignTest = DocTest;

CString StoreQuestion(const char* name)
{
  return CString::Formatted("Store changes to design '%s' in the project?", name);
}

CString ReplaceQuestion(const char* name)
{
  return CString::Formatted("A design with the name '%s' already exists.\n\nDo you want to replace it?", name);
}

// A record whose block is not a design.
CDesignStore BrokenStore(const char* name)
{
  Bytes record = CByteWriter()
                     .Dword(10000)
                     .Str(name)
                     .Dword(3)
                     .Text("xyz")
                     .Double(0)
                     .Double(0)
                     .Double(0)
                     .Dword(0)
                     .Dword(0)
                     .Dword(0)
                     .Dword(0)
                     .Dword(0)
                     .Dword(0)
                     .Dword(100)
                     .Dword(100)
                     .Get();
  CDesignStore store;
  LoadBytes(record, [&](CArchive& ar) { store.Serialize(ar); });
  return store;
}

}  // namespace

TEST_F(DocDesignTest, DefaultNamesCountUpInLettersAfterTheGreatestRest)
{
  CDoc doc;
  EXPECT_EQ(doc.GetNewDesignName(), "Unit Type A");
  doc.AddDesign(MakeStore("Unit Type A"));
  doc.AddDesign(MakeStore("unit type c"));
  doc.AddDesign(MakeStore("Unit Type 3"));
  doc.AddDesign(MakeStore("Unit TypeZZ"));
  EXPECT_EQ(doc.GetNewDesignName(), "Unit Type D");
  for (auto [last, next] : {std::pair{"Unit Type Z", "Unit Type AA"},
                            {"Unit Type AZ", "Unit Type BA"},
                            {"Unit Type ZZ", "Unit Type AAA"}}) {
    doc.AddDesign(MakeStore(last));
    EXPECT_EQ(doc.GetNewDesignName(), next) << last;
  }
}

TEST_F(DocDesignTest, ListOperationsRefuseBadIndexesAndUsedNames)
{
  CDoc doc;
  doc.AddDesign(MakeStore("Bay"));
  doc.AddDesign(MakeStore("Hall"));
  EXPECT_THROW(doc.AddDesign(MakeStore("BAY")), CAppException);
  EXPECT_THROW(doc.GetDesignName(2), CAppException);
  EXPECT_THROW(doc.DeleteDesign(-1), CAppException);
  EXPECT_THROW(doc.EditStoredDesign(2), CAppException);
  EXPECT_THROW(doc.RenameDesign(0, "hall"), CAppException);
  EXPECT_EQ(doc.FindDesign("hALL"), 1);

  EXPECT_TRUE(doc.RenameDesign(0, "BAY")) << "its own name in other capitals";
  EXPECT_EQ(doc.GetDesignName(0), "BAY");
  CDesign design;
  doc.GetStoredDesigns().GetAt(0)->Retrieve(&design);
  EXPECT_EQ(design.GetName(), "BAY") << "the name inside the block follows";

  doc.DeleteDesign(0);
  EXPECT_EQ(doc.GetDesignCount(), 1);
  EXPECT_EQ(doc.GetDesignName(0), "Hall");
}

TEST_F(DocDesignTest, EditingAStoredDesignRebuildsItAndTakesItsSnapshot)
{
  CDoc doc;
  doc.AddDesign(MakeStore("Bay", 3));
  ASSERT_TRUE(doc.EditStoredDesign(0));
  ASSERT_NE(doc.GetEditedDesign(), nullptr);
  EXPECT_EQ(doc.GetEditedDesign()->GetName(), "Bay");
  EXPECT_EQ(doc.GetEditedDesign()->GetQuantity(), 3);
  EXPECT_EQ(doc.GetEditedDesignIndex(), 0);
  EXPECT_EQ(doc.GetEditedDesignSnapshot().GetCRC(), doc.GetStoredDesigns().GetAt(0)->GetCRC());

  EXPECT_TRUE(doc.StoreEditedDesign(TRUE, TRUE)) << "unchanged: nothing asked";
  EXPECT_TRUE(dialogs.messages.empty());
  doc.CloseEditedDesign();
  EXPECT_EQ(doc.GetEditedDesign(), nullptr);
  EXPECT_EQ(doc.GetEditedDesignIndex(), -1);
  EXPECT_TRUE(doc.StoreEditedDesign(TRUE, TRUE));
}

TEST_F(DocDesignTest, AChangedUnnamedDesignIsAskedForThenNamedAndAdded)
{
  CDoc doc;
  doc.AddDesign(MakeStore("Unit Type A"));
  doc.NewEditedDesign();
  EXPECT_EQ(doc.GetEditedDesignIndex(), -1);
  doc.GetEditedDesign()->GetDesignData().SetQuantity(2);

  dialogs.messageAnswers = {IDCANCEL};
  EXPECT_FALSE(doc.StoreEditedDesign(TRUE, TRUE));
  EXPECT_EQ(dialogs.messages.back().text, StoreQuestion("Unnamed"));
  EXPECT_EQ(dialogs.messages.back().type, static_cast<UINT>(MB_ICONEXCLAMATION | MB_YESNOCANCEL));
  dialogs.messageAnswers = {IDNO};
  EXPECT_TRUE(doc.StoreEditedDesign(TRUE, FALSE));
  EXPECT_EQ(dialogs.messages.back().type, static_cast<UINT>(MB_ICONEXCLAMATION | MB_YESNO));
  EXPECT_EQ(doc.GetDesignCount(), 1);

  dialogs.messageAnswers = {IDYES};
  services.nameAnswers = {"Porch"};
  EXPECT_TRUE(doc.StoreEditedDesign(TRUE, TRUE));
  ASSERT_EQ(services.askedNames.size(), 1u);
  EXPECT_EQ(services.askedNames[0], "Unit Type B");
  EXPECT_TRUE(services.askedAllowCancel);
  ASSERT_EQ(doc.GetDesignCount(), 2);
  EXPECT_EQ(doc.GetDesignName(1), "Porch");
  EXPECT_EQ(doc.GetEditedDesign()->GetName(), "Porch");
  EXPECT_EQ(doc.GetEditedDesignIndex(), 1);
  CDesign stored;
  doc.GetStoredDesigns().GetAt(1)->Retrieve(&stored);
  EXPECT_EQ(stored.GetName(), "Porch");
  EXPECT_EQ(stored.GetQuantity(), 2);
}

TEST_F(DocDesignTest, AnUnnamedDesignStoredUnderAUsedNameReplacesThatDesignInPlace)
{
  CDoc doc;
  doc.AddDesign(MakeStore("Bay"));
  doc.AddDesign(MakeStore("Hall"));
  doc.NewEditedDesign();
  doc.GetEditedDesign()->GetDesignData().SetQuantity(7);

  // No to the replace question shows the dialog again with the name typed; Cancel there ends it.
  services.nameAnswers = {"bay", ""};
  dialogs.messageAnswers = {IDNO};
  EXPECT_FALSE(doc.StoreEditedDesign(FALSE, TRUE));
  EXPECT_EQ(dialogs.messages.back().text, ReplaceQuestion("bay"));
  ASSERT_EQ(services.askedNames.size(), 2u);
  EXPECT_EQ(services.askedNames[1], "bay");
  EXPECT_EQ(doc.GetDesignCount(), 2);

  services.nameAnswers = {"HALL"};
  dialogs.messageAnswers = {IDCANCEL};
  EXPECT_FALSE(doc.StoreEditedDesign(FALSE, TRUE));

  services.nameAnswers = {"HALL"};
  dialogs.messageAnswers = {IDYES};
  EXPECT_TRUE(doc.StoreEditedDesign(FALSE, TRUE));
  ASSERT_EQ(doc.GetDesignCount(), 2);
  EXPECT_EQ(doc.GetDesignName(1), "HALL") << "same place in the list";
  EXPECT_EQ(doc.GetEditedDesignIndex(), 1);
  CDesign stored;
  doc.GetStoredDesigns().GetAt(1)->Retrieve(&stored);
  EXPECT_EQ(stored.GetQuantity(), 7);
}

TEST_F(DocDesignTest, ANamedDesignIsStoredWithoutQuestionAndGetsThisStoresTimes)
{
  CDoc doc;
  doc.AddDesign(MakeStore("Bay"));
  const CTime before = doc.GetStoredDesigns().GetAt(0)->GetModified();
  ASSERT_TRUE(doc.EditStoredDesign(0));
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  doc.GetEditedDesign()->GetDesignData().SetQuantity(4);
  EXPECT_TRUE(doc.StoreEditedDesign(FALSE, TRUE));
  EXPECT_TRUE(dialogs.messages.empty());
  const CDesignStore& stored = *doc.GetStoredDesigns().GetAt(0);
  EXPECT_GT(stored.GetModified(), before);
  EXPECT_EQ(stored.GetCreated(), stored.GetModified()) << "the candidate record of this store";
  EXPECT_EQ(doc.GetEditedDesignSnapshot().GetCRC(), stored.GetCRC());

  // Renamed on the Workbench: the stored design it came from is replaced under the new name.
  doc.GetEditedDesign()->SetName("Bow");
  EXPECT_TRUE(doc.StoreEditedDesign(FALSE, TRUE));
  ASSERT_EQ(doc.GetDesignCount(), 1);
  EXPECT_EQ(doc.GetDesignName(0), "Bow");
}

TEST_F(DocDesignTest, ANameClashingWithAnotherStoredDesignIsSettledByTheReplaceQuestion)
{
  CDoc doc;
  doc.AddDesign(MakeStore("Bay"));
  doc.AddDesign(MakeStore("Hall"));
  ASSERT_TRUE(doc.EditStoredDesign(1));
  doc.GetEditedDesign()->SetName("bay");

  dialogs.messageAnswers = {IDCANCEL};
  EXPECT_FALSE(doc.StoreEditedDesign(FALSE, TRUE));
  EXPECT_EQ(dialogs.messages.back().text, ReplaceQuestion("bay"));

  // No, then a free name: the design replaces the stored design it came from, as any rename does.
  dialogs.messageAnswers = {IDNO};
  services.nameAnswers = {"Hall 2"};
  EXPECT_TRUE(doc.StoreEditedDesign(FALSE, TRUE));
  ASSERT_EQ(doc.GetDesignCount(), 2);
  EXPECT_EQ(doc.GetDesignName(0), "Bay");
  EXPECT_EQ(doc.GetDesignName(1), "Hall 2");
  EXPECT_EQ(doc.GetEditedDesignIndex(), 1);

  // Yes replaces the design that has the name, in its place.
  doc.GetEditedDesign()->SetName("BAY");
  dialogs.messageAnswers = {IDYES};
  EXPECT_TRUE(doc.StoreEditedDesign(FALSE, TRUE));
  ASSERT_EQ(doc.GetDesignCount(), 2);
  EXPECT_EQ(doc.GetDesignName(0), "BAY");
  EXPECT_EQ(doc.GetDesignName(1), "Hall 2");
  EXPECT_EQ(doc.GetEditedDesignIndex(), 0);
}

TEST_F(DocDesignTest, ADesignThatCannotBeRebuiltIsReportedAndLeftAsItWas)
{
  CDoc doc;
  doc.AddDesign(MakeStore("Bay", 5));
  doc.AddDesign(BrokenStore("Cellar"));
  doc.AddDesign(MakeStore("Hall"));
  ASSERT_TRUE(doc.EditStoredDesign(0));
  CDesign* edited = doc.GetEditedDesign();
  const DWORD brokenCRC = doc.GetStoredDesigns().GetAt(1)->GetCRC();

  EXPECT_FALSE(doc.EditStoredDesign(1));
  EXPECT_EQ(doc.GetEditedDesign(), edited);
  EXPECT_EQ(doc.GetEditedDesignIndex(), 0);
  EXPECT_EQ(dialogs.messages.back().text,
            "The design 'Cellar' could not be read; it has been left unchanged in the project.");
  EXPECT_FALSE(doc.RenameDesign(1, "Basement"));
  EXPECT_EQ(doc.GetDesignName(1), "Cellar");
  EXPECT_EQ(doc.GetStoredDesigns().GetAt(1)->GetCRC(), brokenCRC);

  dialogs.messages.clear();
  for (int pass = 0; pass < 2; ++pass) {
    std::vector<CString> names;
    CDesignWalk walk;
    for (CDesign* design = doc.GetFirstDesign(walk); design; design = doc.GetNextDesign(walk))
      names.push_back(design->GetName());
    EXPECT_EQ(names, (std::vector<CString>{"Bay", "Hall"}));
    EXPECT_EQ(doc.GetNextDesign(walk), nullptr);
  }
  EXPECT_EQ(dialogs.messages.size(), 1u) << "the reports' walk tells once";
}

TEST_F(DocDesignTest, TwoWalksOverTheDesignsRunAtOnce)
{
  CDoc doc;
  doc.AddDesign(MakeStore("Bay", 1));
  doc.AddDesign(MakeStore("Hall", 2));
  doc.AddDesign(MakeStore("Porch", 3));
  // Every design against every other, as a report comparing designs would walk them; the outer
  // walk's design stays whole while the inner walk runs.
  std::vector<std::string> pairs;
  CDesignWalk outer;
  for (CDesign* first = doc.GetFirstDesign(outer); first; first = doc.GetNextDesign(outer)) {
    CDesignWalk inner;
    for (CDesign* second = doc.GetFirstDesign(inner); second; second = doc.GetNextDesign(inner))
      pairs.push_back(std::string(first->GetName().c_str()) + "/" + second->GetName().c_str() +
                      std::to_string(first->GetQuantity()));
  }
  EXPECT_EQ(pairs, (std::vector<std::string>{"Bay/Bay1", "Bay/Hall1", "Bay/Porch1", "Hall/Bay2", "Hall/Hall2",
                                             "Hall/Porch2", "Porch/Bay3", "Porch/Hall3", "Porch/Porch3"}));
}

TEST_F(DocDesignTest, AStoredDesignIsWrittenAsOneRecordForTheClipboard)
{
  CDoc doc;
  doc.AddDesign(MakeStore("Bay", 2));
  Bytes bytes = StoreBytes([&](CArchive& ar) { doc.SerializeStoredDesign(ar, 0); });
  EXPECT_EQ(bytes, StoreBytes([&](CArchive& ar) { doc.GetStoredDesigns().GetAt(0)->Serialize(ar); }));
  EXPECT_EQ(bytes[0], 0x10) << "no object tag, the stamp first";
  EXPECT_THROW(StoreBytes([&](CArchive& ar) { doc.SerializeStoredDesign(ar, 1); }), CAppException);
  EXPECT_THROW(LoadBytes(bytes, [&](CArchive& ar) { doc.SerializeStoredDesign(ar, 0); }), CAppException);

  CDesignStore pasted;
  bytes.push_back(0);
  LoadBytes(bytes, [&](CArchive& ar) { pasted.Serialize(ar); });
  pasted.SetName("Bay Copy");
  doc.AddDesign(pasted);
  CDesign design;
  doc.GetStoredDesigns().GetAt(1)->Retrieve(&design);
  EXPECT_EQ(design.GetQuantity(), 2);
  EXPECT_EQ(design.GetName(), "Bay Copy");
}

TEST_F(DocDesignTest, ClosingAskEditedDesignToBeStoredWithCancel)
{
  CDoc doc;
  doc.NewEditedDesign();
  doc.GetEditedDesign()->SetName("Den");
  dialogs.messageAnswers = {IDCANCEL};
  EXPECT_FALSE(doc.OkToCloseEditedDesign());
  EXPECT_EQ(dialogs.messages.back().text, StoreQuestion("Den"));
  dialogs.messageAnswers = {IDYES};
  EXPECT_TRUE(doc.OkToCloseEditedDesign());
  EXPECT_EQ(doc.FindDesign("Den"), 0);
}
