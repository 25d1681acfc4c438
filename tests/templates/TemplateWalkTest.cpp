// Which records count as templates, and what each walk reads to find them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "templates/TemplateMarkers.h"
#include "templates/TemplateWalk.h"
#include "tests/support/DateSupport.h"
#include "tests/support/DeviceTest.h"
#include "tests/templates/TemplateItems.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using platform::outlook::kPropSubject;

class TemplateWalkTest : public DeviceTest {
 protected:
  // The templates one walk of `kind` finds, in the order found.
  static std::vector<std::u16string> Found(ItemKind kind, size_t* recordsRead = nullptr) {
    std::vector<std::u16string> texts;
    TemplateWalk walk(kind);
    walk.Run([&](const TemplateEntry& entry) {
      texts.push_back(entry.text);
      return true;
    });
    if (recordsRead) *recordsRead = walk.RecordsRead();
    return texts;
  }
};

TEST_F(TemplateWalkTest, ATaskIsATemplateByTheDayOfItsStartAlone) {
  struct Case {
    SYSTEMTIME start;
    bool isTemplate;
  };
  const Case cases[] = {
      {Date(2999, 12, 31), true},          {Date(2999, 12, 31, 23, 0), true},  // the time of day does not
                                                                               // count
      {Date(2999, 12, 30, 23, 59), false}, {Date(3000, 1, 1), false},         {Date(2024, 3, 15), false},
  };
  for (const Case& entry : cases) {
    SCOPED_TRACE(::testing::PrintToString(entry.start));
    FILETIME time{};
    SystemTimeToFileTime(&entry.start, &time);
    EXPECT_EQ(IsTaskTemplateDate(time), entry.isTemplate);
  }
  TaskStartingAt(u"Late template", Date(2999, 12, 31, 23, 0));
  TaskStartingAt(u"Day before", Date(2999, 12, 30));
  EXPECT_EQ(Found(ItemKind::Task), std::vector<std::u16string>{u"Late template"});
}

TEST_F(TemplateWalkTest, AnAppointmentIsATemplateFromTheDayBeforeTheTemplateDayInLocalTime) {
  struct Case {
    const char16_t* subject;
    SYSTEMTIME start;
    bool isTemplate;
  };
  const Case cases[] = {
      {u"Early on the 8th", Date(2999, 9, 8, 2, 0), true},
      {u"Midnight of the 8th", Date(2999, 9, 8, 0, 0), true},
      {u"Late on the 7th", Date(2999, 9, 7, 23, 0), false},
      {u"Ordinary", Date(2024, 3, 18, 9, 0), false},
  };
  for (const Case& entry : cases) {
    SCOPED_TRACE(
        std::string(entry.subject, entry.subject + std::char_traits<char16_t>::length(entry.subject)));
    FILETIME utc{};
    ASSERT_TRUE(platform::LocalSystemTimeToUtc(entry.start, &utc));
    EXPECT_EQ(IsAppointmentTemplateStart(utc), entry.isTemplate);
  }
  SaveAppointment(u"Early on the 8th", Date(2999, 9, 8, 2, 0), Date(2999, 9, 8, 3, 0));
  SaveAppointment(u"Late on the 7th", Date(2999, 9, 7, 23, 0), Date(2999, 9, 7, 23, 30));
  EXPECT_EQ(Found(ItemKind::Appointment), std::vector<std::u16string>{u"Early on the 8th"});
}

TEST_F(TemplateWalkTest, TheAppointmentWalkReadsNoAppointmentBeforeTheTemplates) {
  for (int day = 1; day <= 20; ++day)
    SaveAppointment(u"Ordinary", Date(2024, 4, day, 9, 0), Date(2024, 4, day, 10, 0));
  SaveAppointment(u"Standup", Date(2999, 9, 9, 9, 0), Date(2999, 9, 9, 9, 15));
  SaveAppointment(u"Review", Date(2999, 9, 9, 14, 0), Date(2999, 9, 9, 15, 0));
  size_t read = 0;
  EXPECT_EQ(Found(ItemKind::Appointment, &read), (std::vector<std::u16string>{u"Review", u"Standup"}));
  EXPECT_EQ(read, 3u) << "the two templates and the first appointment before them";
}

