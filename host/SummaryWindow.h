#pragma once

#include <memory>
#include <string>

#include "host/EditRequest.h"
#include "platform/ui/WindowTypes.h"

namespace calyra {

class ContactView;

// The read-only view of an appointment, task or contact that a host may ask for instead of the
// editor: the item's fields in a list, and commands to edit, delete, convert, beam, copy or show it.
// It holds the request that opened it until it is opened as an editor or destroyed.
class SummaryWindow {
 public:
  SummaryWindow();
  ~SummaryWindow();
  SummaryWindow(const SummaryWindow&) = delete;
  SummaryWindow& operator=(const SummaryWindow&) = delete;

  bool Create(HWND mainWindow, ItemKind kind, std::unique_ptr<EditRequest> request);
  void Destroy();
  HWND Window() const { return window_; }
  ItemKind Kind() const { return kind_; }
  const EditRequest& Request() const { return *request_; }
  std::unique_ptr<EditRequest> TakeRequest() { return std::move(request_); }
  // Gives the summary window's controls the display options' summary font and its list their colours
  // (labels, values); nothing for a null window.
  static void ApplyDisplayOptions(HWND summary);
  // The contact view of a contact's summary; null for the other kinds.
  ContactView* Contact() const { return contactView_.get(); }
  // The name the person gave the template when the summary was saved as one.
  const std::u16string& TemplateName() const { return templateName_; }

 private:
  static INT_PTR DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void SetButtonTexts();
  void FillFields();
  void OnCommand(int command);
  void SaveAsTemplate();
  void AddToProject();

  HWND window_ = nullptr;
  HWND mainWindow_ = nullptr;
  ItemKind kind_ = ItemKind::None;
  std::unique_ptr<EditRequest> request_;
  std::unique_ptr<ContactView> contactView_;
  std::u16string templateName_;
};

}  // namespace calyra
