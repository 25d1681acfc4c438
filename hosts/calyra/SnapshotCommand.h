#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "hosts/calyra/EditorCommand.h"
#include "hosts/calyra/EditorSession.h"

namespace calyra::host {

// `calyra snapshot OID|new KIND [--tab N] [--script FILE] --png FILE`: the editor opened as `edit` or
// `new` opens it, the script's steps done, tab N brought to the front, and the screen written as a
// PNG file of the host. The editor is then cancelled.
struct SnapshotCommand {
  EditorCommand editor;
  int tab = -1;  // -1: the tab the editor (or the script) left in front
  std::string png;
};

// Whether an option is one of --png, --tab and --pictures (each takes a value).
bool IsPictureOption(const char* option);
// What is wrong with the picture options of a command (`snapshot`'s words too); empty when nothing is.
std::string CheckPictureOptions(const std::vector<std::string>& words,
                                const std::map<std::string, std::string>& options);
// The command of checked words and options, once the device is open; kExitDone, or kExitBadOid told
// on stderr for an oid of no item.
int ParseSnapshotCommand(const std::vector<std::string>& words,
                         const std::map<std::string, std::string>& options, SnapshotCommand* command);

// The exit code.
int RunSnapshotCommand(const EditorExports& exports, const SnapshotCommand& command, std::FILE* out,
                       std::FILE* err);

// Writes the screen as it is now to `path`; false (told on `err`) when the file cannot be written.
bool WriteScreenPicture(const std::string& path, std::FILE* err);

// The pictures of a tour: one numbered PNG file per page shown, in a folder of the host (made when
// missing). Without a folder it takes none.
class PageCamera {
 public:
  explicit PageCamera(std::string folder = {}) : folder_(std::move(folder)) {}
  bool Active() const { return !folder_.empty(); }
  // Writes "NN-<what>.png" (what: letters, digits and dashes); the path written, or empty.
  std::string Take(const std::string& what, std::FILE* err);

 private:
  std::string folder_;
  int taken_ = 0;
};

}  // namespace calyra::host
