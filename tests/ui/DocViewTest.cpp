// Guards the document/view architecture: template strings and untitled names, view updates with
// hints, MDI child activation and titles, closing and saving, view painting (whole again after a
// change of size) and printing, a child frame's sizing border, and the MDI client's scroll bars
// following the child frames it shows.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>

#include "TestFrames.h"
#include "platform/core/File.h"
#include "ui/frame/Menu.h"
#include "ui/wnd/Resource.h"

namespace {
CTestView* FirstView(CDocument* doc)
{
  POSITION pos = doc->GetFirstViewPosition();
  return pos ? dynamic_cast<CTestView*>(doc->GetNextView(pos)) : nullptr;
}

class DocViewTest : public FrameTest
{
protected:
  // The view of a new document once it has been painted, and its client area; null without one.
  CTestView* PaintedView(CRect& client)
  {
    CTestDoc* doc = NewDocument();
    CTestView* view = doc ? FirstView(doc) : nullptr;
    if (!view)
      return nullptr;
    Pump();
    view->UpdateWindow();
    view->GetClientRect(&client);
    return view;
  }
};

constexpr UINT kShortDocStrings = 7210;

class CHintObject : public CObject
{};

// A child frame that refuses to be created, and says when it is gone.
class CRefusingChild : public CTestChild
{
public:
  explicit CRefusingChild(bool& destroyed) : m_destroyed(destroyed) {}
  ~CRefusingChild() override { m_destroyed = true; }

protected:
  int OnCreate(LPCREATESTRUCT) override { return -1; }

private:
  bool& m_destroyed;
};
}  // namespace

TEST_F(DocViewTest, TemplateReadsItsDocumentStrings)
{
  CString s;
  EXPECT_TRUE(docTemplate->GetDocString(s, CDocTemplate::docName));
  EXPECT_EQ(s, CString("Proj"));
  EXPECT_TRUE(docTemplate->GetDocString(s, CDocTemplate::filterExt));
  EXPECT_EQ(s, CString(".TPF"));
  EXPECT_TRUE(docTemplate->GetDocString(s, CDocTemplate::windowTitle));
  EXPECT_EQ(s, CString(""));
  EXPECT_TRUE(docTemplate->GetDocString(s, CDocTemplate::regFileTypeName));
  EXPECT_EQ(s, CString("Test Project"));
  // A document string that stops early has no later fields.
  CResources::Get().AddString(kShortDocStrings, "\nPlan\nPlan");
  CMultiDocTemplate shortTemplate(kShortDocStrings, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestChild),
                                  RUNTIME_CLASS(CTestView));
  EXPECT_TRUE(shortTemplate.GetDocString(s, CDocTemplate::fileNewName));
  EXPECT_EQ(s, CString("Plan"));
  s = "stale";
  EXPECT_FALSE(shortTemplate.GetDocString(s, CDocTemplate::filterExt));
  EXPECT_EQ(s, CString(""));
}

TEST_F(DocViewTest, NewDocumentsAreNamedAfterTheDocumentNameWithACount)
{
  CTestDoc* first = NewDocument();
  CTestDoc* second = NewDocument();
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->GetTitle(), CString("Proj1"));
  EXPECT_EQ(second->GetTitle(), CString("Proj2"));
  EXPECT_EQ(TestApp().m_pDocManager->GetDocumentCount(), 2);
  EXPECT_EQ(first->GetDocTemplate(), docTemplate);
  // The child frame shows the document's title; the main frame adds the active one's.
  CString title;
  ChildOf(first)->GetWindowText(title);
  EXPECT_EQ(title, CString("Proj1"));
  main->GetWindowText(title);
  EXPECT_EQ(title, CString("Test App - Proj2"));
}

