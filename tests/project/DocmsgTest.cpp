// Guards the failure texts that real files do not easily provoke: unknown codes, memory, each
// file error's reason, the complete copy an interrupted save left, the save messages (also a
// save stopped by a design that could not be stored) with their cause, and what a design that
// could not be stored says of where it stands.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "project/Docmsg.h"
#include "support/Exceptn.h"

namespace {

template <class E>
CString MessageFor(const E& e)
{
  return GetOpenFailureMessage(std::make_exception_ptr(e), "/p/a.tpf", "Panecraft");
}

CString SerializeMessage(int code) { return MessageFor(CAppSerializeException("Test", 1, code)); }

}  // namespace

TEST(OpenFailureMessage, UnknownCodesAndOtherFailuresHaveTheGeneralTexts)
{
  EXPECT_EQ(SerializeMessage(7), "There was a problem loading the project file /p/a.tpf.");
  EXPECT_EQ(MessageFor(CArchiveException(CArchiveException::badClass)),
            "The file '/p/a.tpf' could not be read; please verify that this is a Panecraft project file.");
  EXPECT_EQ(MessageFor(std::bad_alloc()),
            "The file '/p/a.tpf' could not be read: the project is too large for the memory available.")
      << "running out of memory is no sign of a foreign file";
}

TEST(OpenFailureMessage, FileErrorsNameTheirReason)
{
  const CString head = "An error occurred while opening project file.\nFile:  /p/a.tpf.\nReason:  ";
  EXPECT_EQ(MessageFor(CFileException(CFileException::fileNotFound)), head + "The file cannot be found.");
  EXPECT_EQ(MessageFor(CFileException(CFileException::badPath)), head + "The path is invalid.");
  EXPECT_EQ(MessageFor(CFileException(CFileException::accessDenied)), head + "Access is denied to this file.");
  EXPECT_EQ(MessageFor(CFileException(CFileException::hardIO)), head + "An I/O error has occurred.");
}

TEST(SaveFailureMessage, NamesThePathTheSystemsCauseAndSaysNothingWasSaved)
{
  const CString head = "An error occurred while saving the project file '/p/a.tpf'.\nThe project has not been saved.";
  auto message = [](auto e) { return GetSaveFailureMessage(std::make_exception_ptr(e), "/p/a.tpf"); };
  EXPECT_EQ(message(CFileException(CFileException::accessDenied, EACCES)),
            head + "\nReason:  " + std::strerror(EACCES));
  EXPECT_EQ(message(CFileException(CFileException::diskFull)), head + "\nReason:  The disk is full.")
      << "without a system error the file error's own text";
  EXPECT_EQ(message(std::bad_alloc()), head + "\nReason:  " + std::strerror(ENOMEM));
  EXPECT_EQ(message(CFileException(CFileException::sharingViolation, EWOULDBLOCK)),
            head + "\nReason:  The file is in use by another program (" + std::strerror(EWOULDBLOCK) + ").")
      << "a lock held by another instance says more than the system's text";
  EXPECT_EQ(message(42), head) << "an unknown failure keeps the plain message";

  // A save stopped by a design that could not be stored says so as well, before the cause.
  EXPECT_EQ(GetDesignNotStoredMessage("Bay", std::make_exception_ptr(CFileException(CFileException::diskFull, ENOSPC)),
                                      NotStored::saveStopped),
            CString("The design 'Bay' could not be stored in the project; it is still on the Workbench.\n"
                    "The project has not been saved.\nReason:  ") +
                std::strerror(ENOSPC));
}

// Only a design still on the Workbench is said to be there: a new one that could not be made was
// never opened, and one whose Workbench went is what the project holds of it.
TEST(DesignNotStoredMessage, SaysWhereTheDesignStandsThenTheCause)
{
  const std::exception_ptr memory = std::make_exception_ptr(std::bad_alloc());
  const CString head = "The design 'Bay' could not be stored in the project";
  const CString cause = CString("\nReason:  ") + std::strerror(ENOMEM);
  EXPECT_EQ(GetDesignNotStoredMessage("Bay", memory), head + "; it is still on the Workbench." + cause);
  EXPECT_EQ(GetDesignNotStoredMessage("Bay", memory, NotStored::notOpened),
            head + ", so it was not opened on the Workbench." + cause);
  EXPECT_EQ(GetDesignNotStoredMessage("Bay", memory, NotStored::keptAsLastStored),
            head + ", and its Workbench has closed; the project keeps the design as it was last stored." + cause);
  EXPECT_EQ(GetDesignNotStoredMessage("Bay", memory, NotStored::notInProject),
            head + ", and its Workbench has closed; the design is not in the project." + cause);
}

TEST(OpenFailureMessage, ACompleteCopyOfAnInterruptedSaveIsNamedUnlessTheFileIsOnlyInUse)
{
  const CString copy = "/p/a.saved.tpf";
  auto message = [&copy](auto e) {
    return GetOpenFailureMessage(std::make_exception_ptr(e), "/p/a.tpf", "Panecraft", copy);
  };
  const CString note =
      "\n\nA save of this file was interrupted before it was complete. The project it was saving is complete in "
      "'/p/a.saved.tpf'.";
  EXPECT_EQ(message(CAppSerializeException("Test", 1, CAppSerializeException::damaged)),
            SerializeMessage(CAppSerializeException::damaged) + note);
  EXPECT_EQ(message(CArchiveException(CArchiveException::endOfFile)),
            MessageFor(CArchiveException(CArchiveException::endOfFile)) + note);
  EXPECT_EQ(message(CAppSerializeException("Test", 1, CAppSerializeException::fileInUse)),
            SerializeMessage(CAppSerializeException::fileInUse))
      << "a file another instance holds is sound";
}
