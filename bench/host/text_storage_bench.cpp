// Story text storage under the engines' pattern of work: single-character reads,
// inserts and deletes walking forward through a long story, each one host call
// through HostApi.
#include <benchmark/benchmark.h>

#include <string>

#include "host/callback_groups.h"
#include "host/memory_host.h"
#include "platform/host_api.h"

namespace {

constexpr int kEdits = 100000;

// A host holding one text box whose story has `length` units, with HostApi
// activated against it.
struct Setup {
    explicit Setup(int32_t length) {
        host.document = tarnik::host::OneBoxDocument(std::u16string(size_t(length), u'a'));
        XTActivationRecord record{};
        record.size = sizeof record;
        record.interfaceVersion = XT_INTERFACE_VERSION;
        record.installCallback = tarnik::host::HostInstallCallback;
        record.getCallbackGroup = tarnik::host::HostGetCallbackGroup;
        tarnik::Host().FetchCallbackGroups(&record);
        story = tarnik::Host().GetBoxTextInfo(0).story;
    }
    tarnik::host::MemoryHost host;
    XTStory story = 0;
};

// 100,000 steps spread evenly over the story: read the character, insert one
// before it, delete the inserted one.
void BM_ForwardWalk(benchmark::State& state) {
    auto length = static_cast<int32_t>(state.range(0));
    Setup setup(length);
    tarnik::HostApi& api = tarnik::Host();
    const int32_t step = length / kEdits;
    const uint16_t x = 'x';
    for (auto _ : state) {
        for (int32_t k = 0; k < kEdits; ++k) {
            int32_t p = k * step;
            uint16_t unit = 0;
            int32_t read = 0;
            api.GetChars(setup.story, p, 1, &unit, &read);
            api.PutChars(setup.story, p, 1, &x);
            api.DeleteTextRange(setup.story, p, p + 1);
            benchmark::DoNotOptimize(unit);
        }
    }
    state.counters["ns/edit"] = benchmark::Counter(
        3.0 * kEdits, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_ForwardWalk)->Arg(1 << 20)->Arg(2 << 20)->Arg(4 << 20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