TEST_F(DocViewTest, UpdateAllViewsPassesHintAndObjectToEveryViewButTheSender)
{
  CTestDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  CTestView* first = FirstView(doc);
  auto* second = static_cast<CTestView*>(RUNTIME_CLASS(CTestView)->CreateObject());
  ASSERT_TRUE(second->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), ChildOf(doc), 1));
  doc->AddView(second);
  first->hints.clear();
  CHintObject hint;
  doc->UpdateAllViews(second, 2, &hint);
  ASSERT_EQ(first->hints.size(), 1u);
  EXPECT_EQ(first->hints[0].first, 2);
  EXPECT_EQ(first->hints[0].second, &hint);
  EXPECT_TRUE(second->hints.empty());
  doc->UpdateAllViews(nullptr, 6);
  EXPECT_EQ(second->hints.size(), 1u);
  // A destroyed view leaves its document's list (and deletes itself).
  second->DestroyWindow();
  int views = 0;
  for (POSITION pos = doc->GetFirstViewPosition(); pos; doc->GetNextView(pos))
    ++views;
  EXPECT_EQ(views, 1);
}

TEST_F(DocViewTest, ViewPaintsThroughOnDrawIntoItsSurface)
{
  CRect client;
  CTestView* view = PaintedView(client);
  ASSERT_NE(view, nullptr);
  EXPECT_GT(view->draws, 0);
  ASSERT_FALSE(client.IsRectEmpty());
  EXPECT_EQ(view->GetSurfacePixel(client.Width() / 2, client.Height() / 2), RGB(0, 128, 0));
}

// A view is drawn whole again when its size changes, as the class library's views are: what it
// shows is often placed from the client's bottom or scaled to it, so the pixels it keeps would
// stand in the wrong place. A plain window paints only the strip a larger size uncovers.
TEST_F(DocViewTest, AViewIsDrawnWholeAgainWhenItsSizeChanges)
{
  CRect client;
  CTestView* view = PaintedView(client);
  ASSERT_NE(view, nullptr);
  ASSERT_FALSE(client.IsRectEmpty());
  const CRect top(0, 0, client.Width(), 10);
  ASSERT_FALSE(view->IsRectInvalid(top));
  // Taller, then narrower: the top strip kept its pixels both times.
  for (const CSize change : {CSize(0, 40), CSize(-30, 0)}) {
    view->GetOuterHandle()->resize(client.Width() + change.cx, client.Height() + change.cy);
    view->GetClientRect(&client);
    EXPECT_TRUE(view->IsRectInvalid(CRect(0, 0, client.Width(), 10))) << change.cx << " " << change.cy;
    const int before = view->draws;
    view->UpdateWindow();
    EXPECT_EQ(view->draws, before + 1);
    EXPECT_FALSE(view->IsRectInvalid(CRect(0, 0, client.Width(), client.Height())));
  }

  CWnd plain;
  ASSERT_TRUE(plain.CreateEx(0, nullptr, "plain", WS_CHILD | WS_VISIBLE, 0, 0, 100, 80, main->m_hWndMDIClient, 0));
  Pump();
  plain.UpdateWindow();
  plain.GetOuterHandle()->resize(100, 120);
  EXPECT_FALSE(plain.IsRectInvalid(CRect(0, 0, 100, 10)));
  EXPECT_TRUE(plain.IsRectInvalid(CRect(0, 80, 100, 120)));
  plain.DestroyWindow();
}

TEST_F(DocViewTest, ActivatingAChildSendsActivationMessagesAndSwitchesTheActiveFrame)
{
  CTestDoc* first = NewDocument();
  CTestDoc* second = NewDocument();
  ASSERT_TRUE(first && second);
  CTestChild* a = ChildOf(first);
  CTestChild* b = ChildOf(second);
  EXPECT_EQ(main->MDIGetActive(), b);
  a->activations.clear();
  b->activations.clear();
  a->MDIActivate();
  Pump();
  EXPECT_EQ(main->MDIGetActive(), a);
  EXPECT_EQ(a->activations, std::vector<BOOL>{TRUE});
  EXPECT_EQ(b->activations, std::vector<BOOL>{FALSE});
  EXPECT_EQ(main->GetActiveFrame(), a);
  EXPECT_EQ(a->GetActiveDocument(), first);
  CString title;
  main->GetWindowText(title);
  EXPECT_EQ(title, CString("Test App - Proj1"));
}