TEST_F(TemplateWalkTest, TheCountStopsAtTheFirstTemplate) {
  for (const char16_t* subject : {u"Alpha", u"Bravo", u"Charlie", u"Delta", u"Echo"})
    TaskStartingAt(subject, Date(2999, 12, 31));
  SaveTask(u"Zulu", Date(2024, 3, 15), Date(2024, 3, 16));
  EXPECT_EQ(TemplateCount(ItemKind::Task), 1);
  TemplateWalk walk(ItemKind::Task);
  EXPECT_EQ(walk.Run([](const TemplateEntry&) { return false; }), 1);
  EXPECT_EQ(walk.RecordsRead(), 1u);
  EXPECT_EQ(Found(ItemKind::Task).size(), 5u);
}

TEST_F(TemplateWalkTest, NothingStoredCountsNoTemplates) {
  for (ItemKind kind : {ItemKind::Appointment, ItemKind::Task, ItemKind::Contact, ItemKind::None})
    EXPECT_EQ(TemplateCount(kind), 0) << static_cast<int>(kind);
  SaveAppointment(u"Ordinary", Date(2024, 4, 1, 9, 0), Date(2024, 4, 1, 10, 0));
  SaveTask(u"Ordinary", Date(2024, 4, 1), Date(2024, 4, 2));
  SaveContact(u"Anna", u"Berg", u"Acme");
  for (ItemKind kind : {ItemKind::Appointment, ItemKind::Task, ItemKind::Contact})
    EXPECT_EQ(TemplateCount(kind), 0) << static_cast<int>(kind);
}

TEST_F(TemplateWalkTest, AContactTemplateIsACompanyWithoutAPersonsName) {
  struct Case {
    const char16_t* first;
    const char16_t* last;
    const char16_t* company;
    bool isTemplate;
  };
  const Case cases[] = {
      {u"", u"", u"Acme Supplies", true},
      {u"", u"Berg", u"Berg Joinery", false},
      {u"Anna", u"", u"Anna's Bakery", false},
      {u"", u"", u"", false},
  };
  std::vector<std::u16string> expected;
  for (const Case& entry : cases) {
    EXPECT_EQ(IsContactTemplate(entry.company, entry.first, entry.last), entry.isTemplate);
    if (*entry.company) SaveContact(entry.first, entry.last, entry.company);
    if (entry.isTemplate) expected.push_back(entry.company);
  }
  EXPECT_EQ(Found(ItemKind::Contact), expected) << "listed under its company";
}

TEST_F(TemplateWalkTest, AReadThatDoesNotFitTheBufferEndsTheWalk) {
  // Tasks are walked by subject: the oversized one comes first and ends the walk.
  ItemOid big = TaskStartingAt(u"A big one", Date(2999, 12, 31));
  std::u16string subject(TemplateWalk::kRecordBufferBytes / 2, u'A');
  WriteProperty(big, TasksDatabaseName(), PropertyValue::String(kPropSubject, subject));
  TaskStartingAt(u"Beta", Date(2999, 12, 31));
  size_t read = 0;
  EXPECT_TRUE(Found(ItemKind::Task, &read).empty());
  EXPECT_EQ(read, 0u);
}

TEST_F(TemplateWalkTest, AContactReadGoesIntoTheSmallerBuffer) {
  std::u16string company(TemplateWalk::kContactBufferBytes / 2, u'C');
  ItemOid contact = SaveContact(u"", u"", u"Acme");
  WriteProperty(contact, ContactsDatabaseName(),
                PropertyValue::String(platform::outlook::kPropContactCompanyName, company));
  EXPECT_TRUE(Found(ItemKind::Contact).empty()) << "a company of 6198 bytes and more does not fit";
  WriteProperty(contact, ContactsDatabaseName(),
                PropertyValue::String(platform::outlook::kPropContactCompanyName, company.substr(0, 2000)));
  EXPECT_EQ(Found(ItemKind::Contact).size(), 1u);
}

}  // namespace
