#include <gtest/gtest.h>

#include "hosts/calyra/JsonWriter.h"
#include "tests/hosts/JsonReader.h"

namespace {

using calyra::host::AppendJsonString;
using calyra::host::JsonWriter;
using calyra::testing::JsonReader;

std::string Quoted(std::u16string_view text) {
  std::string out;
  AppendJsonString(&out, text);
  return out;
}

TEST(JsonWriterTest, QuotesBackslashesAndControlCharactersAreEscaped) {
  EXPECT_EQ(Quoted(u"say \"hi\""), R"("say \"hi\"")");
  EXPECT_EQ(Quoted(u"C:\\My Documents"), R"("C:\\My Documents")");
  EXPECT_EQ(Quoted(u"a\nb\rc\td\be\ff"), R"("a\nb\rc\td\be\ff")");
  EXPECT_EQ(Quoted(std::u16string(u"\x01\x1F", 2) + u'\0'), R"("\u0001\u001F\u0000")");
  // The solidus and DEL need no escape.
  EXPECT_EQ(Quoted(u"1/2\x7F"), "\"1/2\x7F\"");
}

TEST(JsonWriterTest, Utf16BecomesUtf8WithSurrogatePairsJoined) {
  EXPECT_EQ(Quoted(u"Zürich"), "\"Z\xC3\xBCrich\"");
  EXPECT_EQ(Quoted(u"\u20AC"), "\"\xE2\x82\xAC\"");
  EXPECT_EQ(Quoted(u"\U0001F600"), "\"\xF0\x9F\x98\x80\"");
}

TEST(JsonWriterTest, ALoneSurrogateBecomesTheReplacementCharacter) {
  std::u16string high(1, char16_t(0xD83D)), low(1, char16_t(0xDE00));
  EXPECT_EQ(Quoted(high + u"x"), "\"\xEF\xBF\xBDx\"");
  EXPECT_EQ(Quoted(u"x" + low), "\"x\xEF\xBF\xBD\"");
  EXPECT_EQ(Quoted(low + high), "\"\xEF\xBF\xBD\xEF\xBF\xBD\"");
}

TEST(JsonWriterTest, EmptyContainersStayOnOneLine) {
  JsonWriter json;
  json.BeginArray();
  json.EndArray();
  EXPECT_EQ(json.Text(), "[]\n");

  JsonWriter object;
  object.BeginObject();
  object.Key("list");
  object.BeginArray();
  object.EndArray();
  object.Key("map");
  object.BeginObject();
  object.EndObject();
  object.EndObject();
  EXPECT_EQ(object.Text(), "{\n  \"list\": [],\n  \"map\": {}\n}\n");
}

TEST(JsonWriterTest, NestedValuesAreIndentedAndSeparated) {
  JsonWriter json;
  json.BeginArray();
  json.BeginObject();
  json.Key("n");
  json.Number(-4294967296);
  json.Key("b");
  json.Bool(true);
  json.Key("z");
  json.Null();
  json.Key("s");
  json.String(u"x");
  json.EndObject();
  json.Number(7);
  json.EndArray();
  EXPECT_EQ(json.Text(),
            "[\n  {\n    \"n\": -4294967296,\n    \"b\": true,\n    \"z\": null,\n    \"s\": \"x\"\n  },\n  "
            "7\n]\n");
}

TEST(JsonWriterTest, WhatItWritesReadsBack) {
  std::u16string text = u"Zürich \"Büro\"\n\\ \x01 \U0001F600";
  JsonWriter json;
  json.BeginObject();
  json.Key("text");
  json.String(text);
  json.EndObject();
  std::string error;
  auto value = JsonReader::Parse(json.Text(), &error);
  ASSERT_TRUE(value) << error << "\n" << json.Text();
  EXPECT_EQ((*value)["text"].text, "Z\xC3\xBCrich \"B\xC3\xBCro\"\n\\ \x01 \xF0\x9F\x98\x80");
}

}  // namespace