// Opening a file that is open already brings a frame of its document forward that is on screen;
// a frame the program hid, though it holds the first view, stays hidden.
TEST_F(DocViewTest, OpeningAnOpenFileBringsItsShownFrameForwardAndLeavesAHiddenOneHidden)
{
  CTestDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  CTestChild* hidden = ChildOf(doc);
  CFrameWnd* shown = docTemplate->CreateNewFrame(doc, nullptr);
  ASSERT_NE(shown, nullptr);
  docTemplate->InitialUpdateFrame(shown, doc, TRUE);
  hidden->ShowWindow(SW_HIDE);
  doc->SetPathName("/p/open.tpf", FALSE);
  CTestDoc* other = NewDocument();
  ASSERT_NE(other, nullptr);
  ASSERT_EQ(main->MDIGetActive(), ChildOf(other));

  EXPECT_EQ(TestApp().OpenDocumentFile("/p/open.tpf"), doc);
  Pump();
  EXPECT_EQ(TestApp().m_pDocManager->GetDocumentCount(), 2);
  EXPECT_FALSE(hidden->IsWindowVisible());
  EXPECT_EQ(main->MDIGetActive(), shown);
}

TEST_F(DocViewTest, ClosingTheOnlyFrameOfADocumentClosesTheDocument)
{
  CTestDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  ChildOf(doc)->SendMessage(WM_CLOSE);
  Pump();
  EXPECT_EQ(TestApp().m_pDocManager->GetDocumentCount(), 0);
  EXPECT_EQ(main->MDIGetActive(), nullptr);
}

TEST_F(DocViewTest, ModifiedDocumentAsksBeforeClosingAndCancelKeepsIt)
{
  CTestDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  doc->SetModifiedFlag();
  service.messageAnswers.push_back(IDCANCEL);
  ChildOf(doc)->SendMessage(WM_CLOSE);
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, CString("Save changes to Proj1?"));
  EXPECT_EQ(service.messages[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
  EXPECT_EQ(TestApp().m_pDocManager->GetDocumentCount(), 1);
  service.messageAnswers.push_back(IDNO);
  ChildOf(doc)->SendMessage(WM_CLOSE);
  EXPECT_EQ(TestApp().m_pDocManager->GetDocumentCount(), 0);
}

// A frame destroyed without its close leaves its document no window: the document still offers its
// changes for saving as it goes, with no cancel to keep it, and asks again when the save was not
// made (here the Save As was cancelled).
TEST_F(DocViewTest, ADocumentWhoseLastFrameIsDestroyedOffersItsChangesUntilSavedOrLetGo)
{
  QTemporaryDir dir;
  CTestDoc* saved = NewDocument();
  ASSERT_NE(saved, nullptr);
  saved->SetModifiedFlag();
  const CString path = CString::FromUtf8((dir.path() + "/kept.tpf").toStdString());
  service.messageAnswers = {IDYES, IDYES};
  service.filePaths = {CString(), path};
  ChildOf(saved)->DestroyWindow();
  Pump();
  ASSERT_EQ(service.messages.size(), 2u);
  for (const auto& message : service.messages) {
    EXPECT_EQ(message.text, CString("Save changes to Proj1?"));
    EXPECT_EQ(message.type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  }
  EXPECT_TRUE(QFileInfo::exists(dir.path() + "/kept.tpf"));
  EXPECT_EQ(TestApp().m_pDocManager->GetDocumentCount(), 0);

  CTestDoc* dropped = NewDocument();
  ASSERT_NE(dropped, nullptr);
  dropped->SetModifiedFlag();
  service.messageAnswers = {IDNO};
  ChildOf(dropped)->DestroyWindow();
  Pump();
  EXPECT_EQ(service.messages.size(), 3u);
  EXPECT_EQ(TestApp().m_pDocManager->GetDocumentCount(), 0);
}

TEST_F(DocViewTest, SaveAsAsksForAPathWithTheTemplatesFilter)
{
  QTemporaryDir dir;
  CTestDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  const CString path = CString::FromUtf8((dir.path() + "/plan.tpf").toStdString());
  service.filePaths.push_back(path);
  EXPECT_TRUE(doc->DoSave(nullptr));
  ASSERT_EQ(service.fileRequests.size(), 1u);
  EXPECT_FALSE(service.fileRequests[0].bOpen);
  EXPECT_EQ(service.fileRequests[0].filter, CString("Project Files (*.tpf)|*.TPF|All Files (*.*)|*.*||"));
  EXPECT_EQ(doc->GetPathName(), path);
  EXPECT_EQ(doc->GetTitle(), CString("plan.tpf"));
  EXPECT_TRUE(QFileInfo::exists(dir.path() + "/plan.tpf"));
}

TEST_F(DocViewTest, SaveAsWithoutAnExtensionOverAnExistingProjectAsksAndNoKeepsIt)
{
  QTemporaryDir dir;
  CTestDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  const QString existing = dir.path() + "/trunc500.tpf";
  {
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(500, 'p'));
  }
  const CString typed = CString::FromUtf8((dir.path() + "/trunc500").toStdString());
  service.filePaths.push_back(typed);
  service.messageAnswers.push_back(IDNO);
  EXPECT_FALSE(doc->DoSave(nullptr));
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, CString("trunc500.tpf already exists.\nDo you want to replace it?"));
  EXPECT_EQ(service.messages[0].caption, CString("Save As"));
  QFile kept(existing);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), QByteArray(500, 'p'));
  kept.close();
  // Yes saves under the final name.
  service.filePaths.push_back(typed);
  EXPECT_TRUE(doc->DoSave(nullptr));
  EXPECT_EQ(doc->GetPathName(), CString::FromUtf8(existing.toStdString()));
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_NE(kept.readAll(), QByteArray(500, 'p'));
}

