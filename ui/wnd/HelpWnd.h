#pragma once
// The program's help window: the manual's HTML pages in a text browser with Contents, Back and
// Forward, and the help sink that opens the topic a help request maps to in it.
#include <functional>
#include <memory>

#include "platform/core/String.h"
#include "ui/wnd/HelpSink.h"

class QTextBrowser;
class QWidget;

class CHelpWindowSink : public CHelpSink
{
public:
  // The topic's file name (relative to the folder) for a request's data and command, or empty
  // for none.
  using TopicMap = std::function<CString(std::uintptr_t dwData, UINT nCmd)>;

  CHelpWindowSink(CString folder, TopicMap topicOf, CString contents);
  ~CHelpWindowSink() override;
  void ShowHelp(std::uintptr_t dwData, UINT nCmd) override;

  // Shows a page of the manual (a file name relative to the folder).
  void ShowTopic(const CString& topic);
  // The window, once a topic has been shown; null before.
  QWidget* Window() const;
  QTextBrowser* Browser() const;
  // How many requests have opened a topic.
  int OpenCount() const { return m_nOpened; }

private:
  void MakeWindow();
  // Shows the window, restored when it was minimised, in front of the window that asked for it,
  // the modal dialog included, taking input while the dialog stays open.
  void ShowInFrontOfAsker();

  CString m_strFolder;
  TopicMap m_topicOf;
  CString m_strContents;
  std::unique_ptr<QWidget> m_pWindow;
  QTextBrowser* m_pBrowser = nullptr;
  int m_nOpened = 0;
};
