#include "hosts/calyra/TemplateTour.h"

#include <set>
#include <string>
#include <vector>

#include "hosts/calyra/OutlookItems.h"
#include "hosts/calyra/TemplateCommands.h"
#include "platform/text/Text.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/agent/ScriptedUserAgent.h"
#include "resources/ResourceIds.h"

namespace calyra::host {

namespace {

constexpr const char16_t* kTemplateName = u"Passport renewal";

// The person's steps ran through; otherwise prints what went wrong.
bool Finished(platform::ScriptedUserAgent& person, std::FILE* out) {
  bool finished = person.Finish();
  for (const std::string& failure : person.Failures()) std::fprintf(out, "  %s\n", failure.c_str());
  return finished && person.Failures().empty();
}

}  // namespace

int RunTemplateTour(EditorSession& session, CEOID task, std::FILE* out) {
  std::fprintf(out, "\nthe task becomes a template, and a new task is made from it\n");
  if (task == 0) {
    std::fprintf(out, "  there is no task to save as a template\n");
    return 1;
  }
  const EditorExports& e = session.Exports();
  platform::ScriptedUserAgent person;
  person.SetResourceModule(session.Resources());
  person.ExpectDialog(resources::kDialogTextPrompt)
      .Type(resources::kTextPromptText, kTemplateName)
      .Click(IDOK);
  platform::SetUserAgent(&person);
  std::fprintf(out, "  calyra template save 0x%08X --name \"%s\"\n", task,
               platform::ToUtf8(kTemplateName).c_str());
  std::fprintf(out, "  result: %d\n", e.saveItemAsTemplate(session.Host().Handle(), task));
  std::vector<TemplateRow> rows = TemplateRows(session, ItemKind::kTask);
  for (const TemplateRow& row : rows)
    std::fprintf(out, "  template 0x%08X  %s\n", static_cast<unsigned>(row.oid),
                 platform::ToUtf8(row.text).c_str());
  bool done = Finished(person, out) && !rows.empty();

  OutlookItems items;
  std::string error;
  std::set<CEOID> before =
      items.Open(session.Host().Handle(), &error) ? items.Oids(ItemKind::kTask) : std::set<CEOID>();
  platform::ScriptedUserAgent chooser;
  chooser.SetResourceModule(session.Resources());
  chooser.ExpectDialog(resources::kDialogTemplatePicker).Click(IDOK);  // the first row, selected
  platform::SetUserAgent(&chooser);
  std::fprintf(out, "  a new task, the templates offered: the person picks the first and presses OK\n");
  e.newTask(0, nullptr, nullptr, nullptr, 0, nullptr, 0, 0, 0);
  session.Pump();
  done &= Finished(chooser, out) && session.EditorOpen() && session.PressOk();
  platform::SetUserAgent(nullptr);
  for (const ItemSummary& item : items.List(ItemKind::kTask)) {
    if (before.contains(item.oid)) continue;
    std::fprintf(out, "  saved as task 0x%08X  %s  %s\n", item.oid, item.title.c_str(), item.dates.c_str());
    return done ? 0 : 1;
  }
  std::fprintf(out, "  no new task in the store\n");
  return 1;
}

}  // namespace calyra::host
