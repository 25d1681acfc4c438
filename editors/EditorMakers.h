#pragma once

#include <memory>

namespace calyra {

class PageContainer;
struct EditorContext;

// The four editors: their pages, enabled flags and commits.
std::unique_ptr<PageContainer> MakeAppointmentEditor(EditorContext& context);
std::unique_ptr<PageContainer> MakeTaskEditor(EditorContext& context);
std::unique_ptr<PageContainer> MakeContactEditor(EditorContext& context);
std::unique_ptr<PageContainer> MakeProjectEditor(EditorContext& context);

}  // namespace calyra
