#include "document/Doc.h"

#include "document/Dochints.h"
#include "document/Docviews.h"
#include "ui/dlg/DialogService.h"
#include "ui/dlg/Progress.h"
#include "ui/wnd/Msg.h"
#include "ui/docview/View.h"
#include "ui/wnd/WinApp.h"
#include "project/Docmsg.h"

IMPLEMENT_DYNAMIC(CDesignListHint, CObject)

namespace {

CProjectHost::Answer AnswerOf(int reply)
{
  switch (reply) {
  case IDYES:
    return CProjectHost::answerYes;
  case IDNO:
    return CProjectHost::answerNo;
  default:
    return CProjectHost::answerCancel;
  }
}

UINT QuestionType(BOOL allowCancel) { return MB_ICONEXCLAMATION | (allowCancel ? MB_YESNOCANCEL : MB_YESNO); }

}  // namespace

BOOL CDoc::OkToCloseEditedDesign()
{
  if (!TakeTypedValues())
    return FALSE;
  if (auto* source = dynamic_cast<CWorkbenchDataSource*>(GetWorkbenchView()))
    source->UpdateDesignWithWorkbenchData();
  return StoreEditedDesign(TRUE, TRUE);
}

BOOL CDoc::NewEditedDesign()
{
  return StoringWhere(NotStored::notOpened, [this] { return m_project.NewEditedDesign(); });
}

BOOL CDoc::KeepWhatIsShown()
{
  // Nobody is asked: each value still typed in a field is taken as leaving the field would take
  // it, and one the field would refuse leaves the last one taken.
  const CUnaskedScope unasked;
  CommitTypedProjectName(FALSE);
  for (POSITION pos = GetFirstViewPosition(); pos;)
    if (auto* holder = dynamic_cast<CTypedValuesHolder*>(GetNextView(pos)))
      holder->TakeTypedValues();
  if (auto* source = dynamic_cast<CWorkbenchDataSource*>(GetWorkbenchView()))
    source->UpdateDesignWithWorkbenchData();
  return m_project.KeepEditedDesign();
}

void CDoc::FillDesignList() { UpdateAllViews(nullptr, kHintDesignList); }

CProjectHost::Answer CDoc::AskStoreChanges(const CString& name, BOOL allowCancel)
{
  return AnswerOf(MessageBox(GetStoreChangesQuestion(name), QuestionType(allowCancel)));
}

CProjectHost::Answer CDoc::AskReplace(const CString& name, BOOL allowCancel)
{
  return AnswerOf(MessageBox(GetReplaceQuestion(name), QuestionType(allowCancel)));
}

void CDoc::ReportUnreadable(const CString& designName)
{
  MessageBox(GetDesignUnreadableMessage(designName), MB_ICONEXCLAMATION | MB_OK);
}

void CDoc::ReportNotStored(const CString& designName, std::exception_ptr failure)
{
  MessageBox(GetDesignNotStoredMessage(designName, failure, m_notStored), MB_ICONEXCLAMATION | MB_OK);
}

void CDoc::BeginWait()
{
  if (CWinApp* app = AfxGetApp())
    app->DoWaitCursor(1);
}

void CDoc::EndWait()
{
  if (CWinApp* app = AfxGetApp())
    app->DoWaitCursor(-1);
}

BOOL CDoc::ContinueOpening(int done, int count)
{
  if (!m_pOpenProgress)
    m_pOpenProgress = std::make_unique<CProgress>(nullptr, CString("Opening the project..."), count, TRUE);
  return m_pOpenProgress->Step(done);
}

void CDoc::OnDesignAdded(const CString& name)
{
  CDesignListHint hint("", name);
  UpdateAllViews(nullptr, kHintDesignAdded, &hint);
}

void CDoc::OnDesignDeleting(const CString& name)
{
  CDesignListHint hint(name, "");
  UpdateAllViews(nullptr, kHintDesignDeleting, &hint);
}

void CDoc::OnDesignRenamed(const CString& oldName, const CString& newName)
{
  CDesignListHint hint(oldName, newName);
  UpdateAllViews(nullptr, kHintDesignRenamed, &hint);
}
