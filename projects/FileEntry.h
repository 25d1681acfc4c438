#pragma once

#include "projects/ProjectEntry.h"

namespace calyra {

// A file in a project, by its full path.
class FileEntry : public ProjectEntry {
 public:
  FileEntry() : ProjectEntry(ProjectEntryType::File) {}

  void Reset() override;

  std::u16string filePath;

 protected:
  void ReadProperties(const calyra::Record& values) override;
  void WriteProperties(calyra::Record& values) override;
};

}  // namespace calyra
