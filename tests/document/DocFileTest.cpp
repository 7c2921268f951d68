// Guards the project file as CDoc writes and reads it: the exact image of a new project, the
// stored-design tags, and the message for every cause of a failed open or save.
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "DocFixture.h"
#include "project/FaultFile.h"

namespace {

const char* const kTag = "TPF-1.x        ";

Bytes ProjectImage(CDoc& doc)
{
  return StoreBytes([&](CArchive& ar) { doc.Serialize(ar); });
}

size_t FindText(const Bytes& bytes, const std::string& text, size_t from = 0)
{
  auto it = std::search(bytes.begin() + static_cast<long>(from), bytes.end(), text.begin(), text.end());
  return it == bytes.end() ? std::string::npos : static_cast<size_t>(it - bytes.begin());
}

void PutDword(Bytes& bytes, size_t offset, DWORD value) { std::memcpy(bytes.data() + offset, &value, 4); }

// Offset of the first stored design's record (its stamp), after the class tag.
size_t FirstRecord(const Bytes& bytes) { return FindText(bytes, "CDesignStore") + 12; }

constexpr size_t kProjectDataOffset = 15 + 8 + 7 + 7 + 11 + 8;

}  // namespace

TEST_F(DocTest, NewProjectWithoutDesignsStoresTheFixedImage)
{
  CDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  const CDocVersion& version = doc.GetDocVersion();
  CByteWriter expected;
  expected.Text(kTag).Dword(1).Dword(0).Str("PD 4.2").Str("Spec 7").Str("03/14/2024");
  expected.Dword(static_cast<unsigned>(version.GetCreated().GetTime()));
  expected.Dword(static_cast<unsigned>(version.GetModified().GetTime()));
  expected.Dword(10000).Str("Project Name").Str("Dana Pell").Str("");
  expected.Dword(10000).Dword(10000).Dword(10000).Dword(10000);
  COptionChoicesByTypeArray& array = doc.GetProjectPrefs().GetOptionsPrefs().GetChoicesArray();
  ASSERT_GE(array.GetSize(), 14) << "one record per TYPES row of the sample catalogue";
  EXPECT_EQ(array.GetAt(0)->GetUnitType(), "AR");
  expected.Dword(static_cast<unsigned>(array.GetSize()));
  for (int i = 0; i < array.GetSize(); ++i)
    expected.Str(array.GetAt(i)->GetUnitType().str()).Word(0);
  expected.Double(12.0).Double(0.0).Dword(0).Byte(1).Byte(0).Byte(0).Word(0);
  const Bytes image = ProjectImage(doc);
  EXPECT_EQ(image, expected.Get());
  // The other tests patch the project data's stamp at this offset.
  const Bytes data = CByteWriter().Dword(10000).Str("Project Name").Get();
  ASSERT_GE(image.size(), kProjectDataOffset + data.size());
  EXPECT_TRUE(std::equal(data.begin(), data.end(), image.begin() + static_cast<long>(kProjectDataOffset)));

  const std::string path = PathOf("new.tpf");
  ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
  EXPECT_EQ(ReadFileBytes(path), ProjectImage(doc)) << "the file holds exactly the serialized project";
}

TEST_F(DocTest, StoredDesignsStartWithTheClassTagThenTheBackIndex)
{
  std::string path = PathOf("two.tpf");
  SaveProject(path, {"Bay", "Hall"});
  Bytes bytes = ReadFileBytes(path);
  size_t tag = FindText(bytes, "CDesignStore") - 6;
  Bytes head =
      CByteWriter().Word(2).Word(0xFFFF).Word(10000).Word(12).Text("CDesignStore").Dword(10000).Str("Bay").Get();
  EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin() + static_cast<long>(tag) - 2));
  size_t second = FindText(bytes, "\x04"
                                  "Hall") -
                  6;
  EXPECT_EQ(bytes[second], 0x01);
  EXPECT_EQ(bytes[second + 1], 0x80);
  EXPECT_EQ(bytes[second + 2], 0x10);

  CDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
  EXPECT_EQ(doc.GetDesignCount(), 2);
  EXPECT_EQ(doc.GetDesignName(1), "Hall");
  EXPECT_EQ(ProjectImage(doc), bytes);
  EXPECT_EQ(services.afterOpenCalls, 1);
}

