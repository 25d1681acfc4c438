// The contact page's area code comes from the device's dialer library.
#include <gtest/gtest.h>

#include "editors/ControlText.h"
#include "host/EditorFrame.h"
#include "platform/ui/Dialog.h"
#include "resources/ResourceIds.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

class ContactAreaCodeTest : public EditorHostTest {
 protected:
  std::u16string ShownAreaCode() {
    EXPECT_EQ(NewItem(EditorKind::NewContact).Post(), 1);
    Pump();
    return WindowText(GetDlgItem(Frame().FocusedPage(), resources::kContactAreaCode));
  }
};

class KnownAreaCodeTest : public ContactAreaCodeTest {
 protected:
  void ConfigureDevice() override { Device().SetSetting("Dialer.AreaCode", u"030"); }
};

TEST_F(KnownAreaCodeTest, ANewContactShowsTheDialersAreaCode) {
  EXPECT_EQ(ShownAreaCode(), u"030");
}

TEST_F(ContactAreaCodeTest, ADialerWithoutAnAreaCodeLeavesTheFieldEmpty) {
  EXPECT_EQ(ShownAreaCode(), u"");
}

}  // namespace