TEST_F(DocViewTest, PrintingDrawsTheViewOnThePrinter)
{
  QTemporaryDir dir;
  CTestDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  CTestView* view = FirstView(doc);
  QPrinter* printer = TestApp().GetPrinter();
  printer->setOutputFormat(QPrinter::PdfFormat);
  const int before = view->draws;
  service.filePaths.push_back(CString::FromUtf8((dir.path() + "/out.pdf").toStdString()));
  view->OnFilePrint();
  EXPECT_EQ(view->draws, before + 1);
  EXPECT_GT(QFileInfo(dir.path() + "/out.pdf").size(), 0);

  // Cancelling the print dialog prints nothing.
  service.printAnswers.push_back(IDCANCEL);
  view->OnFilePrint();
  EXPECT_EQ(view->draws, before + 1);

  view->OnFilePrintPreview();
  EXPECT_EQ(service.previews, 1);
  EXPECT_EQ(view->draws, before + 2);
}

TEST_F(DocViewTest, ChildFrameLivesInsideTheMainWindow)
{
  CTestDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  CTestChild* child = ChildOf(doc);
  EXPECT_FALSE(child->m_hWnd->isWindow());
  EXPECT_EQ(child->m_hWnd->window(), main->m_hWnd);
  EXPECT_EQ(child->GetParentFrame(), main);
  EXPECT_EQ(CMenu::FromHandle(docTemplate->m_hMenuShared), child->GetMenu());
  EXPECT_EQ(main->GetMenu(), child->GetMenu());
}

