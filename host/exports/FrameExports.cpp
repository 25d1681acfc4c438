// Start-up and shut-down of the component, and the calls a host makes from its message loop.
#include "CalyraEditor.h"
#include "host/Component.h"
#include "host/EditorFrame.h"
#include "host/MainWindow.h"
#include "host/exports/ExportGuard.h"
#include "links/LinkStore.h"
#include "platform/process/Synchronization.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/controls/CommonControls.h"
#include "store/TaskReminder.h"

namespace {

constexpr const char16_t* kPhotoChangeMessage = u"CalyraContactPhotoChange";

}  // namespace

CALYRA_API int CalyraEditor_Initialize(HWND host, HINSTANCE resources, const RECT* area, WORD processKind) {
  return calyra::Guarded(0, [&] {
    calyra::Component& component = calyra::Component::Process();
    component.hostWindow = host;
    if (component.initialised) return 1;
    if (!component.scale.Measured()) component.scale.Measure();
    component.SetResources(resources);
    // The dialer lies outside the component: a device without it has a dialer of state 0.
    component.dialer.Initialise(resources);
    RECT screen{0, 0, 0, 0};
    auto window = std::make_unique<calyra::MainWindow>();
    if (!window->Create(host, area ? *area : screen)) {
      window->Destroy();
      return 0;
    }
    component.mainWindow = std::move(window);
    if (!component.inkReady) {
      InitInkX();
      InitRichInkDLL();
      component.inkReady = true;
    }
    component.processKind = processKind;
    // A process starting afresh has nothing open, whatever an earlier one of its kind left behind.
    if (component.openItems.Open(processKind)) component.openItems.SetOwn(0);
    component.updateMutex = CreateMutexW(nullptr, FALSE, calyra::kUpdateAlarmMutexName);
    component.photoChangeMessage = RegisterWindowMessageW(kPhotoChangeMessage);
    component.initialised = true;
    return 1;
  });
}

CALYRA_API int CalyraEditor_Destroy(void) {
  return calyra::Guarded(0, [&] {
    calyra::Component& component = calyra::Component::Process();
    if (!component.initialised) return 0;
    if (component.mainWindow) component.mainWindow->Destroy();
    component.mainWindow.reset();
    calyra::LinkStore(&component.links).PurgeStaleLinks();
    component.openItems.SetOwn(0);
    component.fonts.Clear();
    component.phraseLibrary.reset();
    if (component.updateMutex) CloseHandle(component.updateMutex);
    component.updateMutex = nullptr;
    component.initialised = false;
    return 1;
  });
}

CALYRA_API int CalyraEditor_IsEditorActive(int closeFloatingLink, HWND returnWindow, UINT returnMessage,
                                           WPARAM returnWParam, LPARAM returnLParam) {
  return calyra::Guarded(0, [&] {
    calyra::Component& component = calyra::Component::Process();
    if (!component.mainWindow) return 0;
    return component.mainWindow->IsEditorActive(closeFloatingLink, returnWindow, returnMessage, returnWParam,
                                                returnLParam);
  });
}

CALYRA_API int CalyraEditor_HandleActivationChange(UINT activation) {
  return calyra::Guarded(0, [&] {
    calyra::Component& component = calyra::Component::Process();
    return component.mainWindow ? component.mainWindow->HandleActivation(activation) : 0;
  });
}

CALYRA_API int CalyraEditor_IsDialogMessage(MSG* message) {
  return calyra::Guarded(0, [&] {
    calyra::Component& component = calyra::Component::Process();
    return component.mainWindow ? component.mainWindow->IsDialogMessage(message) : 0;
  });
}

CALYRA_API void CalyraEditor_PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  calyra::Guarded([&] {
    calyra::Component& component = calyra::Component::Process();
    if (component.mainWindow && message && message == component.photoChangeMessage) {
      component.mainWindow->ForwardToSummary(message, wParam, lParam);
    }
  });
}
