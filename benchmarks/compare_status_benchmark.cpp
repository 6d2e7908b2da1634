// Cost of one comparison pass (n x m record comparisons in the worst case).
#include "sync/RecordMatching.h"
#include "sync/TextField.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

// Invented contacts: names and a home phone made from the number, a company and
// a note like real ones, so the name test fails on a late byte.
static void inventContact(ContactRecord& record, const char* side, int number) {
    char text[64];
    std::snprintf(text, sizeof text, "Given%06d", number);
    copyText(record.firstName, text);
    std::snprintf(text, sizeof text, "Family%s%06d", side, number);
    copyText(record.lastName, text);
    std::snprintf(text, sizeof text, "+1 555 %07d", number);
    copyText(record.homePhone, text);
    std::snprintf(text, sizeof text, "person%06d@example.com", number);
    copyText(record.email1, text);
    copyText(record.company, "Example Trading Company");
    copyText(record.businessAddress.city, "Springfield");
    copyText(record.note, "Met at the trade fair; prefers calls in the morning.");
}

struct ListPair {
    ContactList a;
    ContactList b;
};

// Half of each side has a counterpart on the other; every fifth pair differs.
static std::unique_ptr<ListPair> makeLists(int perSide) {
    std::unique_ptr<ListPair> lists(new ListPair);
    const int shared = perSide / 2;
    for (int index = 0; index < perSide; ++index) {
        ContactRecord fromA;
        ContactRecord fromB;
        if (index < shared) {
            inventContact(fromA, "", index);
            inventContact(fromB, "", index);
            if (index % 5 == 0)
                copyText(fromB.note, "Moved to the head office.");
        } else {
            inventContact(fromA, "A", index);
            inventContact(fromB, "B", index);
        }
        lists->a.addCopy(&fromA);
        lists->b.addCopy(&fromB);
    }
    return lists;
}

static void runPass(benchmark::State& state, bool bAgainstA) {
    const std::unique_ptr<ListPair> lists = makeLists(static_cast<int>(state.range(0)));
    ContactList* first = bAgainstA ? &lists->b : &lists->a;
    ContactList* second = bAgainstA ? &lists->a : &lists->b;
    for (auto _ : state)
        benchmark::DoNotOptimize(computeCompareStatus(first, second));
    state.counters["records"] = static_cast<double>(state.range(0));
}

static void BM_CompareStatusAAgainstB(benchmark::State& state) { runPass(state, false); }

static void BM_CompareStatusBAgainstA(benchmark::State& state) { runPass(state, true); }

BENCHMARK(BM_CompareStatusAAgainstB)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompareStatusBAgainstA)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
