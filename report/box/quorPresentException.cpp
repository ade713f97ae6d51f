#include "report/box/quorPresentException.h"

#include <atomic>

#include "report/box/quorBoxWindow.h"
#include "report/settings/quorPresentation.h"

namespace quor {
namespace {

// The process-wide assistant runner (none until the assistants register).
std::atomic<TBoxAssistantRunner> gAssistantRunner{nullptr};

}  // namespace

void SetBoxAssistantRunner(TBoxAssistantRunner runner) { gAssistantRunner = runner; }

void PresentException(IBoxException& exception) {
  switch (exception.Presentation()) {
    case kPresentFullBox: RunExceptionBox(exception, TBoxKind::Full, true); break;
    case kPresentAssistant: {
      const TBoxAssistantRunner runner = gAssistantRunner;
      if (!runner || !runner(exception)) RunExceptionBox(exception, TBoxKind::Full, true);
      break;
    }
    case kPresentDetailBox: RunExceptionBox(exception, TBoxKind::Detail, true); break;
    case kPresentSimpleBox: RunExceptionBox(exception, TBoxKind::Simple, true); break;
    default: break;
  }
}

void RunExceptionBox(IBoxException& exception, TBoxKind kind, bool beep) {
  for (;;) {
    TBoxExit exit;
    {
      TExceptionBox box(exception, kind, beep);
      box.Run();
      exit = box.Exit();
    }
    switch (exit) {
      case TBoxExit::ShowReport: {
        IQuorSettings& s = exception.Settings();
        s.SetAutoShowBugRep(true);
        s.SetAutoContinue(false);
        s.SetAutoRestart(0);
        s.SetAutoClose(0);
        kind = TBoxKind::Full;
        beep = false;
        continue;
      }
      case TBoxExit::Restart:
        exception.WaitForBackgroundSend();
        exception.Restart();
        return;
      case TBoxExit::CloseApp:
        exception.WaitForBackgroundSend();
        exception.Close();
        return;
      case TBoxExit::Continue: return;
    }
  }
}

}  // namespace quor
