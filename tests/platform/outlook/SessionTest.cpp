#include <gtest/gtest.h>

#include <cstring>

#include "platform/outlook/Outbox.h"
#include "platform/process/Processes.h"
#include "platform/text/Text.h"
#include "tests/platform/outlook/OutlookTestSupport.h"

namespace {

using calyra::testing::Bstr;
using calyra::testing::Date;
using calyra::testing::DeviceTest;
using calyra::testing::OutlookTest;
using calyra::testing::WriteRaw;
using platform::ComPtr;

class SessionTest : public DeviceTest {};

TEST_F(SessionTest, BstrIsLengthPrefixedAndNullIsEmpty) {
  BSTR text = SysAllocString(u"Dentist");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(SysStringLen(text), 7u);
  uint32_t bytes = 0;
  std::memcpy(&bytes, reinterpret_cast<uint8_t*>(text) - 4, 4);
  EXPECT_EQ(bytes, 14u);
  EXPECT_EQ(text[7], u'\0');
  SysFreeString(text);
  BSTR withZero = SysAllocStringLen(u"a\0b", 3);
  EXPECT_EQ(SysStringLen(withZero), 3u);
  SysFreeString(withZero);
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  SysFreeString(nullptr);
}

TEST_F(SessionTest, CreatingTheApplicationNeedsComOnTheThreadAndTheRightIds) {
  IPOutlookApp* app = reinterpret_cast<IPOutlookApp*>(0x1);
  EXPECT_EQ(CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp,
                             reinterpret_cast<void**>(&app)),
            CO_E_NOTINITIALIZED);
  EXPECT_EQ(app, nullptr);
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE) << "again on the same thread";
  CoUninitialize();
  EXPECT_EQ(CoCreateInstance(IID_IPOutlookApp, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp,
                             reinterpret_cast<void**>(&app)),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IFolder,
                             reinterpret_cast<void**>(&app)),
            E_NOINTERFACE);
  ComPtr<IPOutlookApp> outlook;
  ASSERT_EQ(CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp,
                             reinterpret_cast<void**>(&outlook)),
            S_OK);
  ComPtr<IUnknown> unknown = outlook.As<IUnknown>(IID_IUnknown);
  EXPECT_TRUE(unknown);
  outlook.Reset();
  unknown.Reset();
  CoUninitialize();
}

TEST_F(SessionTest, EveryCallBeforeLogonFails) {
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  ComPtr<IPOutlookApp> app;
  ASSERT_EQ(CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp,
                             reinterpret_cast<void**>(&app)),
            S_OK);
  ComPtr<IFolder> folder;
  ComPtr<IDispatch> item;
  EXPECT_TRUE(FAILED(app->GetDefaultFolder(olFolderCalendar, &folder)));
  EXPECT_TRUE(FAILED(app->CreateItem(olTaskItem, &item)));
  EXPECT_TRUE(FAILED(app->GetItemFromOid(1, &item)));
  EXPECT_TRUE(FAILED(app->Logoff()));
  ASSERT_EQ(app->Logon(nullptr), S_OK);
  EXPECT_EQ(app->GetDefaultFolder(olFolderCalendar, &folder), S_OK);
  EXPECT_EQ(app->CreateItem(olTaskItem, &item), S_OK);
  EXPECT_EQ(app->Logoff(), S_OK);
  EXPECT_TRUE(FAILED(app->CreateItem(olTaskItem, &item))) << "after Logoff";
  EXPECT_EQ(item.Get(), nullptr);
  app.Reset();
  CoUninitialize();
}

class ApplicationTest : public OutlookTest {};

TEST_F(ApplicationTest, FoldersAndItemKinds) {
  int type = 0;
  for (auto [folder, itemType] : {std::pair{olFolderCalendar, olAppointmentItem},
                                  {olFolderContacts, olContactItem},
                                  {olFolderTasks, olTaskItem},
                                  {olFolderCities, olCitiesItem},
                                  {olFolderInfrared, olCitiesItem}}) {
    ComPtr<IFolder> f;
    ASSERT_EQ(app_->GetDefaultFolder(folder, &f), S_OK) << folder;
    EXPECT_EQ(f->get_DefaultItemType(&type), S_OK);
    EXPECT_EQ(type, itemType) << folder;
  }
  ComPtr<IFolder> none;
  EXPECT_EQ(app_->GetDefaultFolder(11, &none), E_INVALIDARG);
  ComPtr<IDispatch> item;
  EXPECT_EQ(app_->CreateItem(7, &item), E_INVALIDARG);
  ASSERT_EQ(app_->CreateItem(olContactItem, &item), S_OK);
  ComPtr<IAppointment> wrong;
  EXPECT_EQ(item->QueryInterface(IID_IAppointment, reinterpret_cast<void**>(&wrong)), E_NOINTERFACE);
  EXPECT_EQ(wrong.Get(), nullptr);
  EXPECT_TRUE(item.As<IContact>(IID_IContact));
}