TEST_F(DocTest, ShortOrWrongTagsAreNotProjectFiles)
{
  std::string path = PathOf("a.tpf");
  SaveProject(path, {});
  const Bytes good = ReadFileBytes(path);
  const CString notValid =
      CString("The file ") + path.c_str() + " file is not a valid Panecraft project file and cannot be opened.";
  for (size_t cut : {0u, 14u}) {
    WriteFileBytes(path, Bytes(good.begin(), good.begin() + static_cast<long>(cut)));
    EXPECT_EQ(OpenMessage(path), notValid) << cut;
  }
  for (size_t offset : {0u, 6u, 7u, 14u}) {
    Bytes bytes = good;
    bytes[offset] ^= 0x01;
    WriteFileBytes(path, bytes);
    EXPECT_EQ(OpenMessage(path), notValid) << offset;
  }
  EXPECT_EQ(dialogs.messages.back().caption, "Panecraft");
  EXPECT_EQ(dialogs.messages.back().type, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
}

// In a child process, so that its peak memory is its own: a gigabyte of holes opened as the
// program opens a project is refused by its first bytes, with no buffer the size of the file.
TEST_F(DocTest, AHugeSparseFileIsRefusedWithoutTakingItsSizeInMemory)
{
  const std::string path = PathOf("sparse.tpf");
  WriteFileBytes(path, Bytes());
  std::filesystem::resize_file(path, 1ULL << 30);
  const CString notValid =
      CString("The file ") + path.c_str() + " file is not a valid Panecraft project file and cannot be opened.";
  constexpr long kAllowedGrowthKb = 64 * 1024;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    struct rusage before
    {};
    ::getrusage(RUSAGE_SELF, &before);
    const CString message = OpenMessage(path);
    struct rusage after
    {};
    ::getrusage(RUSAGE_SELF, &after);
    if (message != notValid)
      ::_exit(1);
    ::_exit(after.ru_maxrss - before.ru_maxrss < kAllowedGrowthKb ? 0 : 2);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: not refused as no project file, 2: took its size in memory";
}

TEST_F(DocTest, VersionsAndStampsBelow9236AreUnsupported)
{
  std::string path = PathOf("a.tpf");
  SaveProject(path, {"Bay"});
  const Bytes good = ReadFileBytes(path);
  const CString unsupported = CString("The file ") + path.c_str() +
                              " was written by an unsupported version of Panecraft project file and cannot be opened.";

  Bytes bytes = good;
  PutDword(bytes, 15, 0);
  PutDword(bytes, 19, 9235);
  WriteFileBytes(path, bytes);
  EXPECT_EQ(OpenMessage(path), unsupported);
  PutDword(bytes, 19, 9236);
  WriteFileBytes(path, bytes);
  EXPECT_EQ(OpenMessage(path), "");

  for (size_t stamp : {kProjectDataOffset, FindText(good, "Dana Pell") + 10, FirstRecord(good)}) {
    bytes = good;
    PutDword(bytes, stamp, 9235);
    WriteFileBytes(path, bytes);
    EXPECT_EQ(OpenMessage(path), unsupported) << stamp;
    PutDword(bytes, stamp, 10001);
    WriteFileBytes(path, bytes);
    EXPECT_EQ(OpenMessage(path), "") << stamp;
  }
}

TEST_F(DocTest, FilesCutInsideADesignBlockAreDamagedAndElsewhereCouldNotBeRead)
{
  std::string path = PathOf("a.tpf");
  SaveProject(path, {"Bay"});
  const Bytes good = ReadFileBytes(path);
  const size_t block = FirstRecord(good) + 4 + 4 + 4;
  const CString damaged = CString("The file ") + path.c_str() + " appears to be damaged  and cannot be opened.";
  const CString unreadable = CString("The file '") + path.c_str() +
                             "' could not be read; please verify that this is a Panecraft project file.";

  WriteFileBytes(path, Bytes(good.begin(), good.begin() + static_cast<long>(block) + 10));
  EXPECT_EQ(OpenMessage(path), damaged);
  Bytes longer = good;
  PutDword(longer, block - 4, 0x7FFFFFFF);
  WriteFileBytes(path, longer);
  EXPECT_EQ(OpenMessage(path), damaged) << "a length beyond the file";

  for (size_t cut : {good.size() - 1, block + 37 + 3, kProjectDataOffset + 6, size_t{20}}) {
    WriteFileBytes(path, Bytes(good.begin(), good.begin() + static_cast<long>(cut)));
    EXPECT_EQ(OpenMessage(path), unreadable) << cut;
  }

  Bytes foreign = good;
  size_t name = FindText(foreign, "CDesignStore");
  std::memcpy(foreign.data() + name, "CDesignStorx", 12);
  WriteFileBytes(path, foreign);
  EXPECT_EQ(OpenMessage(path), unreadable) << "a class the program does not have";
  std::memcpy(foreign.data() + name, "CStringArray", 12);
  WriteFileBytes(path, foreign);
  EXPECT_EQ(OpenMessage(path), unreadable) << "a class other than the stored design";
}

TEST_F(DocTest, AnOpenProjectIsInUseAndMissingFilesAreFileErrors)
{
  std::string path = PathOf("a.tpf");
  SaveProject(path, {});
  CDoc holder;
  ASSERT_TRUE(holder.OnOpenDocument(path.c_str()));
  EXPECT_TRUE(holder.IsProjectFileOpen());
  EXPECT_EQ(OpenMessage(path), CString("The file ") + path.c_str() + " is currently in use and cannot be opened.");

  std::string missing = PathOf("none.tpf");
  EXPECT_EQ(OpenMessage(missing), CString("An error occurred while opening project file.\nFile:  ") + missing.c_str() +
                                      ".\nReason:  The file cannot be found.");
}

// An open tells the reason the system gave: a folder, a pipe and a link loop each say what they
// are. A project whose folder cannot be searched is one the user may not read, not one that was
// removed: its open and its save say so. The super-user searches every folder, so a user without
// privilege meets the closed one.
TEST_F(DocTest, AnOpenOrSaveTheSystemRefusesTellsTheSystemsReason)
{
  auto openText = [](const std::string& path, const CString& reason) {
    return CString("An error occurred while opening project file.\nFile:  ") + path.c_str() + ".\nReason:  " + reason;
  };
  std::filesystem::create_directory(PathOf("folder.tpf"));
  ASSERT_EQ(::mkfifo(PathOf("pipe.tpf").c_str(), 0666), 0);
  std::filesystem::create_symlink("loop.tpf", PathOf("loop.tpf"));
  EXPECT_EQ(OpenMessage(PathOf("folder.tpf")), openText(PathOf("folder.tpf"), std::strerror(EISDIR)));
  EXPECT_EQ(OpenMessage(PathOf("pipe.tpf")), openText(PathOf("pipe.tpf"), "The file is not a regular file."));
  EXPECT_EQ(OpenMessage(PathOf("loop.tpf")), openText(PathOf("loop.tpf"), std::strerror(ELOOP)));

  const std::string folder = PathOf("closed");
  std::filesystem::create_directory(folder);
  const std::string path = folder + "/house.tpf";
  SaveProject(path, {"Bay"});
  CDoc held;
  ASSERT_TRUE(held.OnOpenDocument(path.c_str()));
  ASSERT_EQ(::chmod(folder.c_str(), 0), 0);
  // 0 when both texts are right; the wrong text goes to the error output.
  auto check = [&]() {
    const CString opened = OpenMessage(path);
    if (opened != openText(path, std::strerror(EACCES))) {
      std::fprintf(stderr, "open: %s\n", opened.c_str());
      return 1;
    }
    dialogs.messages.clear();
    held.OnSaveDocument(path.c_str());
    const CString saved = dialogs.messages.empty() ? CString("(no message)") : dialogs.messages.front().text;
    if (dialogs.messages.size() != 1 ||
        saved != CString("An error occurred while saving the project file '") + path.c_str() +
                     "'.\nThe project has not been saved.\nReason:  " + std::strerror(EACCES)) {
      std::fprintf(stderr, "save: %s\n", saved.c_str());
      return 2;
    }
    return 0;
  };
  int result = 0;
  if (::geteuid() != 0) {
    result = check();
  } else {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (::setgid(65534) != 0 || ::setuid(65534) != 0)
        ::_exit(3);
      ::_exit(check());
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    result = WIFEXITED(status) ? WEXITSTATUS(status) : 4;
  }
  ::chmod(folder.c_str(), 0755);
  EXPECT_EQ(result, 0) << "1: the open's text, 2: the save's text (see above), 3: the user could not be changed";
}

TEST_F(DocTest, AnotherDatabaseIsShownThenTheProjectOpensAndSavesWithTheCurrentOne)
{
  std::string path = PathOf("a.tpf");
  services.productDataVersion = "PD 3.9";
  SaveProject(path, {"Bay"});
  services.productDataVersion = "PD 4.2";
  {
    CDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
    EXPECT_EQ(services.dbDialogs, 1);
    EXPECT_EQ(services.dbDialogProjectVersion, "PD 3.9");
    EXPECT_EQ(doc.GetDocVersion().GetProductDataVersion(), "PD 3.9");
    EXPECT_FALSE(doc.IsProjectModified());
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    EXPECT_EQ(doc.GetDocVersion().GetProductDataVersion(), "PD 4.2");
    EXPECT_NE(FindText(ReadFileBytes(path), "\x06PD 4.2"), std::string::npos);
    EXPECT_EQ(OpenMessage(path), CString("The file ") + path.c_str() + " is currently in use and cannot be opened.")
        << "the saved file is held again";
  }
  EXPECT_EQ(OpenMessage(path), "");
  EXPECT_EQ(services.dbDialogs, 1);
}

TEST_F(DocTest, AFailedSaveShowsItsMessageAndKeepsTheVersionRecord)
{
  std::string path = PathOf("a.tpf");
  services.datePopulated = "01/01/1990";
  SaveProject(path, {"Bay"});
  services.datePopulated = "03/14/2024";
  CDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
  const CTime modified = doc.GetDocVersion().GetModified();

  std::string nowhere = PathOf("missing/folder/b.tpf");
  EXPECT_FALSE(doc.OnSaveDocument(nowhere.c_str()));
  EXPECT_EQ(dialogs.messages.back().text, CString("An error occurred while saving the project file '") +
                                              nowhere.c_str() +
                                              "'.\nThe project has not been saved.\nReason:  " + std::strerror(ENOENT));
  EXPECT_EQ(doc.GetDocVersion().GetDatePopulated(), "01/01/1990");
  EXPECT_EQ(doc.GetDocVersion().GetModified(), modified);
  EXPECT_EQ(OpenMessage(path), CString("The file ") + path.c_str() + " is currently in use and cannot be opened.")
      << "the project file is still held";
}

// The reason says what is wrong: a pipe is no file to save in, and a folder that takes no new
// file is named even where the project file itself could be written.
TEST_F(DocTest, ASaveOntoAPipeOrInAFolderThatTakesNoFilesSaysWhy)
{
  const std::string fifo = PathOf("pipe.tpf");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  CDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_FALSE(doc.OnSaveDocument(fifo.c_str()));
  EXPECT_EQ(dialogs.messages.back().text, CString("An error occurred while saving the project file '") + fifo.c_str() +
                                              "'.\nThe project has not been saved.\nReason:  The file is not a "
                                              "regular file.");

  const std::string folder = PathOf("sealed");
  std::filesystem::create_directory(folder);
  const std::string path = folder + "/house.tpf";
  SaveProject(path, {"Bay"});
  const Bytes previous = ReadFileBytes(path);
  CDoc held;
  ASSERT_TRUE(held.OnOpenDocument(path.c_str()));
  std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const BOOL saved = held.OnSaveDocument(path.c_str());
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
  EXPECT_FALSE(saved);
  EXPECT_EQ(dialogs.messages.back().text, CString("An error occurred while saving the project file '") + path.c_str() +
                                              "'.\nThe project has not been saved.\nReason:  " +
                                              CString::Formatted("The folder '%s' does not allow new files (%s).",
                                                                 folder.c_str(), std::strerror(EACCES)));
  EXPECT_EQ(ReadFileBytes(path), previous);
}

TEST_F(DocTest, SavingOverAProjectAnotherInstanceHoldsSaysItIsInUse)
{
  const std::string path = PathOf("held.tpf");
  SaveProject(path, {"Bay"});
  const Bytes previous = ReadFileBytes(path);
  // Another instance holds the project open, as an open project is held.
  CFile other;
  ASSERT_TRUE(other.Open(path.c_str(), CFile::modeRead | CFile::typeBinary | CFile::shareDenyRead));
  CDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_FALSE(doc.OnSaveDocument(path.c_str()));
  EXPECT_EQ(dialogs.messages.back().text,
            CString("An error occurred while saving the project file '") + path.c_str() +
                "'.\nThe project has not been saved.\nReason:  " + "The file is in use by another program (" +
                std::strerror(EWOULDBLOCK) + ").");
  EXPECT_EQ(ReadFileBytes(path), previous);
}

// Designs added to a project so that its file takes at least four archive buffers to write.
constexpr int kExtraDesigns = 2500;

TEST_F(DocTest, ASaveFailingAtAnyWriteLeavesThePreviousProjectLoadable)
{
  std::string path = PathOf("a.tpf");
  SaveProject(path, {"Bay"});
  const Bytes previous = ReadFileBytes(path);
  CDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
  // Enough designs for the image to need several archive buffers (64 KB each).
  for (int i = 0; i < kExtraDesigns; ++i)
    doc.AddDesign(MakeStore(CString::Formatted("Extra %d", i)));
  const int writes = static_cast<int>(ProjectImage(doc).size() / 65536) + 1;
  ASSERT_GE(writes, 4);
  for (int failAt = 1; failAt <= writes; ++failAt) {
    CFaultInjection fault(failAt, CFaultFile::throwError);
    EXPECT_FALSE(doc.OnSaveDocument(path.c_str())) << failAt;
    EXPECT_EQ(ReadFileBytes(path), previous) << failAt;
    // The failing write's own cause (the disk full) is shown, not only that the save failed.
    EXPECT_NE(std::string(dialogs.messages.back().text.c_str()).find(std::strerror(ENOSPC)), std::string::npos)
        << dialogs.messages.back().text.c_str();
  }
  EXPECT_EQ(dir.EntryCount(), 1u);
  doc.m_bAutoDelete = FALSE;
  doc.OnCloseDocument();
  CDoc reopened;
  ASSERT_TRUE(reopened.OnOpenDocument(path.c_str()));
  EXPECT_EQ(reopened.GetDesignCount(), 1);
}

TEST_F(DocTest, AProcessKilledAtAnyWriteOfASaveLeavesThePreviousProjectLoadable)
{
  std::string path = PathOf("a.tpf");
  SaveProject(path, {"Bay", "Hall"});
  const Bytes previous = ReadFileBytes(path);
  for (int killAt = 1; killAt <= 4; ++killAt) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      CDoc doc;
      if (!doc.OnOpenDocument(path.c_str()))
        ::_exit(2);
      for (int i = 0; i < kExtraDesigns; ++i)
        doc.AddDesign(MakeStore(CString::Formatted("Extra %d", i)));
      CFaultInjection fault(killAt, CFaultFile::killProcess);
      doc.OnSaveDocument(path.c_str());
      ::_exit(3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "killed at write " << killAt;
    CDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path.c_str())) << killAt;
    EXPECT_EQ(doc.GetDesignCount(), 2);
    EXPECT_EQ(ReadFileBytes(path), previous);
  }
}

