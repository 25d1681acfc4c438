#pragma once

#include <vector>

#include "editors/EditorKind.h"
#include "editors/EditorMessages.h"
#include "platform/ui/MessageRecorder.h"

// The messages each flow of an editor sends, as the MainWindow and the host window receive them: the
// component's private messages to the MainWindow and the notifications to the host.
namespace calyra::testing::flows {

using platform::ExpectedMessage;
using platform::kLParam;
using platform::kOptional;
using platform::kPosted;
using platform::kWParam;

inline constexpr ExpectedMessage kEditorClosed{kNotifyEditorClosed, kPosted | kWParam | kLParam, 0, 0};
inline constexpr ExpectedMessage kLayoutForPage{kMsgLayoutForSip, kPosted};
// The MainWindow lays itself out again whenever it is activated, which focus changes may cause. The
// sequences put it after the layout they require, since the comparison takes the first match.
inline constexpr ExpectedMessage kActivationLayout{kMsgLayoutForSip, kPosted | kOptional};
inline constexpr ExpectedMessage kAskedToClose{kMsgCloseEditor, kPosted | kWParam | kLParam, 0, 0};
inline constexpr ExpectedMessage kAskedToCloseNow{kMsgCloseEditorNow, kPosted | kWParam | kLParam, 0, 0};

// The request arrives in the host's loop and the first page is laid out for the input panel.
inline std::vector<ExpectedMessage> Open(EditorKind kind) {
  return {{kMsgOpenEditor, kPosted | kWParam, ToMessage(kind)}, kLayoutForPage, kActivationLayout};
}
// A request that could not be opened still tells the host that the editor is gone.
inline std::vector<ExpectedMessage> OpenFailed(EditorKind kind) {
  return {{kMsgOpenEditor, kPosted | kWParam, ToMessage(kind)}, kEditorClosed};
}
// OK: the page asks to close, everything is saved and the host is told.
inline const std::vector<ExpectedMessage> kOk{kAskedToClose, kActivationLayout, kEditorClosed};
// Cancel: the page asks to close at once; nothing is saved, the host is told.
inline const std::vector<ExpectedMessage> kCancel{kAskedToCloseNow, kActivationLayout, kEditorClosed};
// A page refused to store, or the save failed: the editor stays and shows its first page again.
inline const std::vector<ExpectedMessage> kRefused{kAskedToClose, kLayoutForPage, kActivationLayout,
                                                   kActivationLayout};
// The host switched away and the person let the editor go: the host's own message comes back.
inline std::vector<ExpectedMessage> SwitchedAway(UINT hostMessage, WPARAM wParam, LPARAM lParam) {
  return {kActivationLayout,
          kAskedToCloseNow,
          kActivationLayout,
          {hostMessage, kPosted | kWParam | kLParam, wParam, lParam}};
}

}  // namespace calyra::testing::flows

namespace calyra::testing {

// The component's private messages to the MainWindow that the flows speak of.
inline bool IsFlowMessage(UINT message) {
  return message >= kMsgOpenEditor && message <= kMsgSummaryOpenItem;
}

}  // namespace calyra::testing
