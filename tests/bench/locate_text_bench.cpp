// locateText on large GBK-like texts, next to the editor's character-by-character
// search (the same one the unit tests compare against) and to plain byte searches
// that ignore character boundaries (std::string_view::find and memmem), which are
// as fast as a search can be. The pattern sits near the end or is absent, so every
// search reads (nearly) the whole text.
//
//   pellith_locate_text_bench [Google Benchmark options]
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "core/locate_text.h"

namespace {

// The editor's search as it has always been defined: compare at the current
// character, then step over a two-byte character's second byte, and stop when a
// lead byte is the very last byte.
std::int64_t referenceLocate(std::string_view text, std::string_view pattern) {
  const std::size_t n = text.size();
  const std::size_t m = pattern.size();
  if (m == 0) return n > 0 ? 1 : -1;
  std::size_t p = 0;
  std::size_t r = n;
  while (r >= m) {
    if (text.compare(p, m, pattern) == 0) return static_cast<std::int64_t>(p) + 1;
    if (static_cast<unsigned char>(text[p]) >= 0x80) {
      if (p == n - 1) return -1;
      ++p;
      --r;
    }
    ++p;
    --r;
  }
  return -1;
}

// "第一百二十三" and friends never occur in the text below, whose Chinese comes
// from a small fixed set; the end marker is put in once, near the end.
constexpr std::string_view kNearEnd = "终点标记：要找的就是这里";
constexpr std::string_view kAbsent = "第一百二十三行不存在";

// Lines of Chinese (two-byte characters) and ASCII with CR LF, `size` bytes, with
// kNearEnd once in the last kilobyte when asked for.
std::string gbkLikeText(std::size_t size, bool withMarker) {
  static const char* const pieces[] = {"中文", "记事本", "文字", "测试", "，", "。", "abc ", "Pellith ", "123 ",
                                       "The quick brown fox ", "编辑", "\r\n"};
  std::mt19937 random(20210709);
  std::string text;
  text.reserve(size);
  const std::size_t room = withMarker ? size - 1024 : size;
  while (text.size() + 32 < room) text += pieces[random() % std::size(pieces)];
  if (withMarker) text += kNearEnd;
  while (text.size() < size) text += 'x';
  text.resize(size);
  return text;
}

const std::string& textOf(std::size_t mib, bool withMarker) {
  static std::string texts[2][51];
  std::string& text = texts[withMarker][mib];
  if (text.empty()) text = gbkLikeText(mib << 20, withMarker);
  return text;
}

enum class Case { nearEnd, absent };

template <class Search>
void run(benchmark::State& state, Search search) {
  const auto mib = static_cast<std::size_t>(state.range(0));
  const bool nearEnd = static_cast<Case>(state.range(1)) == Case::nearEnd;
  const std::string& text = textOf(mib, nearEnd);
  const std::string_view pattern = nearEnd ? kNearEnd : kAbsent;
  const std::int64_t expected = nearEnd ? static_cast<std::int64_t>(text.find(kNearEnd)) + 1 : -1;
  for (auto _ : state) {
    const std::int64_t found = search(text, pattern);
    benchmark::DoNotOptimize(found);
    if (found != expected) {
      state.SkipWithError("wrong position");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
  state.SetLabel(nearEnd ? "near the end" : "absent");
}

void LocateText(benchmark::State& state) { run(state, pellith::locateText); }
void ReferenceLocate(benchmark::State& state) { run(state, referenceLocate); }
void StringViewFind(benchmark::State& state) {
  run(state, [](std::string_view text, std::string_view pattern) -> std::int64_t {
    const std::size_t at = text.find(pattern);
    return at == std::string_view::npos ? -1 : static_cast<std::int64_t>(at) + 1;
  });
}
void Memmem(benchmark::State& state) {
  run(state, [](std::string_view text, std::string_view pattern) -> std::int64_t {
    const void* at = memmem(text.data(), text.size(), pattern.data(), pattern.size());
    return at ? static_cast<const char*>(at) - text.data() + 1 : -1;
  });
}

void sizesAndCases(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgNames({"MiB", "absent"});
  for (int mib : {1, 50})
    for (Case c : {Case::nearEnd, Case::absent}) benchmark->Args({mib, static_cast<int>(c)});
  benchmark->Unit(benchmark::kMillisecond);
}

BENCHMARK(LocateText)->Apply(sizesAndCases);
BENCHMARK(ReferenceLocate)->Apply(sizesAndCases);
BENCHMARK(StringViewFind)->Apply(sizesAndCases);
BENCHMARK(Memmem)->Apply(sizesAndCases);

}  // namespace

BENCHMARK_MAIN();
