#include "hosts/calyra/CategoryCommands.h"

#include <optional>
#include <string>

#include "categories/CategoryColours.h"
#include "categories/CategoryFiles.h"
#include "categories/CategoryIcons.h"
#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/JsonWriter.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"
#include "store/CategoryDatabase.h"

namespace calyra::host {

namespace {

struct CategoryListing {
  CategoryRecord record;
  std::optional<std::string> colour;       // "#RRGGBB"
  std::optional<std::u16string> iconFile;  // only when the file is there
};

// What the listing shows of a category, its colour and icon file found in the tables read once.
CategoryListing Describe(CategoryRecord record, const CategoryColourTable& colours,
                         const CategoryIconFiles& icons) {
  CategoryListing listing{std::move(record), std::nullopt, std::nullopt};
  if (std::optional<COLORREF> colour = colours.Of(listing.record.name)) {
    char text[8];
    std::snprintf(text, sizeof(text), "#%02X%02X%02X", *colour & 0xFF, (*colour >> 8) & 0xFF,
                  (*colour >> 16) & 0xFF);
    listing.colour = text;
  }
  listing.iconFile = icons.PathOf(listing.record.name);
  return listing;
}

void WriteJson(JsonWriter& json, const CategoryListing& listing) {
  const CategoryRecord& record = listing.record;
  json.BeginObject();
  json.Key("name");
  json.String(record.name);
  json.Key("index");
  json.Number(record.index);
  json.Key("listed");
  json.Bool(record.listed);
  json.Key("appointments");
  json.Number(record.appointments);
  json.Key("tasks");
  json.Number(record.tasks);
  json.Key("contacts");
  json.Number(record.contacts);
  json.Key("colour");
  if (listing.colour) {
    json.String(platform::FromUtf8(*listing.colour));
  } else {
    json.Null();
  }
  json.Key("iconFile");
  if (listing.iconFile) {
    json.String(*listing.iconFile);
  } else {
    json.Null();
  }
  json.EndObject();
}

void WriteText(std::FILE* out, const CategoryListing& listing) {
  const CategoryRecord& record = listing.record;
  std::fprintf(out, "%4d  %s%s  appointments %d, tasks %d, contacts %d", record.index,
               platform::ToUtf8(record.name).c_str(), record.listed ? "" : " (hidden)", record.appointments,
               record.tasks, record.contacts);
  if (listing.colour) std::fprintf(out, "  colour %s", listing.colour->c_str());
  if (listing.iconFile) std::fprintf(out, "  icon %s", platform::ToUtf8(*listing.iconFile).c_str());
  std::fprintf(out, "\n");
}

}  // namespace

int ListCategories(ListingFormat format, std::FILE* out) {
  CategoryColourTable colours = CategoryColourTable::Read();
  CategoryIconFiles icons = CategoryIconFiles::Read();
  if (format == ListingFormat::kJson) {
    JsonWriter json;
    json.BeginArray();
    for (CategoryRecord& record : ReadCategoryRecords())
      WriteJson(json, Describe(std::move(record), colours, icons));
    json.EndArray();
    std::string text = json.Text();
    std::fwrite(text.data(), 1, text.size(), out);
    return kExitDone;
  }
  for (CategoryRecord& record : ReadCategoryRecords())
    WriteText(out, Describe(std::move(record), colours, icons));
  return kExitDone;
}

}  // namespace calyra::host