// The sync before the rename fails (and, for a project with a second name, the sync before the
// copy in place): the save says so with the file and the system's reason, the previous file stays
// byte for byte, no temporary file is left and the project stays modified.
TEST_F(DocTest, ASyncThatFailsBeforeTheRenameKeepsThePreviousFileAndSaysWhy)
{
  const std::string path = PathOf("a.tpf");
  SaveProject(path, {"Bay"});
  const Bytes previous = ReadFileBytes(path);
  const CString expected = CString("An error occurred while saving the project file '") + path.c_str() +
                           "'.\nThe project has not been saved.\nReason:  " + std::strerror(EIO);
  for (const bool linked : {false, true}) {
    if (linked) {
      ASSERT_EQ(::link(path.c_str(), PathOf("b.tpf").c_str()), 0);
    }
    CDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
    doc.AddDesign(MakeStore("Hall"));
    ASSERT_TRUE(doc.IsProjectModified());
    CFaultInjection fault(0, CFaultFile::failSync);
    dialogs.messages.clear();
    EXPECT_FALSE(doc.OnSaveDocument(path.c_str())) << linked;
    ASSERT_EQ(dialogs.messages.size(), 1u) << linked;
    EXPECT_EQ(dialogs.messages[0].text, expected) << linked;
    EXPECT_EQ(ReadFileBytes(path), previous) << linked;
    EXPECT_EQ(dir.EntryCount(), linked ? 2u : 1u) << "no temporary file is left";
    EXPECT_TRUE(doc.IsProjectModified());
  }
}

