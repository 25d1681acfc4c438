#pragma once

#include "projects/LinkedItemEntry.h"

namespace calyra {

// An appointment in a project, with the date it was added for. Its times are kept to whole minutes.
class AppointmentEntry : public LinkedItemEntry {
 public:
  AppointmentEntry();

  void Reset() override;

  SYSTEMTIME itemDate;

 protected:
  void ReadProperties(const calyra::Record& values) override;
  void WriteProperties(calyra::Record& values) override;
};

}  // namespace calyra
