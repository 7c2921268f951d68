// Keeps one Qt application and application object alive for the whole test run.
#include "TestApp.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include "ui/draw/Dc.h"
#include "ui/wnd/QtApp.h"

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
  ON_COMMAND(CTestApp::ID_APP_TEST, OnAppTest)
END_MESSAGE_MAP()

#include <cstdio>
#include <stdexcept>

BOOL CTestApp::OnIdle(LONG lCount)
{
  if (throwOnIdle)
    throw std::runtime_error("idle failed");
  return CWinApp::OnIdle(lCount);
}

namespace {
class CQtEnvironment : public ::testing::Environment
{
public:
  void SetUp() override
  {
    static int argc = 1;
    static char name[] = "platform_ui_tests";
    static char* argv[] = {name, nullptr};
    m_qt = new CQtApplication(argc, argv);
    m_app = new CTestApp;
  }
  void TearDown() override
  {
    delete m_app;
    delete m_qt;
  }
  CTestApp* m_app = nullptr;
  CQtApplication* m_qt = nullptr;
};

CQtEnvironment* g_environment = static_cast<CQtEnvironment*>(::testing::AddGlobalTestEnvironment(new CQtEnvironment));
}  // namespace

CTestApp& TestApp() { return *g_environment->m_app; }

void UiTest::SetUp()
{
  SetDialogService(&service);
  CDC::SetScreenLogPixels(96, 96);
}

void UiTest::TearDown()
{
  Pump();
  SetDialogService(nullptr);
}

void Pump()
{
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool PumpUntil(const std::function<bool()>& done)
{
  constexpr int kHangLimitMs = 60000;
  return QTest::qWaitFor(done, kHangLimitMs);
}

namespace {
QMouseEvent* MakeMouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButton button,
                       Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
  const QPointF global = widget->mapToGlobal(QPointF(local));
  return new QMouseEvent(type, QPointF(local), QPointF(local), global, button, buttons, modifiers);
}
}  // namespace

void PostMouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers)
{
  QCoreApplication::postEvent(widget, MakeMouse(widget, type, local, button, buttons, modifiers));
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers)
{
  QMouseEvent* event = MakeMouse(widget, type, local, button, buttons, modifiers);
  QCoreApplication::sendEvent(widget, event);
  delete event;
}

void PostKey(QWidget* widget, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers)
{
  QCoreApplication::postEvent(widget, new QKeyEvent(type, key, modifiers));
}

int PdfPages(const std::string& path)
{
  const std::string command = "pdfinfo '" + path + "' 2>/dev/null";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe)
    return -1;
  std::string out;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe))
    out += buffer;
  if (::pclose(pipe) != 0)
    return -1;
  const size_t at = out.find("Pages:");
  return at == std::string::npos ? -1 : std::stoi(out.substr(at + 6));
}
