#include "ui/wnd/HelpWnd.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QScreen>
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
  m_pBrowser->setSource(QUrl::fromLocalFile(path));
  ShowInFrontOfAsker();
}

void CHelpWindowSink::ShowInFrontOfAsker()
{
  // An application-modal dialog blocks every window but those it owns: the help window asked
  // from it becomes its transient, a dialog-type window the window manager keeps above it.
  QWidget* modal = QApplication::activeModalWidget();
  QWindow* owner = modal && modal != m_pWindow.get() ? modal->window()->windowHandle() : nullptr;
  const QWindow* shown = m_pWindow->windowHandle();
  if (!shown || shown->transientParent() != owner || m_pWindow->windowType() != (owner ? Qt::Dialog : Qt::Window))
    SetOwner(owner);
  m_pWindow->show();
  m_pWindow->raise();
  m_pWindow->activateWindow();
}

void CHelpWindowSink::SetOwner(QWindow* owner)
{
  const bool shown = m_pWindow->isVisible();
  const QRect place = m_pWindow->geometry();
  // A new window type or transient parent reaches the window manager only when it is shown anew.
  const Qt::WindowType type = owner ? Qt::Dialog : Qt::Window;
  if (m_pWindow->windowType() != type)
    m_pWindow->setWindowFlags(owner ? Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint
                                    : Qt::WindowFlags(Qt::Window));
  else if (shown)
    m_pWindow->hide();
  m_pWindow->winId();
  m_pWindow->windowHandle()->setTransientParent(owner);
  if (shown)
    m_pWindow->setGeometry(place);
}

QWidget* CHelpWindowSink::Window() const { return m_pWindow.get(); }

QTextBrowser* CHelpWindowSink::Browser() const { return m_pBrowser; }
