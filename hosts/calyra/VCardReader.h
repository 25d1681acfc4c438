#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "hosts/calyra/VCardContact.h"

namespace calyra::host {

// What is wrong with a vCard file: the line (1-based) and, when it lies in a card, the card's number.
struct VCardError {
  int line = 0;
  int card = 0;
  std::string message;
};

// Reads every card of a vCard file (2.1, 3.0 or 4.0, several cards one after the other) through
// Evolution's contact library. The whole text is checked first: it must be UTF-8, every BEGIN:VCARD
// must have its END:VCARD, nothing but blank lines may stand between cards, and the library must read
// every card with a version it knows. False with `error` at the first fault, and then no contact.
bool ReadVCards(std::string_view text, std::vector<VCardContact>* contacts, VCardError* error);

}  // namespace calyra::host
