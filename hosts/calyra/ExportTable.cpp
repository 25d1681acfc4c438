#include "hosts/calyra/ExportTable.h"

namespace calyra::host {

namespace {

using enum ParamKind;
constexpr Availability kBuilt = Availability::kBuilt;
constexpr Availability kPending = Availability::kPending;
constexpr ResultKind kNone = ResultKind::kNone;
constexpr ResultKind kIntResult = ResultKind::kInt;
constexpr ResultKind kOidResult = ResultKind::kOid;
constexpr ResultKind kHandleResult = ResultKind::kHandle;

// A row of a C export: its type comes from its declaration, its symbol from its name.
#define CALYRA_EXPORT_ROW(name, result, availability, ...)                                            \
  Row<decltype(CalyraEditor_##name) __VA_OPT__(, ) __VA_ARGS__>(#name, "CalyraEditor_" #name, result, \
                                                                availability)

// constexpr, so that every row's kinds are checked against the declarations when this compiles.
constexpr ExportRow kTable[] = {
    CALYRA_EXPORT_ROW(SetEditorOptions, kIntResult, kBuilt, kRecord),
    CALYRA_EXPORT_ROW(SetNoteOptions, kIntResult, kBuilt, kRecord),
    CALYRA_EXPORT_ROW(GetNoteOptions, kIntResult, kBuilt, kRecord),
    CALYRA_EXPORT_ROW(SetDisplayOptions, kIntResult, kBuilt, kRecord),
    CALYRA_EXPORT_ROW(SetJournalOptions, kIntResult, kBuilt, kRecord),
    CALYRA_EXPORT_ROW(GetJournalOptions, kIntResult, kBuilt, kRecord),
    CALYRA_EXPORT_ROW(SetContactOptions, kIntResult, kBuilt, kRecord),
    CALYRA_EXPORT_ROW(GetAddressCityLineFormat, kIntResult, kBuilt, kText, kText, kText, kText, kTextBuffer,
                      kInt),
    // The buffer must come from the component, which the command line cannot give: only null.
    CALYRA_EXPORT_ROW(FreePhraseBuffer, kNone, kBuilt, kRecord),
    CALYRA_EXPORT_ROW(JournalEntry, kIntResult, kBuilt, kUint, kUint),
    // The frame and editor requests.
    CALYRA_EXPORT_ROW(Initialize, kIntResult, kBuilt, kHandle, kHandle, kRecord, kWord),
    CALYRA_EXPORT_ROW(Destroy, kIntResult, kBuilt),
    CALYRA_EXPORT_ROW(IsEditorActive, kIntResult, kBuilt, kInt, kHandle, kUint, kWide, kWide),
    CALYRA_EXPORT_ROW(HandleActivationChange, kIntResult, kBuilt, kUint),
    CALYRA_EXPORT_ROW(IsDialogMessage, kIntResult, kBuilt, kRecord),
    CALYRA_EXPORT_ROW(PostMessage, kNone, kBuilt, kUint, kWide, kWide),
    CALYRA_EXPORT_ROW(NewAppointment, kIntResult, kBuilt, kUint, kTime, kTime, kText, kUint, kCategories,
                      kWord, kInt, kUint),
    CALYRA_EXPORT_ROW(NewTask, kIntResult, kBuilt, kUint, kTime, kTime, kText, kUint, kCategories, kWord,
                      kInt, kUint),
    CALYRA_EXPORT_ROW(NewContact, kIntResult, kBuilt, kUint, kCategories, kWord, kInt, kUint),
    CALYRA_EXPORT_ROW(NewProject, kIntResult, kBuilt, kUint, kUint),
    CALYRA_EXPORT_ROW(EditAppointment, kIntResult, kBuilt, kUint, kTime, kUint, kInt, kInt, kUint, kInt),
    CALYRA_EXPORT_ROW(EditTask, kIntResult, kBuilt, kUint, kTime, kUint, kInt, kInt, kUint),
    CALYRA_EXPORT_ROW(EditContact, kIntResult, kBuilt, kUint, kUint, kInt, kInt, kUint),
    CALYRA_EXPORT_ROW(EditProject, kIntResult, kBuilt, kUint, kUint, kInt),
    // Task dates, deletion and conversion.
    CALYRA_EXPORT_ROW(MarkTaskComplete, kIntResult, kBuilt, kHandle, kUint, kInt),
    CALYRA_EXPORT_ROW(ChangeDates, kIntResult, kBuilt, kHandle, kUint, kInt, kUint, kTime),
    CALYRA_EXPORT_ROW(MoveTaskToDate, kIntResult, kBuilt, kHandle, kUint, kInt, kTime, kTime),
    CALYRA_EXPORT_ROW(DeleteAppointment, kIntResult, kBuilt, kUint, kInt, kTime, kInt),
    CALYRA_EXPORT_ROW(DeleteTask, kIntResult, kBuilt, kUint, kInt, kInt),
    CALYRA_EXPORT_ROW(DeleteContact, kIntResult, kBuilt, kUint, kInt, kOutInt, kInt),
    CALYRA_EXPORT_ROW(SaveAppointmentAsTask, kOidResult, kBuilt, kUint),
    CALYRA_EXPORT_ROW(SaveTaskAsAppointment, kOidResult, kBuilt, kUint),
    // Links and the floating link window.
    CALYRA_EXPORT_ROW(InitLoadLinksInformation, kIntResult, kBuilt),
    CALYRA_EXPORT_ROW(IsItemLinked, kIntResult, kBuilt, kUint),
    CALYRA_EXPORT_ROW(GetIconLinkImage, kHandleResult, kBuilt, kUint),
    CALYRA_EXPORT_ROW(SetIconLink, kIntResult, kBuilt, kUint, kText),
    CALYRA_EXPORT_ROW(AddLinkToItem, kIntResult, kBuilt, kUint, kUint, kInt),
    CALYRA_EXPORT_ROW(OpenFloatingLinkWindow, kIntResult, kBuilt, kHandle, kUint),
    CALYRA_EXPORT_ROW(CloseFloatingLinkWindow, kNone, kBuilt),
    CALYRA_EXPORT_ROW(IsFloatingLinkWindowOpen, kIntResult, kBuilt),
    CALYRA_EXPORT_ROW(FloatingLinkDialog_DropItem, kIntResult, kBuilt, kUint, kInt),
    CALYRA_EXPORT_ROW(FloatingLinkDialog_IsPointInRect, kIntResult, kBuilt, kInt, kInt),
    // Alarm notes, journal dialogs, phrases.
    CALYRA_EXPORT_ROW(NewAlarmNote, kIntResult, kBuilt, kHandle, kWord),
    CALYRA_EXPORT_ROW(EditAlarmNote, kIntResult, kBuilt, kHandle, kRecord),
    CALYRA_EXPORT_ROW(EditAlarmNoteTime, kIntResult, kBuilt, kHandle, kTime),
    CALYRA_EXPORT_ROW(OpenJournal, kIntResult, kBuilt, kHandle),
    CALYRA_EXPORT_ROW(AddJournalEntryCustom, kIntResult, kBuilt, kHandle),
    CALYRA_EXPORT_ROW(DoPhraseSelection, kIntResult, kBuilt, kHandle, kUint, kOutInt, kOutBuffer),
    // Templates, categories, projects.
    CALYRA_EXPORT_ROW(SaveItemAsTemplate, kIntResult, kBuilt, kHandle, kUint),
    CALYRA_EXPORT_ROW(GetTemplateCount, kIntResult, kBuilt, kWord),
    CALYRA_EXPORT_ROW(FillListViewWithTemplates, kIntResult, kBuilt, kHandle, kInt, kInt),
    CALYRA_EXPORT_ROW(EditTemplateName, kIntResult, kBuilt, kHandle, kTextBuffer, kInt),
    CALYRA_EXPORT_ROW(CategoryAddDeleteDialog, kIntResult, kBuilt, kHandle, kInt),
    CALYRA_EXPORT_ROW(IsCategoryImageChanged, kIntResult, kBuilt, kInt, kInt, kInt),
    CALYRA_EXPORT_ROW(AddItemToProject, kOidResult, kBuilt, kHandle, kWord, kText, kUint, kTime, kText),
    CALYRA_EXPORT_ROW(AddItemToProject2, kIntResult, kBuilt, kHandle, kUint, kWord, kUint, kTime, kText),
    // The second reminder takes the appointment object and keeps its C++ name.
    Row<decltype(CalyraEditor_EditDualReminderTime), kHandle, kUint, kTime, kTime, kRecord>(
        "EditDualReminderTime",
        "_Z33CalyraEditor_EditDualReminderTimeP6HWND__jPK10SYSTEMTIMEPS1_PN6calyra15CPIMAppointmentE",
        kIntResult, kBuilt),
};

#undef CALYRA_EXPORT_ROW

constexpr std::string_view kPrefix = "CalyraEditor_";

}  // namespace

std::span<const ExportRow> ExportTable() {
  return kTable;
}

const ExportRow* FindExport(std::string_view name) {
  if (name.starts_with(kPrefix)) name.remove_prefix(kPrefix.size());
  for (const ExportRow& row : kTable) {
    if (name == row.name) return &row;
  }
  return nullptr;
}

const char* KindName(ParamKind kind) {
  switch (kind) {
    case kInt:
      return "int";
    case kUint:
      return "uint";
    case kWord:
      return "word";
    case kWide:
      return "wide";
    case kHandle:
      return "handle";
    case kTime:
      return "time";
    case kText:
      return "text";
    case kTextBuffer:
      return "&text";
    case kOutInt:
      return "&int";
    case kOutBuffer:
      return "&buffer";
    case kCategories:
      return "[categories]";
    case kRecord:
      return "record";
  }
  return "?";
}

std::string Describe(const ExportRow& row) {
  std::string text = std::string(row.name) + "(";
  for (size_t i = 0; i < row.params.size(); ++i)
    text += (i ? ", " : "") + std::string(KindName(row.params[i]));
  static constexpr const char* kResults[] = {"none", "int", "oid", "handle"};
  text += std::string(") -> ") + kResults[static_cast<int>(row.result)];
  if (row.availability == kPending) text += "  (not built yet)";
  return text;
}

}  // namespace calyra::host
