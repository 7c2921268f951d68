// The main of every test program: Google Test's own run, with a result printer that names the
// program's own exception where Google Test can only tell that an unknown one was thrown: its
// class, and for the program's exceptions the module, failure number and text the fatal-error
// report would show.
#include <gtest/gtest.h>

#include <exception>
#include <memory>
#include <string>

#include "support/ComExcpt.h"

namespace {

// What Google Test says of an exception that is not a std::exception; the place follows.
constexpr const char kUnknown[] = "Unknown C++ exception thrown in ";

// The exception being handled, named: its class, then the lines the fatal-error report gives a
// program's exception; empty when it is none of the program's.
struct CNamedException
{
  std::string className;
  std::string details;
};

CNamedException NameHandledException()
{
  const std::exception_ptr handled = std::current_exception();
  if (!handled)
    return {};
  try {
    std::rethrow_exception(handled);
  } catch (const CException& e) {
    CNamedException named{e.GetRuntimeClass()->m_lpszClassName, {}};
    if (e.IsKindOf(RUNTIME_CLASS(CCommonException))) {
      const auto& common = static_cast<const CCommonException&>(e);
      named.details = "\nModule = " + common.file.str() + "\nLine = " + std::to_string(common.line);
    }
    if (const CString message = e.GetErrorMessage(); !message.IsEmpty())
      named.details += "\n" + message.str();
    return named;
  } catch (...) {
    return {};
  }
}

// Forwards every event to Google Test's own printer; Google Test reports an unknown exception
// from inside its handler, so the exception is still there to be named.
class CExceptionNamingPrinter : public ::testing::EmptyTestEventListener
{
public:
  explicit CExceptionNamingPrinter(::testing::TestEventListener* pPrinter) : m_pPrinter(pPrinter) {}

  void OnTestProgramStart(const ::testing::UnitTest& test) override { m_pPrinter->OnTestProgramStart(test); }
  void OnTestIterationStart(const ::testing::UnitTest& test, int iteration) override
  {
    m_pPrinter->OnTestIterationStart(test, iteration);
  }
  void OnEnvironmentsSetUpStart(const ::testing::UnitTest& test) override
  {
    m_pPrinter->OnEnvironmentsSetUpStart(test);
  }
  void OnEnvironmentsSetUpEnd(const ::testing::UnitTest& test) override { m_pPrinter->OnEnvironmentsSetUpEnd(test); }
  void OnTestSuiteStart(const ::testing::TestSuite& suite) override { m_pPrinter->OnTestSuiteStart(suite); }
  void OnTestStart(const ::testing::TestInfo& info) override { m_pPrinter->OnTestStart(info); }
  void OnTestDisabled(const ::testing::TestInfo& info) override { m_pPrinter->OnTestDisabled(info); }
  void OnTestPartResult(const ::testing::TestPartResult& result) override
  {
    const std::string message = result.message();
    const CNamedException named = message.rfind(kUnknown, 0) == 0 ? NameHandledException() : CNamedException();
    if (named.className.empty()) {
      m_pPrinter->OnTestPartResult(result);
      return;
    }
    const std::string text = named.className + " thrown in " + message.substr(sizeof kUnknown - 1) + named.details;
    m_pPrinter->OnTestPartResult(
        ::testing::TestPartResult(result.type(), result.file_name(), result.line_number(), text.c_str()));
  }
  void OnTestEnd(const ::testing::TestInfo& info) override { m_pPrinter->OnTestEnd(info); }
  void OnTestSuiteEnd(const ::testing::TestSuite& suite) override { m_pPrinter->OnTestSuiteEnd(suite); }
  void OnEnvironmentsTearDownStart(const ::testing::UnitTest& test) override
  {
    m_pPrinter->OnEnvironmentsTearDownStart(test);
  }
  void OnEnvironmentsTearDownEnd(const ::testing::UnitTest& test) override
  {
    m_pPrinter->OnEnvironmentsTearDownEnd(test);
  }
  void OnTestIterationEnd(const ::testing::UnitTest& test, int iteration) override
  {
    m_pPrinter->OnTestIterationEnd(test, iteration);
  }
  void OnTestProgramEnd(const ::testing::UnitTest& test) override { m_pPrinter->OnTestProgramEnd(test); }

private:
  std::unique_ptr<::testing::TestEventListener> m_pPrinter;
};

}  // namespace

int main(int argc, char** argv)
{
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
  if (::testing::TestEventListener* pPrinter = listeners.default_result_printer()) {
    listeners.Release(pPrinter);
    listeners.Append(new CExceptionNamingPrinter(pPrinter));
  }
  return RUN_ALL_TESTS();
}
