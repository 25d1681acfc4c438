// Text services per call: general field codes over a 4 KB text, FileAs building and recognising, the
// address city line, and the first build of the country table apart from later lookups. Beside the
// expansion, the raw cost of copying the same text, the floor any expansion pays.
#include <cstring>

#include "bench/BenchSupport.h"
#include "host/Component.h"
#include "platform/core/System.h"
#include "text/ContactNameFormat.h"
#include "text/CountryTable.h"
#include "text/FieldCodes.h"

namespace {

using namespace calyra;
using calyra::bench::AttachBenchDevice;

std::u16string CodeText() {
  std::u16string text;
  const char16_t* pieces[] = {u"Meeting on [ds] at [tm]; ", u"day [dy], [dr] left. ", u"Owner [%n] "};
  for (size_t i = 0; text.size() < 4096; ++i) text += pieces[i % 3];
  return text.substr(0, 4096);
}

// With the process's kept values, as the component expands phrases.
void Ours_ExpandGeneralCodes4K(benchmark::State& state) {
  AttachBenchDevice();
  std::u16string text = CodeText();
  GeneralCodeValues& values = Component::Process().FieldCodeValues();
  for (auto _ : state) benchmark::DoNotOptimize(ExpandGeneralCodes(text, values));
}

void Raw_ExpandGeneralCodes4K(benchmark::State& state) {
  std::u16string text = CodeText();
  std::u16string copy(text.size(), u'\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), text.data(), text.size() * 2);
    benchmark::DoNotOptimize(copy.data());
  }
}

void BuildFileAsCall(benchmark::State& state) {
  ContactName name{u"Ann", u"B", u"Lee", u"Jr", u"Acme & Co"};
  NameFormatTexts texts{u"(No name)", u"First", u"Middle", u"Last", u"Suffix", u"Company"};
  std::u16string custom;
  for (auto _ : state) {
    auto format = FileAsFormat::CompanyLastFirstMiddle;
    benchmark::DoNotOptimize(BuildFileAs(format, name, custom, texts));
  }
}

void RecognizeFileAsCall(benchmark::State& state) {
  ContactName name{u"Ann", u"B", u"Lee", u"Jr", u"Acme & Co"};
  std::u16string custom;
  for (auto _ : state) benchmark::DoNotOptimize(RecognizeFileAs(u"Lee Ann custom", name, &custom));
}

void CountryTableFirstBuild(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(CountryTable::FromLocaleData());
}

void CityLineCall(benchmark::State& state) {
  static const CountryTable table = CountryTable::FromLocaleData();
  char16_t output[256];
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComposeCityLine(table, u"Deutschland", u"Berlin", u"", u"10115", output, 256));
  }
}

}  // namespace

BENCHMARK(Ours_ExpandGeneralCodes4K);
BENCHMARK(Raw_ExpandGeneralCodes4K);
BENCHMARK(BuildFileAsCall);
BENCHMARK(RecognizeFileAsCall);
BENCHMARK(CountryTableFirstBuild)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(CityLineCall);
