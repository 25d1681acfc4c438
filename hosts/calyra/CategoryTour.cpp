#include "hosts/calyra/CategoryTour.h"

#include <sstream>
#include <string>
#include <vector>

#include "hosts/calyra/CategoryCommands.h"
#include "hosts/calyra/Script.h"
#include "hosts/calyra/ScriptRunner.h"
#include "platform/text/Text.h"
#include "resources/ResourceIds.h"
#include "store/CategoryDatabase.h"

namespace calyra::host {

namespace {

constexpr const char16_t* kTourCategory = u"Errands";

std::string AddCategoryScript() {
  using namespace calyra::resources;
  return "dialog " + std::to_string(kDialogCategories) + "\n" + "type " + std::to_string(kCategoryName) +
         " " + platform::ToUtf8(kTourCategory) + "\n" + "click " + std::to_string(kCategoryAdd) +
         "\nok\nend\n";
}

bool HasCategory(const std::u16string& name) {
  for (const CategoryRecord& record : ReadCategoryRecords()) {
    if (record.name == name) return true;
  }
  return false;
}

}  // namespace

int RunCategoryTour(EditorSession& session, std::FILE* out) {
  std::fprintf(out, "\nthe category dialog, opened by the host; the person adds \"%s\"\n",
               platform::ToUtf8(kTourCategory).c_str());
  std::istringstream text(AddCategoryScript());
  std::vector<ScriptStep> steps;
  ScriptError error;
  if (!ParseScript(text, &steps, &error)) return 1;
  int answer = 0;
  ScriptRunner runner(session, "tour", out, out);
  int result = runner.Run(steps, [&](std::string*) {
    answer = session.Exports().categoryAddDeleteDialog(session.Host().Handle(), 0);
    session.Pump();
    return true;
  });
  std::fprintf(out, "  the dialog answered %d; the categories now:\n", answer);
  std::fflush(out);
  ListCategories(ListingFormat::kText, out);
  return result == 0 && HasCategory(kTourCategory) ? 0 : 1;
}

}  // namespace calyra::host
