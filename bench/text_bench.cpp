// TextBetween and ReplaceMany over 10 MB of mixed ASCII and GBK text, each
// against plain std::string_view / std::string searching of the same bytes.
// The ratios to the baselines are printed after the table.
#include "update/text.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tandrel::Case;

constexpr std::size_t kTextSize = 10 * 1024 * 1024;
constexpr std::string_view kBegin = "////开始";
constexpr std::string_view kEnd = "////结束";
constexpr std::string_view kLetterBegin = "BeginNotice";
constexpr std::string_view kLetterEnd = "EndNotice";

// Page-like text: tags, ASCII words and Chinese phrases in a fixed
// pseudo-random order, with both marker pairs about 2 KB before the end.
const std::string& MixedText() {
    static const std::string text = [] {
        const std::vector<std::string_view> pieces = {
            "<p>",        "</p>\r\n", "更新说明",   "version ", "中文文本",  " 2.01 ",
            "&amp;",      "<br>",     "下载地址：", "http://",  "example",   ".com/",
            "Tandrel",    "工具箱",   "\r\n",       "修复了",   "问题",      "abc",
            "<a href=\"", "\">",      "系统镜像 ",  "APK ",     "boot.img ", "，",
        };
        std::string out;
        out.reserve(kTextSize + 256);
        std::uint32_t state = 12345;
        const std::size_t markersAt = kTextSize - 2048;
        while (out.size() < kTextSize) {
            if (out.size() >= markersAt && out.size() < markersAt + 64) {
                out.append(kBegin).append("标题=新版本\r\n").append(kEnd);
                out.append(kLetterBegin).append("通知").append(kLetterEnd);
                continue;
            }
            state = state * 1103515245u + 12345u;
            out.append(pieces[(state >> 16) % pieces.size()]);
        }
        return out;
    }();
    return text;
}

std::string BaselineBetween(std::string_view text, std::string_view begin, std::string_view end) {
    const std::size_t start = text.find(begin);
    if (start == std::string_view::npos) {
        return {};
    }
    const std::size_t content = start + begin.size();
    const std::size_t stop = text.find(end, content);
    if (stop == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(content, stop - content));
}

void TextBetweenMarkers(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(tandrel::TextBetween(MixedText(), kBegin, kEnd));
    }
}

void TextBetweenMarkersBaseline(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(BaselineBetween(MixedText(), kBegin, kEnd));
    }
}

// Markers of letters only, found without regard to case.
void TextBetweenLetterMarkers(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(tandrel::TextBetween(MixedText(), kLetterBegin, kLetterEnd));
    }
}

void TextBetweenLetterMarkersBaseline(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(BaselineBetween(MixedText(), kLetterBegin, kLetterEnd));
    }
}

const std::vector<tandrel::ReplacePair>& FivePairs() {
    static const std::vector<tandrel::ReplacePair> pairs = {
        {"\r\n", "\n"}, {"&amp;", "&"}, {"中文", "汉字"}, {"<br>", "\n"}, {"http://", "https://"},
    };
    return pairs;
}

std::string BaselineReplace(std::string_view text, std::string_view find,
                            std::string_view replacement) {
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    for (std::size_t hit = text.find(find); hit != std::string_view::npos;
         hit = text.find(find, at)) {
        out.append(text.substr(at, hit - at)).append(replacement);
        at = hit + find.size();
    }
    out.append(text.substr(at));
    return out;
}

void ReplaceFivePairs(benchmark::State& state) {
    const tandrel::ReplaceOptions options{.letterCase = static_cast<Case>(state.range(0))};
    for (auto _ : state) {
        benchmark::DoNotOptimize(tandrel::ReplaceMany(MixedText(), FivePairs(), options));
    }
}

void ReplaceFivePairsBaseline(benchmark::State& state) {
    for (auto _ : state) {
        std::string text = MixedText();
        for (const tandrel::ReplacePair& pair : FivePairs()) {
            text = BaselineReplace(text, pair.find, pair.replacement);
        }
        benchmark::DoNotOptimize(text);
    }
}

BENCHMARK(TextBetweenMarkers)->Unit(benchmark::kMillisecond);
BENCHMARK(TextBetweenMarkersBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(TextBetweenLetterMarkers)->Unit(benchmark::kMillisecond);
BENCHMARK(TextBetweenLetterMarkersBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaceFivePairs)
    ->Arg(static_cast<int>(Case::Insensitive))
    ->Arg(static_cast<int>(Case::Sensitive))
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaceFivePairsBaseline)->Unit(benchmark::kMillisecond);

// The console table, then each CPU time divided by its baseline's (CPU time
// is steadier than wall time on a shared machine).
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration) {
                times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nCPU time ratio to baseline (goal: TextBetween <= 2, ReplaceMany <= 1.5)\n");
        PrintRatio("TextBetweenMarkers", "TextBetweenMarkersBaseline");
        PrintRatio("TextBetweenLetterMarkers", "TextBetweenLetterMarkersBaseline");
        PrintRatio("ReplaceFivePairs/1", "ReplaceFivePairsBaseline");
        PrintRatio("ReplaceFivePairs/0", "ReplaceFivePairsBaseline");
    }

  private:
    void PrintRatio(const std::string& name, const std::string& baseline) const {
        const auto measured = times_.find(name);
        const auto base = times_.find(baseline);
        if (measured == times_.end() || base == times_.end() || base->second <= 0) {
            return;
        }
        std::printf("  %-28s %6.2fx\n", name.c_str(), measured->second / base->second);
    }

    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
