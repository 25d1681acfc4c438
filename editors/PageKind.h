#pragma once

namespace calyra {

// What a page is: the index of its tab image, and the key of its work after a save.
enum class PageKind : int {
  Appointment = 0,
  Notes = 1,
  Categories = 2,
  Links = 3,
  Attendees = 4,
  Task = 5,
  Contact = 6,
  Recurrence = 7,
  Project = 8,
  ProjectContents = 9,
  ProjectThird = 10,
  ProjectFourth = 11,
};

// The numbers by which the editors ask the page factory for their pages.
enum class PageNumber : int {
  Appointment = 1,
  Task = 2,
  Notes = 3,
  Categories = 4,
  Links = 5,
  Attendees = 6,
  Contact = 7,
  Recurrence = 8,
  Project = 9,
  ProjectNotes = 10,
  ProjectContents = 11,
  ProjectThird = 12,
  ProjectFourth = 13,
};
inline constexpr int kLastPageNumber = 13;  // sizes the tables kept by page number

}  // namespace calyra
