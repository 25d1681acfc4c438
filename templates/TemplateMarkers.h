#pragma once

#include <string_view>

#include "platform/core/PlatformTypes.h"

// How a stored item is marked as a template, and how a record is recognised as one. Appointments and
// tasks sit on days far in the future; a contact template is a company without a person's name.
namespace calyra {

// The day an appointment template starts on (2999-09-09), and the first local moment a start counts
// as a template's (2999-09-08 00:00), a day earlier so that a start moved by a time zone still counts.
inline constexpr DATE kAppointmentTemplateDay = 401655.0;
inline constexpr DATE kAppointmentTemplateFrom = 401654.0;
// The day of both dates of a task template (2999-12-31).
inline constexpr DATE kTaskTemplateDay = 401768.0;

// Whether an appointment record's start (UTC, as the record keeps it) marks a template.
bool IsAppointmentTemplateStart(const FILETIME& utcStart);
// Whether a task record's start date (local) is on the task template day, whatever its time of day.
bool IsTaskTemplateDate(const FILETIME& localDate);
// Whether a contact is a template: a company and neither a first nor a last name.
bool IsContactTemplate(std::u16string_view company, std::u16string_view firstName,
                       std::u16string_view lastName);

}  // namespace calyra