TEST_F(DocTest, ModifiedStateFollowsTheChecksumOfTheSerializedProject)
{
  CDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_FALSE(doc.IsProjectModified());
  doc.GetProjectData().SetNotes("draft");
  doc.GetProjectData().SetNotes("");
  EXPECT_FALSE(doc.IsProjectModified()) << "changed and changed back";
  doc.GetProjectPrefs().GetMiscProjectPrefs().SetMeasurementUnits(3);
  EXPECT_FALSE(doc.IsProjectModified()) << "measurement units are not in the file";

  doc.GetProjectPrefs().SetWallWidth(8.0);
  EXPECT_TRUE(doc.IsProjectModified());
  doc.GetProjectPrefs().SetWallWidth(12.0);
  EXPECT_TRUE(doc.IsProjectModified()) << "the flag once set stays";
  doc.SetProjectModified(FALSE);
  EXPECT_FALSE(doc.IsProjectModified());
  doc.GetProjectData().SetProjectName("Lake House");
  doc.UpdateProjectModified();
  EXPECT_TRUE(doc.IsModified());

  ASSERT_TRUE(doc.OnSaveDocument(PathOf("a.tpf").c_str()));
  EXPECT_FALSE(doc.IsProjectModified()) << "the saved image is the unmodified state";
  doc.GetProjectData().SetProjectName("Lake House 2");
  EXPECT_TRUE(doc.IsProjectModified());
}

