// Guards the failure texts that real files do not easily provoke: unknown codes, memory, each
// file error's reason, the complete copy an interrupted save left, and the save messages (also a
// save stopped by a design that could not be stored) with their cause.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

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
  EXPECT_EQ(
      GetDesignNotStoredMessage("Bay", std::make_exception_ptr(CFileException(CFileException::diskFull, ENOSPC)), TRUE),
      CString("The design 'Bay' could not be stored in the project; it is still on the Workbench.\n"
              "The project has not been saved.\nReason:  ") +
          std::strerror(ENOSPC));
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