TEST_F(ApplicationTest, CollectionsListSavedItemsInTheDatabaseOrder) {
  for (const char16_t* subject : {u"pears", u"Apples", u"figs"}) {
    ComPtr<ITask> task = NewTask();
    task->put_Subject(Bstr(subject));
    ASSERT_EQ(task->Save(), S_OK);
  }
  ComPtr<IFolder> folder;
  ASSERT_EQ(app_->GetDefaultFolder(olFolderTasks, &folder), S_OK);
  ComPtr<IPOutlookItemCollection> items;
  ASSERT_EQ(folder->get_Items(&items), S_OK);
  int count = 0;
  ASSERT_EQ(items->get_Count(&count), S_OK);
  ASSERT_EQ(count, 3);
  std::vector<std::u16string> subjects;
  for (int i = 1; i <= count; ++i) {
    ComPtr<IDispatch> item;
    ASSERT_EQ(items->Item(i, &item), S_OK);
    subjects.push_back(calyra::testing::Text(item.As<ITask>(IID_ITask).Get(), &ITask::get_Subject));
  }
  EXPECT_EQ(subjects, (std::vector<std::u16string>{u"Apples", u"figs", u"pears"})) << "by subject, any case";
  ComPtr<IDispatch> item;
  EXPECT_EQ(items->Item(0, &item), E_INVALIDARG);
  EXPECT_EQ(items->Item(4, &item), E_INVALIDARG);
  EXPECT_EQ(items->Remove(2), S_OK);
  ComPtr<IPOutlookItemCollection> again;
  folder->get_Items(&again);
  again->get_Count(&count);
  EXPECT_EQ(count, 2);
  ASSERT_EQ(again->Add(&item), S_OK);
  EXPECT_TRUE(item.As<ITask>(IID_ITask));
}

TEST_F(ApplicationTest, GetItemFromOidFailsCleanlyForWhatIsNoLiveItem) {
  ComPtr<IDispatch> item;
  EXPECT_EQ(app_->GetItemFromOid(0, &item), E_INVALIDARG);
  EXPECT_EQ(app_->GetItemFromOid(0x7FFFFFF0, &item), E_INVALIDARG);
  EXPECT_EQ(item.Get(), nullptr);

  // A record of some other database.
  CEPROPVAL value{};
  value.propid = 0x0037001F;
  value.val.lpwstr = const_cast<WCHAR*>(u"not a PIM item");
  CEOID other = WriteRaw(u"Something Else", 0, {value});
  ASSERT_NE(other, 0u);
  EXPECT_EQ(app_->GetItemFromOid(other, &item), E_INVALIDARG);

  // A database itself.
  CEOIDINFO info{};
  ASSERT_TRUE(CeOidGetInfo(other, &info));
  EXPECT_EQ(app_->GetItemFromOid(info.infRecord.oidParent, &item), E_INVALIDARG);

  // A deleted item.
  ComPtr<IContact> contact = NewContact();
  contact->put_FileAs(Bstr(u"Gone, Anna"));
  ASSERT_EQ(contact->Save(), S_OK);
  LONG oid = OidOf(contact);
  ASSERT_EQ(contact->Delete(), S_OK);
  EXPECT_EQ(OidOf(contact), 0);
  EXPECT_EQ(app_->GetItemFromOid(static_cast<CEOID>(oid), &item), E_INVALIDARG);
  EXPECT_EQ(item.Get(), nullptr);
  EXPECT_TRUE(FAILED(contact->Delete())) << "twice";
  EXPECT_TRUE(FAILED(contact->Save())) << "a deleted item stays deleted";
}

TEST_F(ApplicationTest, DisplayIsALaunchOfPocketOutlookWithTheOid) {
  ComPtr<IAppointment> appointment = NewAppointment();
  EXPECT_EQ(appointment->Display(), E_FAIL) << "not saved yet";
  ASSERT_EQ(appointment->Save(), S_OK);
  ComPtr<ITask> task = NewTask();
  ASSERT_EQ(task->Save(), S_OK);
  ComPtr<IContact> contact = NewContact();
  ASSERT_EQ(contact->Save(), S_OK);
  ASSERT_EQ(appointment->Display(), S_OK);
  ASSERT_EQ(task->Display(), S_OK);
  ASSERT_EQ(contact->Display(), S_OK);
  std::vector<platform::LaunchEntry> log = platform::ReadLaunchLog();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].program, u"poutlook.exe");
  EXPECT_EQ(log[0].arguments, u"Display " + platform::FromUtf8(std::to_string(OidOf(appointment))));
  EXPECT_EQ(log[1].arguments, u"Display " + platform::FromUtf8(std::to_string(OidOf(task))));
  EXPECT_EQ(log[2].arguments, u"Display " + platform::FromUtf8(std::to_string(OidOf(contact))));
}