// A child frame made without a sizing border is not sized by dragging its corner, and its
// maximise box still fills the client with it; a frame with the border is sized by the drag.
TEST_F(DocViewTest, OnlyAChildFrameWithASizingBorderIsSizedByItsCorner)
{
  for (const bool border : {false, true}) {
    auto* child = new CTestChild;
    const DWORD style = border ? WS_OVERLAPPEDWINDOW : WS_OVERLAPPEDWINDOW & ~WS_THICKFRAME;
    ASSERT_TRUE(child->LoadFrame(IDR_TESTDOC, style, main));
    child->ActivateFrame(SW_SHOW);
    auto* sub = qobject_cast<QMdiSubWindow*>(child->GetOuterHandle());
    ASSERT_NE(sub, nullptr);
    sub->setGeometry(10, 10, 300, 200);
    Pump();
    const QSize before = sub->size();
    const QPoint corner(before.width() - 2, before.height() - 2);
    const QPoint dragged = corner + QPoint(60, 40);
    // The pointer comes over the corner first, as a user's does: the frame picks its operation
    // there.
    SendMouse(sub, QEvent::MouseMove, corner, Qt::NoButton, Qt::NoButton);
    SendMouse(sub, QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
    SendMouse(sub, QEvent::MouseMove, dragged, Qt::NoButton, Qt::LeftButton);
    SendMouse(sub, QEvent::MouseButtonRelease, dragged, Qt::LeftButton, Qt::NoButton);
    Pump();
    if (border)
      EXPECT_EQ(sub->size(), before + QSize(60, 40));
    else
      EXPECT_EQ(sub->size(), before);
    sub->showMaximized();
    Pump();
    EXPECT_EQ(sub->size(), main->MdiArea()->viewport()->size()) << border;
    sub->showNormal();
    Pump();
    EXPECT_EQ(sub->size(), border ? before + QSize(60, 40) : before);
    child->DestroyWindow();
    Pump();
  }
}

// A child frame moved a third past the client's right edge calls up the client's scroll bar;
// hidden there (as a drawing frame closed by Ctrl+F4 is), it takes the scroll bars with it when
// nothing else lies outside.
TEST_F(DocViewTest, AChildFrameHiddenPastTheClientsEdgeTakesItsScrollBarsWithIt)
{
  CTestDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  QMdiArea* area = main->MdiArea();
  const QSize client = area->viewport()->size();
  ChildOf(doc)->GetOuterHandle()->setGeometry(0, 0, client.width() / 2, client.height() / 2);
  auto* child = new CTestChild;
  ASSERT_TRUE(child->LoadFrame(IDR_TESTDOC, WS_OVERLAPPEDWINDOW, main));
  child->ActivateFrame(SW_SHOW);
  Pump();
  QWidget* sub = child->GetOuterHandle();
  const QSize size(client.width() * 3 / 4, client.height() / 2);
  sub->setGeometry(client.width() - size.width() * 2 / 3, client.height() / 2, size.width(), size.height());
  Pump();
  ASSERT_TRUE(area->horizontalScrollBar()->isVisible());
  child->ShowWindow(SW_HIDE);
  Pump();
  EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
  EXPECT_FALSE(area->verticalScrollBar()->isVisible());
  child->DestroyWindow();
  Pump();
}

TEST_F(DocViewTest, AChildFrameWhoseCreationFailsIsGoneAndLeftUntouched)
{
  bool destroyed = false;
  // The frame deletes itself; LoadFrame must not write into it afterwards.
  EXPECT_FALSE((new CRefusingChild(destroyed))->LoadFrame(IDR_TESTDOC, WS_OVERLAPPEDWINDOW, main));
  EXPECT_TRUE(destroyed);
  Pump();
  EXPECT_TRUE(main->MdiArea()->subWindowList().isEmpty());
}

TEST_F(DocViewTest, DocumentThatCannotBeOpenedLeavesNothingBehind)
{
  EXPECT_EQ(TestApp().OpenDocumentFile("/nonexistent/folder/plan.tpf"), nullptr);
  EXPECT_EQ(TestApp().m_pDocManager->GetDocumentCount(), 0);
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text.Left(24), CString("Failed to open document."));
}

TEST_F(DocViewTest, PrintSetupChoicesReachTheNextPrint)
{
  QTemporaryDir dir;
  CTestDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  QPrinter* printer = TestApp().GetPrinter();
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setPageOrientation(QPageLayout::Portrait);

  // Cancelling the page set-up changes nothing; OK takes the user's choices.
  TestApp().OnFilePrintSetup();
  EXPECT_EQ(service.pageSetupsShown, 1);
  EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Portrait);
  service.pageSetups.push_back({IDOK, [](QPrinter& p) { p.setPageOrientation(QPageLayout::Landscape); }});
  TestApp().OnFilePrintSetup();
  EXPECT_EQ(service.pageSetupsShown, 2);

  service.filePaths.push_back(CString::FromUtf8((dir.path() + "/setup.pdf").toStdString()));
  FirstView(doc)->OnFilePrint();
  QFile pdf(dir.path() + "/setup.pdf");
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QByteArray bytes = pdf.readAll();
  const qsizetype box = bytes.indexOf("/MediaBox [");
  ASSERT_GE(box, 0);
  const QList<QByteArray> numbers = bytes.mid(box + 11, 40).split(']').first().simplified().split(' ');
  ASSERT_EQ(numbers.size(), 4);
  EXPECT_GT(numbers[2].toDouble(), numbers[3].toDouble()) << "the page is printed landscape";
}
