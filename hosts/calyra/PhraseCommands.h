#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "hosts/calyra/ItemCommands.h"
#include "platform/core/PlatformTypes.h"

namespace calyra::host {

// Reads `--filter`: usage flags as a number (0x10001) or as usage keywords ("subject,task"); none
// when it is neither.
std::optional<DWORD> ParsePhraseFilter(const std::string& word);

// `calyra phrases [--filter FLAGS] [--json]`: the phrases of the phrase file a field of that filter
// is offered (every phrase without a filter), in file order, as the phrase selection lists them:
// one line each, or one JSON array (docs/DEMO.md "Phrases"). The exit code.
int ListPhrases(DWORD filter, ListingFormat format, std::FILE* out, std::FILE* err);

// Puts the sample phrase file into the documents folder of a device that has never had it (a phrase
// file the person deleted stays deleted).
void PutSamplePhrases();

}  // namespace calyra::host
