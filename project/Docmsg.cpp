#include "project/Docmsg.h"

#include <new>

#include "platform/core/Filemsg.h"
#include "support/Exceptn.h"

namespace {

// Every failed save ends its statement with this line, before the cause.
constexpr const char* kNotSaved = "The project has not been saved.";

CString FileErrorReason(int cause)
{
  switch (cause) {
  case CFileException::fileNotFound:
    return "The file cannot be found.";
  case CFileException::badPath:
    return "The path is invalid.";
  case CFileException::accessDenied:
    return "Access is denied to this file.";
  default:
    return "An I/O error has occurred.";
  }
}

// The system's reason where it gave one, which tells a folder, a pipe or a link loop from a file
// the user may not read; the file's own text where it says the same (the file is not there).
CString OpenErrorReason(const CFileException& e)
{
  if (e.m_cause == CFileException::fileNotFound || (e.m_lOsError <= 0 && e.m_strReason.IsEmpty()))
    return FileErrorReason(e.m_cause);
  return FileFailureReason(e);
}

CString SerializeFailureMessage(int code, const CString& path, const CString& product)
{
  CString text;
  switch (code) {
  case CAppSerializeException::fileInUse:
    text.Format("The file %s is currently in use and cannot be opened.", path.c_str());
    break;
  case CAppSerializeException::notProjectFile:
    text.Format("The file %s file is not a valid ", path.c_str());
    text += product + " project file and cannot be opened.";
    break;
  case CAppSerializeException::unsupportedVersion:
    text.Format("The file %s was written by an unsupported version of ", path.c_str());
    text += product + " project file and cannot be opened.";
    break;
  case CAppSerializeException::damaged:
    text.Format("The file %s appears to be damaged ", path.c_str());
    text += " and cannot be opened.";
    break;
  default:
    text.Format("There was a problem loading the project file %s.", path.c_str());
    break;
  }
  return text;
}

CString OpenFailureText(std::exception_ptr failure, const CString& path, const CString& productName)
{
  try {
    std::rethrow_exception(failure);
  } catch (const CAppSerializeException& e) {
    return SerializeFailureMessage(e.code, path, productName);
  } catch (const CFileException& e) {
    return "An error occurred while opening project file.\nFile:  " + path + ".\nReason:  " + OpenErrorReason(e);
  } catch (const std::bad_alloc&) {
    // Not the file's fault: it may be sound, only larger than this machine can hold.
    CString text;
    text.Format("The file '%s' could not be read: the project is too large for the memory available.", path.c_str());
    return text;
  } catch (...) {
    CString text;
    text.Format("The file '%s' could not be read; please verify that this is a ", path.c_str());
    return text + productName + " project file.";
  }
}

}  // namespace

BOOL IsFileInUse(std::exception_ptr failure)
{
  try {
    std::rethrow_exception(failure);
  } catch (const CAppSerializeException& e) {
    return e.code == CAppSerializeException::fileInUse;
  } catch (...) {
    return FALSE;
  }
}

CString GetOpenFailureMessage(std::exception_ptr failure, const CString& path, const CString& productName,
                              const CString& completeCopy)
{
  CString text = OpenFailureText(failure, path, productName);
  if (!completeCopy.IsEmpty() && !IsFileInUse(failure))
    text += "\n\nA save of this file was interrupted before it was complete. The project it was saving is "
            "complete in '" +
            completeCopy + "'.";
  return text;
}

CString GetNewerCopyMessage(const CString& path, const CString& completeCopy, BOOL fileAsBefore)
{
  CString text;
  if (fileAsBefore)
    text.Format("A save of the file '%s' was interrupted before it was complete. The file was opened as it was "
                "before that save; the newer project that save was writing is complete in '%s'.",
                path.c_str(), completeCopy.c_str());
  else
    text.Format("A save of the file '%s' was interrupted before it was complete, and the file does not hold what "
                "that save was writing: it was opened as it is now, which may be as it was before that save or "
                "only partly saved. The project that save was writing is complete in '%s'.",
                path.c_str(), completeCopy.c_str());
  return text + "\n\nUnless that copy is opened first, the next save of this file removes it.";
}

CString GetSaveFailureMessage(std::exception_ptr failure, const CString& path)
{
  CString text;
  text.Format("An error occurred while saving the project file '%s'.\n", path.c_str());
  text += kNotSaved;
  if (const CString cause = FileFailureReason(failure); !cause.IsEmpty())
    text += "\nReason:  " + cause;
  return text;
}

CString GetDesignUnreadableMessage(const CString& designName)
{
  CString text;
  text.Format("The design '%s' could not be read; it has been left unchanged in the project.", designName.c_str());
  return text;
}

CString GetDesignNotStoredMessage(const CString& designName, std::exception_ptr failure, NotStored holds)
{
  CString text;
  text.Format("The design '%s' could not be stored in the project", designName.c_str());
  switch (holds) {
  case NotStored::notOpened:
    text += ", so it was not opened on the Workbench.";
    break;
  case NotStored::keptAsLastStored:
    text += ", and its Workbench has closed; the project keeps the design as it was last stored.";
    break;
  case NotStored::notInProject:
    text += ", and its Workbench has closed; the design is not in the project.";
    break;
  default:
    text += "; it is still on the Workbench.";
    break;
  }
  if (holds == NotStored::saveStopped)
    text += CString("\n") + kNotSaved;
  if (const CString cause = FileFailureReason(failure); !cause.IsEmpty())
    text += "\nReason:  " + cause;
  return text;
}

CString GetNewDesignUnopenableMessage()
{
  return "The new design could not be opened: the product database could not be read.";
}

CString GetStoreChangesQuestion(const CString& designName)
{
  CString text;
  text.Format("Store changes to design '%s' in the project?", designName.c_str());
  return text;
}

CString GetReplaceQuestion(const CString& designName)
{
  CString text;
  text.Format("A design with the name '%s' already exists.\n\n", designName.c_str());
  return text + "Do you want to replace it?";
}
