#include "report/settings/quorFilterGroup.h"

#include "report/settings/quorEncodedLists.h"
#include "report/text/quorText.h"

namespace quor {
namespace {

bool AnyClassListed(const std::vector<std::string>& classChain, const std::string& list) {
  for (const std::string& listed : SplitClassList(list))
    for (const std::string& name : classChain)
      if (SameText(name, listed)) return true;
  return false;
}

}  // namespace

FilterGroupChoice FilterGroup(IQuorModuleSettings& settings, const std::vector<std::string>& classChain) {
  const char* group = "Gn";
  if (AnyClassListed(classChain, settings.F1Classes())) {
    group = "F1";
  } else if (AnyClassListed(classChain, settings.F2Classes())) {
    group = "F2";
  }
  const std::string g(group);
  FilterGroupChoice c{{group[0], group[1], 0},
                      !settings.BoolValue(g + "NoBugRep"),
                      !settings.BoolValue(g + "NoScrShot") && settings.ScrShotDepth() > 0,
                      settings.PauseThreads() && !settings.BoolValue(g + "NoSuspend"),
                      !settings.BoolValue(g + "NoHandlers"),
                      static_cast<TPresentation>(settings.IntValue(g + "ShowCfg")),
                      settings.TextValue(g + "Assis")};
  return c;
}

}  // namespace quor
