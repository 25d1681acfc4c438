#pragma once

#include "host/EditRequest.h"
#include "host/OptionStore.h"

namespace calyra {

// Gives a new item what its request asks for: subject, dates, the new-appointment reminder and the
// categories. Over a template only the request's dates and subject are laid (a task's own dates
// are cleared first, so that the template's dates do not leak into the new task).
void ApplyNewItemDefaults(const EditRequest& request, bool templateApplied, const OptionStore& options,
                          PimItem& item);

}  // namespace calyra
