#pragma once

#include <string>
#include <vector>

#include "store/ItemKind.h"
#include "text/ContactNameFormat.h"

namespace calyra {

// What the contact lists of the editors show of a contact.
struct ContactSummary {
  ItemOid oid = 0;
  std::u16string fileAs;
  ContactName name;
  std::u16string email;  // the first of its e-mail addresses that is set
};

// Every contact of the store, read straight from its records in one step, by FileAs without regard
// to case.
std::vector<ContactSummary> ReadContacts();

}  // namespace calyra
