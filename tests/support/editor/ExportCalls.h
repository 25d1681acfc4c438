#pragma once

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <string>

#include "CalyraEditor.h"
#include "editors/EditorKind.h"

namespace calyra::testing {

// A New export call built by name rather than by nine positional arguments:
//   NewItem(EditorKind::NewTask).Subject(u"Call").From(start).Categories({3, 7}).Post()
// Without a template offer unless asked for, as most tests want.
class NewItem {
 public:
  explicit NewItem(EditorKind kind) : kind_(kind) {}
  NewItem& From(const SYSTEMTIME& date) {
    first_ = date;
    return *this;
  }
  NewItem& To(const SYSTEMTIME& date) {
    second_ = date;
    return *this;
  }
  NewItem& Subject(std::u16string subject) {
    subject_ = std::move(subject);
    return *this;
  }
  // The host's whole array of category numbers, the first `count` given here (count defaults to them).
  NewItem& Categories(std::initializer_list<WORD> numbers, std::optional<WORD> count = std::nullopt) {
    categories_.fill(0);
    std::copy_n(numbers.begin(), std::min(numbers.size(), categories_.size()), categories_.begin());
    categoryCount_ = count.value_or(static_cast<WORD>(numbers.size()));
    return *this;
  }
  NewItem& CategoryCount(WORD count) {
    categoryCount_ = count;
    return *this;
  }
  NewItem& LinkWith(DWORD item) {
    linkWith_ = item;
    return *this;
  }
  NewItem& ForProject(DWORD project) {
    project_ = project;
    return *this;
  }
  NewItem& OfferTemplates() {
    noTemplate_ = 0;
    return *this;
  }
  // The export's answer.
  int Post() const {
    const SYSTEMTIME* first = first_ ? &*first_ : nullptr;
    const SYSTEMTIME* second = second_ ? &*second_ : nullptr;
    const WCHAR* subject = subject_ ? subject_->c_str() : nullptr;
    switch (kind_) {
      case EditorKind::NewAppointment:
        return CalyraEditor_NewAppointment(0, first, second, subject, linkWith_, categories_.data(),
                                           categoryCount_, noTemplate_, project_);
      case EditorKind::NewTask:
        return CalyraEditor_NewTask(0, first, second, subject, linkWith_, categories_.data(), categoryCount_,
                                    noTemplate_, project_);
      case EditorKind::NewContact:
        return CalyraEditor_NewContact(0, categories_.data(), categoryCount_, noTemplate_, project_);
      case EditorKind::NewProject:
        return CalyraEditor_NewProject(0, project_);
      default:
        return -1;  // not a New export
    }
  }

 private:
  EditorKind kind_;
  std::optional<SYSTEMTIME> first_, second_;
  std::optional<std::u16string> subject_;
  std::array<WORD, CALYRA_MAX_NEW_CATEGORIES> categories_{};
  WORD categoryCount_ = 0;
  DWORD linkWith_ = 0;
  DWORD project_ = 0;
  int noTemplate_ = 1;
};

// An Edit export call: EditItem(EditorKind::EditTask, oid).StartPage(1).Post()
class EditItem {
 public:
  EditItem(EditorKind kind, CEOID item) : kind_(kind), item_(item) {}
  EditItem& Occurrence(const SYSTEMTIME& date) {
    occurrence_ = date;
    return *this;
  }
  EditItem& StartPage(int page) {
    startPage_ = page;
    return *this;
  }
  EditItem& Summary() {
    summary_ = 1;
    return *this;
  }
  EditItem& EditValue(DWORD value) {
    editValue_ = value;
    return *this;
  }
  EditItem& DoNotAsk() {
    doNotAsk_ = 1;
    return *this;
  }
  int Post() const {
    const SYSTEMTIME* occurrence = occurrence_ ? &*occurrence_ : nullptr;
    switch (kind_) {
      case EditorKind::EditAppointment:
        return CalyraEditor_EditAppointment(0, occurrence, item_, summary_, startPage_, editValue_,
                                            doNotAsk_);
      case EditorKind::EditTask:
        return CalyraEditor_EditTask(0, occurrence, item_, summary_, startPage_, editValue_);
      case EditorKind::EditContact:
        return CalyraEditor_EditContact(0, item_, summary_, startPage_, editValue_);
      case EditorKind::EditProject:
        return CalyraEditor_EditProject(0, item_, startPage_);
      default:
        return -1;  // not an Edit export
    }
  }

 private:
  EditorKind kind_;
  CEOID item_;
  std::optional<SYSTEMTIME> occurrence_;
  int startPage_ = 0;
  int summary_ = 0;
  DWORD editValue_ = 0;
  int doNotAsk_ = 0;
};

}  // namespace calyra::testing
