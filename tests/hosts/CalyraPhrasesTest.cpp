// `calyra phrases` and the phrase selection called as a host calls it: the sample phrases a new
// device gets, the filter of a field, and the chosen phrase printed from the export's buffer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/hosts/CalyraDeviceTest.h"
#include "tests/hosts/JsonReader.h"
#include "tests/hosts/PublishedExitCodes.h"

namespace {

using namespace calyra::testing::exits;
using calyra::testing::JsonReader;
using calyra::testing::JsonValue;
using calyra::testing::ProgramRun;

class CalyraPhrasesTest : public calyra::testing::CalyraDeviceTest {
 protected:
  std::filesystem::path PhraseFile() const { return Device() / "fs" / "My Documents" / "quillon.xml"; }
  static JsonValue Json(const std::string& text) {
    std::string error;
    std::optional<JsonValue> value = JsonReader::Parse(text, &error);
    EXPECT_TRUE(value.has_value()) << error << "\n" << text;
    return value.value_or(JsonValue{});
  }
  static std::vector<std::string> Titles(const JsonValue& phrases) {
    std::vector<std::string> titles;
    for (const JsonValue& phrase : phrases.items) titles.push_back(phrase["title"].text);
    return titles;
  }
};

TEST_F(CalyraPhrasesTest, ANewDeviceHasTheSamplePhrases) {
  ProgramRun run = Calyra({"phrases", "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  JsonValue phrases = Json(run.output);
  ASSERT_GE(phrases.items.size(), 10u);
  const JsonValue& first = phrases[0];
  EXPECT_EQ(first.Keys(), (std::vector<std::string>{"title", "usage", "text", "contactCodes"}));
  EXPECT_EQ(first["title"].text, "Call back");
  EXPECT_EQ(first["usage"].number, 0x10001);
  EXPECT_EQ(first["text"].text, "Call [fn] [ln] back");
  EXPECT_TRUE(first["contactCodes"].boolean);
}

TEST_F(CalyraPhrasesTest, TheFilterListsWhatAFieldIsOffered) {
  ASSERT_EQ(Calyra({"phrases"}).exitCode, 0);
  std::ofstream(PhraseFile()) << "<q><phrase title=\"Call\" usage=\"subject task\">c</phrase>"
                                 "<phrase title=\"Room\" usage=\"location\">r</phrase>"
                                 "<phrase title=\"Any\">a</phrase></q>";
  struct Case {
    std::string filter;
    std::vector<std::string> titles;
  };
  const Case cases[] = {
      {"0x10001", {"Call", "Any"}},
      {"subject,task", {"Call", "Any"}},
      {"131073", {"Any"}},  // an appointment's subject
      {"location", {"Room", "Any"}},
  };
  for (const Case& each : cases) {
    ProgramRun run = Calyra({"phrases", "--filter", each.filter, "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(Titles(Json(run.output)), each.titles) << each.filter;
  }
  ProgramRun text = Calyra({"phrases", "--filter", "location"});
  EXPECT_NE(text.output.find("\\My Documents\\quillon.xml (Quillon)"), std::string::npos) << text.output;
  EXPECT_NE(text.output.find("Room                 location"), std::string::npos) << text.output;
}

TEST_F(CalyraPhrasesTest, BadFiltersAndMissingFilesAreToldInOneLine) {
  struct Case {
    std::vector<std::string> arguments;
    int exitCode;
    std::string message;
  };
  ASSERT_EQ(Calyra({"phrases"}).exitCode, 0);
  std::filesystem::remove(PhraseFile());  // a device gets the sample phrases once
  const Case cases[] = {
      {{"phrases", "--filter", "nothing"}, kUsage, "calyra: --filter takes usage flags"},
      {{"phrases", "--filter", "0x1FFFFFFFF"}, kUsage, "calyra: --filter takes usage flags"},
      {{"list", "tasks", "--filter", "0x1"}, kUsage, "calyra: --filter is for phrases"},
      {{"phrases", "extra"}, kUsage, "calyra: wrong number of arguments for phrases"},
      {{"phrases"},
       kFailed,
       "calyra: the phrase file quillon.xml cannot be read: XML import file not found.\n"},
  };
  for (const Case& each : cases) {
    ProgramRun run = Calyra(each.arguments);
    EXPECT_EQ(run.exitCode, each.exitCode) << run.output;
    EXPECT_EQ(run.output.substr(0, each.message.size()), each.message);
  }
}

TEST_F(CalyraPhrasesTest, TheSelectionExportHandsBackTheExpandedPhrase) {
  ASSERT_EQ(Calyra({"phrases"}).exitCode, 0);
  std::ofstream(PhraseFile()) << "<q><phrase title=\"Day\">Day [dy] of the year</phrase></q>";
  ProgramRun run = Calyra({"call", "DoPhraseSelection", "host", "0x20004", "&int", "&buffer"},
                          "dialog 364\nchoose 1453 0\nend\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("result: 1\nout 3: 0\nout 4: \"Day 75 of the year\"\n"), std::string::npos)
      << run.output;

  run = Calyra({"call", "DoPhraseSelection", "host", "0x20004", "null", "&buffer"},
               "dialog 364\ncancel\nend\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("result: 0\nout 4: null\n"), std::string::npos) << run.output;
}

}  // namespace
