#pragma once

#include "CalyraEditorResources.h"

namespace calyra {

// The two dialogs the component carries itself rather than the host's resource module: the summary
// window and the question whether a note without a valid alarm becomes a plain note.
inline constexpr int kSummaryDialog = 101;
inline constexpr int kPlainNoteQuestionDialog = 200;
inline constexpr int kSummaryList = 1001;
inline constexpr int kSummaryEdit = 42067;
inline constexpr int kSummaryLinks = 41518;
inline constexpr int kSummaryCopy = 40032;

const CalyraResourceTable* OwnResourceTable();

}  // namespace calyra
