#include "hosts/calyra/OperationCommands.h"

#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/ItemCommands.h"

namespace calyra::host {

namespace {

constexpr const char* kModeOption = "--mode";
constexpr const char* kOccurrenceOption = "--occurrence";
constexpr const char* kCopyFlag = "--copy";
constexpr const char* kNoConfirmFlag = "--no-confirm";

// The words each command takes, the command's name included.
size_t WordCount(const std::string& name) {
  if (name == "redate") return 3;
  if (name == "move") return 4;
  return 2;
}

// The options each command takes.
bool Takes(const std::string& name, const std::string& option) {
  if (option == kModeOption) return name == "complete";
  if (option == kCopyFlag) return name == "move";
  return name == "delete" && (option == kOccurrenceOption || option == kNoConfirmFlag);
}

std::string Hex(CEOID oid) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", oid);
  return text;
}

}  // namespace

bool IsOperationCommand(const std::string& name) {
  return name == "complete" || name == "redate" || name == "move" || name == "delete" || name == "convert";
}

bool IsOperationOption(const std::string& option) {
  return option == kModeOption || option == kOccurrenceOption;
}

bool IsOperationFlag(const std::string& option) {
  return option == kCopyFlag || option == kNoConfirmFlag;
}

std::string CheckOperationCommand(const std::vector<std::string>& words,
                                  const std::map<std::string, std::string>& options) {
  const std::string& name = words[0];
  if (words.size() != WordCount(name)) return "wrong number of arguments for " + name;
  for (const auto& [option, value] : options) {
    if (!Takes(name, option)) return option + " is not an option of " + name;
  }
  auto mode = options.find(kModeOption);
  if (mode != options.end() && mode->second != "0" && mode->second != "1" && mode->second != "2")
    return "--mode is 0 (not complete), 1 (complete) or 2 (the other way round)";
  return "";
}

int OperationCallWords(const std::vector<std::string>& words,
                       const std::map<std::string, std::string>& options, std::vector<std::string>* call,
                       std::FILE* err) {
  const std::string& name = words[0];
  CEOID oid = *ParseOid(words[1]);
  ItemKind kind = ItemKindOf(oid);
  bool taskOnly = name == "complete" || name == "redate" || name == "move";
  if (kind == ItemKind::kNone || (taskOnly && kind != ItemKind::kTask)) {
    std::fprintf(err, "calyra: no %s has the oid %s\n", taskOnly ? "task" : "appointment, task or contact",
                 Hex(oid).c_str());
    return kExitBadOid;
  }
  auto option = [&](const char* key, const std::string& otherwise) {
    auto found = options.find(key);
    return found == options.end() ? otherwise : found->second;
  };
  std::string item = Hex(oid);
  std::string confirm = options.count(kNoConfirmFlag) ? "0" : "1";
  std::string occurrence = option(kOccurrenceOption, "");
  std::string occurrenceFlag = occurrence.empty() ? "0" : "1";
  if (name == "complete") {
    *call = {"MarkTaskComplete", "host", item, option(kModeOption, "1")};
  } else if (name == "redate") {
    *call = {"ChangeDates", "host", item, "0", "0", words[2]};
  } else if (name == "move") {
    *call = {"MoveTaskToDate", "host", item, options.count(kCopyFlag) ? "1" : "0", words[2], words[3]};
  } else if (name == "convert") {
    if (kind == ItemKind::kContact) {
      std::fprintf(
          err, "calyra: a contact cannot be converted; appointments become tasks and tasks appointments\n");
      return kExitFailed;
    }
    *call = {kind == ItemKind::kAppointment ? "SaveAppointmentAsTask" : "SaveTaskAsAppointment", item};
  } else if (kind == ItemKind::kAppointment) {
    *call = {"DeleteAppointment", item, occurrenceFlag, occurrence.empty() ? "null" : occurrence, confirm};
  } else if (kind == ItemKind::kTask) {
    *call = {"DeleteTask", item, occurrenceFlag, confirm};
  } else if (!occurrence.empty()) {
    std::fprintf(err, "calyra: a contact has no occurrences\n");
    return kExitUsage;
  } else {
    *call = {"DeleteContact", item, "1", "&int", confirm};
  }
  return kExitDone;
}

}  // namespace calyra::host
