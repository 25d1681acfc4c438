#pragma once

#include "CalyraEditorResources.h"
#include "resources/ResourceIds.h"

namespace calyra {

using resources::kPlainNoteQuestionDialog;
using resources::kSummaryCopy;
using resources::kSummaryDialog;
using resources::kSummaryEdit;
using resources::kSummaryLinks;
using resources::kSummaryList;

// The table of the dialogs the component carries itself.

const CalyraResourceTable* OwnResourceTable();

}  // namespace calyra
