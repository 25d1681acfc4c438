#pragma once

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "hosts/calyra/EditorLibrary.h"
#include "hosts/calyra/EditorSession.h"
#include "hosts/calyra/ItemCommands.h"
#include "hosts/calyra/OutlookItems.h"

namespace calyra::host {

// A template as the host's list view shows it: its text and its record.
struct TemplateRow {
  CEOID oid = 0;
  std::u16string text;
  bool operator==(const TemplateRow&) const = default;
};

// The rows CalyraEditor_FillListViewWithTemplates puts into a list view of the session's host window,
// in the list's order.
std::vector<TemplateRow> TemplateRows(EditorSession& session, ItemKind kind);

// `calyra templates appointments|tasks|contacts [--json]`: the kind's templates in the order the
// list view got them, one line each ("0x%08X  text") or a JSON array of {"oid", "text"}. The exit code.
int ListTemplates(const EditorLibrary& library, ItemKind kind, ListingFormat format, std::FILE* out,
                  std::FILE* err);

// `calyra template save OID [--name TEXT]`: CalyraEditor_SaveItemAsTemplate over the host window, the
// person typing the name (or keeping the one proposed) and pressing OK; the new template is printed.
// kExitFailed when no template was written.
int SaveTemplate(const EditorLibrary& library, CEOID item, const std::optional<std::u16string>& name,
                 std::FILE* out, std::FILE* err);

// `templates` and `template save`, words and options checked: what is wrong, or an empty text.
// `options`: the options given besides --device and --json, by name.
std::string CheckTemplateCommand(const std::vector<std::string>& words, bool json,
                                 const std::map<std::string, std::string>& options);
// Runs a checked `templates` or `template save` on the loaded component; the exit code.
int RunTemplateCommand(const EditorLibrary& library, const std::vector<std::string>& words, bool json,
                       const std::map<std::string, std::string>& options, std::FILE* out, std::FILE* err);

}  // namespace calyra::host
