#include "ui/wnd/HelpWnd.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include "support/Trace.h"

namespace {
constexpr const char* kTitle = "Panecraft Help";

QString Native(const CString& path) { return QString::fromUtf8(path.c_str()); }
}  // namespace

CHelpWindowSink::CHelpWindowSink(CString folder, TopicMap topicOf, CString contents)
  : m_strFolder(std::move(folder)), m_topicOf(std::move(topicOf)), m_strContents(std::move(contents))
{}

CHelpWindowSink::~CHelpWindowSink() = default;

void CHelpWindowSink::ShowHelp(std::uintptr_t dwData, UINT nCmd)
{
  CHelpSink::ShowHelp(dwData, nCmd);
  const CString topic = m_topicOf ? m_topicOf(dwData, nCmd) : CString();
  ShowTopic(topic.IsEmpty() ? m_strContents : topic);
  ++m_nOpened;
}

void CHelpWindowSink::MakeWindow()
{
  m_pWindow = std::make_unique<QWidget>(nullptr, Qt::Window);
  m_pWindow->setWindowTitle(kTitle);
  m_pWindow->setObjectName("PanecraftHelp");
  auto* layout = new QVBoxLayout(m_pWindow.get());
  layout->setContentsMargins(0, 0, 0, 0);
  auto* bar = new QToolBar(m_pWindow.get());
  m_pBrowser = new QTextBrowser(m_pWindow.get());
  m_pBrowser->setSearchPaths({Native(m_strFolder)});
  m_pBrowser->setOpenExternalLinks(true);
  QAction* contents = bar->addAction("&Contents");
  QAction* back = bar->addAction("&Back");
  QAction* forward = bar->addAction("&Forward");
  back->setEnabled(false);
  forward->setEnabled(false);
  QObject::connect(contents, &QAction::triggered, m_pBrowser, [this] { ShowTopic(m_strContents); });
  QObject::connect(back, &QAction::triggered, m_pBrowser, &QTextBrowser::backward);
  QObject::connect(forward, &QAction::triggered, m_pBrowser, &QTextBrowser::forward);
  QObject::connect(m_pBrowser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  QObject::connect(m_pBrowser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  // The page's title once; the contents page is itself titled "Panecraft Help".
  QObject::connect(m_pBrowser, &QTextBrowser::sourceChanged, m_pWindow.get(), [this] {
    const QString page = m_pBrowser->documentTitle();
    m_pWindow->setWindowTitle(page.isEmpty() || page == kTitle ? QString(kTitle) : QString(kTitle) + " - " + page);
  });
  layout->addWidget(bar);
  layout->addWidget(m_pBrowser);
  // Escape closes the window, as it closes the program's dialogs.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), m_pWindow.get());
  escape->setContext(Qt::WindowShortcut);
  QObject::connect(escape, &QShortcut::activated, m_pWindow.get(), &QWidget::close);
  // Centred on the screen and never larger than it, so no part of the page is out of reach.
  QSize size(720, 640);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    size = size.boundedTo(area.size() * 9 / 10);
    m_pWindow->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, area));
  } else {
    m_pWindow->resize(size);
  }
}

void CHelpWindowSink::ShowTopic(const CString& topic)
{
  if (!m_pWindow)
    MakeWindow();
  const QString path = QDir(Native(m_strFolder)).filePath(Native(topic));
  PCTRACE(TT_APPLICATION, TL_DETAIL)("Help topic: %s\n", path.toUtf8().constData());
  const bool opening = !m_pWindow->isVisible();
  m_pBrowser->setSource(QUrl::fromLocalFile(path));
  // A window opened anew starts its own history: Back never leads into pages of an earlier one.
  if (opening)
    m_pBrowser->clearHistory();
  ShowInFrontOfAsker();
}

void CHelpWindowSink::ShowInFrontOfAsker()
{
  // An application-modal dialog blocks every window but its own transients: the help window
  // asked from it becomes one, so that it takes input while the dialog stays open. It stays a
  // window of its own for the window manager, shown where the user put it.
  QWidget* modal = QApplication::activeModalWidget();
  QWindow* owner = modal && modal != m_pWindow.get() ? modal->window()->windowHandle() : nullptr;
  m_pWindow->winId();
  m_pWindow->windowHandle()->setTransientParent(owner);
  // Showing a minimised window leaves it an icon, which without a task bar is lost for good: it
  // comes back as it was before, maximised or not.
  if (m_pWindow->isMinimized())
    m_pWindow->setWindowState(m_pWindow->windowState() & ~Qt::WindowMinimized);
  m_pWindow->show();
  m_pWindow->raise();
  m_pWindow->activateWindow();
}

QWidget* CHelpWindowSink::Window() const { return m_pWindow.get(); }

QTextBrowser* CHelpWindowSink::Browser() const { return m_pBrowser; }
