#pragma once

#include <span>
#include <string>
#include <string_view>

#include "hosts/calyra/ExportSignature.h"

namespace calyra::host {

// Every export of CalyraEditor.h, one row each, in the header's order.
std::span<const ExportRow> ExportTable();
// The row of `name`, written with or without the CalyraEditor_ prefix; null when no export has it.
const ExportRow* FindExport(std::string_view name);

// "int", "time", "&int", ... as the usage lines write a parameter.
const char* KindName(ParamKind kind);
// "NewTask(uint, time, ...) -> int", with "(not built yet)" for a pending export.
std::string Describe(const ExportRow& row);

}  // namespace calyra::host