TEST_F(DocTest, TypesMissingFromAnOldProjectAreAddedWithoutMarkingItModified)
{
  std::string path = PathOf("a.tpf");
  SaveProject(path, {});
  Bytes bytes = ReadFileBytes(path);
  // Keep only the first two option records ("AR" and "AW").
  size_t count = FindText(bytes, "\x02"
                                 "AR") -
                 4;
  size_t third = FindText(bytes, "\x02"
                                 "BU");
  size_t tail = bytes.size() - (8 + 8 + 4 + 3 + 2);
  Bytes old(bytes.begin(), bytes.begin() + static_cast<long>(third));
  PutDword(old, count, 2);
  old.insert(old.end(), bytes.begin() + static_cast<long>(tail), bytes.end());
  WriteFileBytes(path, old);

  CDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
  COptionChoicesByTypeArray& array = doc.GetProjectPrefs().GetOptionsPrefs().GetChoicesArray();
  CDoc fresh;
  EXPECT_EQ(array.GetSize(), fresh.GetProjectPrefs().GetOptionsPrefs().GetChoicesArray().GetSize());
  EXPECT_EQ(array.GetAt(2)->GetUnitType(), "BU");
  EXPECT_NO_THROW(doc.GetProjectPrefs().GetOptionsPrefs().GetChoicesByType("VG"));
  EXPECT_FALSE(doc.IsProjectModified());
}

TEST_F(DocTest, TheDocumentClassLoadsByNameOnceRegistered)
{
  CDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  doc.GetProjectData().SetProjectName("Lakeside");
  doc.AddDesign(MakeStore("Bay"));
  const Bytes bytes = CByteWriter().Word(0xFFFF).Word(10000).Word(4).Text("CDoc").Append(ProjectImage(doc)).Get();
  auto load = [&] {
    std::unique_ptr<CObject> ob;
    LoadBytes(bytes, [&](CArchive& ar) { ob.reset(ar.ReadObject(&CObject::classCObject)); });
    return ob;
  };
  EXPECT_THROW(load(), CArchiveException) << "not registered yet";
  RegisterDocumentClasses();
  std::unique_ptr<CObject> loaded = load();
  auto* project = dynamic_cast<CDoc*>(loaded.get());
  ASSERT_NE(project, nullptr);
  EXPECT_EQ(project->GetProjectName(), "Lakeside");
  EXPECT_EQ(project->GetDesignCount(), 1);
}
