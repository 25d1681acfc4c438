// `calyra categories` and `calyra category-dialog`, run as a person runs them from a shell.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/hosts/JsonReader.h"
#include "tests/hosts/ProgramRun.h"
#include "tests/hosts/PublishedExitCodes.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra::testing::exits;
using calyra::testing::JsonReader;
using calyra::testing::JsonValue;
using calyra::testing::ProgramRun;
using calyra::testing::RunProgram;
using calyra::testing::TempFolder;

class CalyraCategoriesTest : public ::testing::Test {
 protected:
  ProgramRun Calyra(const std::vector<std::string>& arguments) {
    std::filesystem::path input = folder_.Path() / "input.txt";
    std::ofstream(input) << "";
    std::vector<std::string> all{"--device", (folder_.Path() / "device").string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return RunProgram(CALYRA_HOST_PROGRAM, all, input);
  }
  std::string Script(const std::string& text) {
    std::string path = (folder_.Path() / "script.txt").string();
    std::ofstream(path) << text;
    return path;
  }
  JsonValue Categories() {
    ProgramRun run = Calyra({"categories", "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    std::string error;
    std::optional<JsonValue> json = JsonReader::Parse(run.output, &error);
    EXPECT_TRUE(json) << error << "\n" << run.output;
    return json.value_or(JsonValue{});
  }

  TempFolder folder_;
};

TEST_F(CalyraCategoriesTest, AnEmptyDeviceListsNoCategories) {
  ProgramRun run = Calyra({"categories", "--json"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, "[]\n");
  EXPECT_EQ(Calyra({"categories"}).output, "");
}

TEST_F(CalyraCategoriesTest, TheDialogAddsCategoriesGivesAnIconAndAColourAndTheListingShowsThem) {
  ProgramRun run = Calyra({"category-dialog", "--script",
                           Script("dialog 491\n"
                                  "type 1900 Work \n"
                                  "click 1003\n"
                                  "type 1900 a/b\n"
                                  "click 1003\n"
                                  "click 1002\n"
                                  "choose 1904 0\n"
                                  "choose 1901 3\n"  // "a/b", below the three special categories
                                  "click 42150\n"
                                  "ok\n"
                                  "choose 1901 1\n"
                                  "click 1902\n"
                                  "ok\n"
                                  "end\n"
                                  "popup 62101\n")});
  if (run.exitCode == kNoComponent) GTEST_SKIP() << run.output;
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("result: 0"), std::string::npos) << "categories were added\n" << run.output;
  EXPECT_NE(run.output.find("host: 6386 category images changed"), std::string::npos) << run.output;

  JsonValue categories = Categories();
  ASSERT_EQ(categories.items.size(), 2u);
  const JsonValue& slashed = categories[0];
  EXPECT_EQ(slashed.Keys(), (std::vector<std::string>{"name", "index", "listed", "appointments", "tasks",
                                                      "contacts", "colour", "iconFile"}));
  EXPECT_EQ(slashed["name"].text, "a/b");
  EXPECT_EQ(slashed["index"].number, 1);
  EXPECT_TRUE(slashed["listed"].boolean);
  EXPECT_EQ(slashed["iconFile"].text, "\\My Documents\\Category Icons\\a_b.bmp");
  EXPECT_TRUE(slashed["colour"].IsNull());
  const JsonValue& work = categories[1];
  EXPECT_EQ(work["name"].text, "Work") << "trailing blanks are cut";
  EXPECT_EQ(work["index"].number, 0);
  EXPECT_EQ(work["appointments"].number, 0);
  EXPECT_EQ(work["colour"].text, "#FF0000");
  EXPECT_TRUE(work["iconFile"].IsNull());

  ProgramRun text = Calyra({"categories"});
  EXPECT_EQ(text.output,
            "   1  a/b  appointments 0, tasks 0, contacts 0  icon \\My Documents\\Category Icons\\a_b.bmp\n"
            "   0  Work  appointments 0, tasks 0, contacts 0  colour #FF0000\n");
}

TEST_F(CalyraCategoriesTest, ARefusedNameIsAnsweredInTheScript) {
  ProgramRun run = Calyra({"category-dialog", "--script",
                           Script("dialog 491\n"
                                  "type 1900 A;B\n"
                                  "answer 63006 IDOK\n"
                                  "click 1003\n"
                                  "ok\n"
                                  "end\n")});
  if (run.exitCode == kNoComponent) GTEST_SKIP() << run.output;
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_TRUE(Categories().items.empty());
}

TEST_F(CalyraCategoriesTest, WrongUseIsToldAsUsage) {
  EXPECT_EQ(Calyra({"categories", "extra"}).exitCode, kUsage);
  EXPECT_EQ(Calyra({"category-dialog", "--json"}).exitCode, kUsage);
  EXPECT_EQ(Calyra({"categories", "--script", "x.txt"}).exitCode, kUsage);
  EXPECT_EQ(Calyra({"category-dialog", "--script", Script("bogus step\n")}).exitCode, kScript);
}

}  // namespace