TEST_F(ApplicationTest, MeetingRequestsAndCancellationsGoToTheOutbox) {
  ComPtr<IAppointment> meeting = NewAppointment();
  meeting->put_Subject(Bstr(u"Review"));
  EXPECT_EQ(meeting->Send(), E_FAIL) << "nobody to send to";
  EXPECT_EQ(meeting->Cancel(), E_FAIL) << "not a meeting";
  ComPtr<IRecipients> recipients;
  ASSERT_EQ(meeting->get_Recipients(&recipients), S_OK);
  ComPtr<IRecipient> anna;
  ASSERT_EQ(recipients->Add(Bstr(u"Anna"), &anna), S_OK);
  ASSERT_EQ(anna->put_Address(Bstr(u"anna@example.org")), S_OK);
  ASSERT_EQ(recipients->Add(Bstr(u"Ben"), nullptr), S_OK);
  EXPECT_EQ(recipients->Add(Bstr(u""), nullptr), E_INVALIDARG);
  ASSERT_EQ(meeting->Send(), S_OK);
  LONG oid = OidOf(meeting);
  EXPECT_NE(oid, 0) << "sending saves";
  LONG status = 0;
  meeting->get_MeetingStatus(&status);
  EXPECT_EQ(status, olMeeting);
  ASSERT_EQ(meeting->Cancel(), S_OK);

  std::vector<platform::OutlookOutboxEntry> outbox = platform::ReadOutlookOutbox();
  ASSERT_EQ(outbox.size(), 2u);
  EXPECT_EQ(outbox[0].action, u"MeetingRequest");
  EXPECT_EQ(outbox[0].oids, std::vector<CEOID>{static_cast<CEOID>(oid)});
  EXPECT_EQ(outbox[0].subject, u"Review");
  EXPECT_EQ(outbox[0].recipients, (std::vector<std::u16string>{u"Anna <anna@example.org>", u"Ben"}));
  EXPECT_EQ(outbox[1].action, u"MeetingCancellation");
  EXPECT_EQ(outbox[1].recipients.size(), 2u);

  // The attendees are kept with the record.
  ComPtr<IAppointment> again = Fetch<IAppointment>(oid, IID_IAppointment);
  ComPtr<IRecipients> kept;
  again->get_Recipients(&kept);
  int count = 0;
  kept->get_Count(&count);
  ASSERT_EQ(count, 2);
  ComPtr<IRecipient> first;
  ASSERT_EQ(kept->Item(1, &first), S_OK);
  EXPECT_EQ(calyra::testing::Text(first.Get(), &IRecipient::get_Name), u"Anna");
  EXPECT_EQ(calyra::testing::Text(first.Get(), &IRecipient::get_Address), u"anna@example.org");
  platform::ClearOutlookOutbox();
  EXPECT_TRUE(platform::ReadOutlookOutbox().empty());
}

TEST_F(ApplicationTest, InfraredBeamsWhatWaitsInTheInfraredFolder) {
  ComPtr<IFolder> infrared;
  ASSERT_EQ(app_->GetDefaultFolder(olFolderInfrared, &infrared), S_OK);
  EXPECT_EQ(infrared->SendToInfrared(), S_FALSE) << "nothing waits";
  ComPtr<IContact> contact = NewContact();
  EXPECT_EQ(infrared->AddToInfraredFolder(contact.Get()), E_INVALIDARG) << "not saved";
  ASSERT_EQ(contact->Save(), S_OK);
  ComPtr<ITask> task = NewTask();
  ASSERT_EQ(task->Save(), S_OK);
  ASSERT_EQ(infrared->AddToInfraredFolder(contact.Get()), S_OK);
  ASSERT_EQ(infrared->AddToInfraredFolder(task.Get()), S_OK);
  ASSERT_EQ(infrared->SendToInfrared(), S_OK);
  EXPECT_EQ(infrared->SendToInfrared(), S_FALSE) << "the folder emptied";
  std::vector<platform::OutlookOutboxEntry> outbox = platform::ReadOutlookOutbox();
  ASSERT_EQ(outbox.size(), 1u);
  EXPECT_EQ(outbox[0].action, u"Infrared");
  EXPECT_EQ(outbox[0].oids,
            (std::vector<CEOID>{static_cast<CEOID>(OidOf(contact)), static_cast<CEOID>(OidOf(task))}));
}

}  // namespace
