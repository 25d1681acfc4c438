#include "hosts/calyra/TemplateCommands.h"

#include <algorithm>

#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/JsonWriter.h"
#include "hosts/calyra/PersonSession.h"
#include "platform/text/Text.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"

namespace calyra::host {

namespace {

constexpr int kRowChars = 4096;

void PrintRows(const std::vector<TemplateRow>& rows, ListingFormat format, std::FILE* out) {
  if (format == ListingFormat::kText) {
    for (const TemplateRow& row : rows)
      std::fprintf(out, "0x%08X  %s\n", static_cast<unsigned>(row.oid), platform::ToUtf8(row.text).c_str());
    return;
  }
  JsonWriter json;
  json.BeginArray();
  for (const TemplateRow& row : rows) {
    json.BeginObject();
    json.Key("oid");
    json.Number(row.oid);
    json.Key("text");
    json.String(row.text);
    json.EndObject();
  }
  json.EndArray();
  std::fputs(json.Text().c_str(), out);
}

}  // namespace

std::vector<TemplateRow> TemplateRows(EditorSession& session, ItemKind kind) {
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, u"", WS_CHILD | LVS_REPORT | LVS_SINGLESEL, 0, 0, 240, 200,
                              session.Host().Handle(), nullptr, nullptr, nullptr);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 240;
  ListView_InsertColumn(list, 0, &column);
  session.Exports().fillListViewWithTemplates(list, static_cast<int>(kind), 1);
  std::vector<TemplateRow> rows;
  std::u16string text(kRowChars, u'\0');
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = text.data();
    item.cchTextMax = kRowChars;
    if (ListView_GetItem(list, &item)) rows.push_back({static_cast<CEOID>(item.lParam), text.c_str()});
  }
  DestroyWindow(list);
  return rows;
}

int ListTemplates(const EditorLibrary& library, ItemKind kind, ListingFormat format, std::FILE* out,
                  std::FILE* err) {
  std::vector<TemplateRow> rows;
  platform::ScriptedUserAgent nobody;
  int result = RunWithPerson(
      library, nobody,
      [&](EditorSession& session) {
        rows = TemplateRows(session, kind);
        return kExitDone;
      },
      out, err);
  if (result == kExitDone) PrintRows(rows, format, out);
  return result;
}

int SaveTemplate(const EditorLibrary& library, CEOID item, const std::optional<std::u16string>& name,
                 std::FILE* out, std::FILE* err) {
  ItemKind kind = ItemKindOf(item);
  if (kind == ItemKind::kNone) {
    std::fprintf(err, "calyra: no appointment, task or contact has the oid 0x%08X\n",
                 static_cast<unsigned>(item));
    return kExitBadOid;
  }
  platform::ScriptedUserAgent person;
  auto& dialog = person.ExpectDialog(resources::kDialogTextPrompt);
  if (name) dialog.Type(resources::kTextPromptText, *name);
  dialog.Click(IDOK);
  std::vector<TemplateRow> before, after;
  int answered = 0;
  int result = RunWithPerson(
      library, person,
      [&](EditorSession& session) {
        before = TemplateRows(session, kind);
        std::fprintf(out, "calling CalyraEditor_SaveItemAsTemplate\n");
        std::fflush(out);
        answered = session.Exports().saveItemAsTemplate(session.Host().Handle(), item);
        std::fprintf(out, "result: %d\n", answered);
        after = TemplateRows(session, kind);
        return kExitDone;
      },
      out, err);
  if (result != kExitDone) return result;
  for (const TemplateRow& row : after) {
    if (std::find(before.begin(), before.end(), row) != before.end()) continue;
    std::fprintf(out, "template: 0x%08X  %s\n", static_cast<unsigned>(row.oid),
                 platform::ToUtf8(row.text).c_str());
    return kExitDone;
  }
  std::fprintf(err, "calyra: no template was written (an empty name is refused)\n");
  return kExitFailed;
}

std::string CheckTemplateCommand(const std::vector<std::string>& words, bool json,
                                 const std::map<std::string, std::string>& options) {
  bool named = options.count("--name") > 0;
  if (options.size() > (named ? 1u : 0u)) return "templates and template save take no option but --name";
  if (words[0] == "templates") {
    if (named) return "--name is for template save";
    if (words.size() != 2 || !ParseKind(words[1], true))
      return "templates appointments, tasks or contacts [--json]";
    return {};
  }
  if (json) return "--json is for templates, not template save";
  if (words.size() != 3 || words[1] != "save") return "template save OID [--name TEXT]";
  if (!ParseOid(words[2])) return "\"" + words[2] + "\" is not an oid (a number such as 0x1234 or 4660)";
  return {};
}

int RunTemplateCommand(const EditorLibrary& library, const std::vector<std::string>& words, bool json,
                       const std::map<std::string, std::string>& options, std::FILE* out, std::FILE* err) {
  if (words[0] == "templates")
    return ListTemplates(library, *ParseKind(words[1], true),
                         json ? ListingFormat::kJson : ListingFormat::kText, out, err);
  auto name = options.find("--name");
  std::optional<std::u16string> text;
  if (name != options.end()) text = platform::FromUtf8(name->second);
  return SaveTemplate(library, *ParseOid(words[2]), text, out, err);
}

}  // namespace calyra::host
