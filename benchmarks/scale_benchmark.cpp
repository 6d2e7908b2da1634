// The scale benchmark's native half: for 1,000, 5,000 and 20,000 contacts per
// side, one comparison pass by walking the list for every record (the rule as
// written) and by findMatch with its index (built within the pass, as after a
// load), and the Palm contact store's load of either format (in fresh memory,
// and again into the same store) against reading the file's bytes, beside
// the empty unified records alone. benchmarks/run-scale-benchmark runs it with the Wine half
// and prints the table.
//
//   scale_benchmark [Google Benchmark options]
//   scale_benchmark --write-wine-data FOLDER COUNT
//       the stand-ins' data for COUNT contacts per side: FOLDER/users.txt,
//       FOLDER/Scale/address/address.dat (Palm Desktop 4 format, naming itself
//       under C:\Program Files\Palm) and FOLDER/outlook-contacts.txt
#include "benchmarks/ScaleContacts.h"
#include "platform/PlatformFile.h"
#include "palmstore/PalmContactStore.h"
#include "sync/RecordMatching.h"
#include "tests/support/TempFolder.h"
#include "tests/sync/ReferenceMatching.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// Gives freed memory back to the kernel, so the next allocations start from
// fresh pages as a program's first load does, whatever ran before.
void returnFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

struct Sides {
    ContactList palm;
    ContactList outlook;
};

std::unique_ptr<Sides> makeSides(int perSide) {
    std::unique_ptr<Sides> sides(new Sides);
    for (int index = 0; index < perSide; ++index) {
        ContactRecord palm;
        ContactRecord outlook;
        scale::toRecord(scale::person(scale::Side::Palm, index, perSide), palm);
        scale::toRecord(scale::person(scale::Side::Outlook, index, perSide), outlook);
        sides->palm.addCopy(&palm);
        sides->outlook.addCopy(&outlook);
    }
    return sides;
}

// Every Palm record's status from the Outlook list.
void BM_PassWalk(benchmark::State& state) {
    const std::unique_ptr<Sides> sides = makeSides(static_cast<int>(state.range(0)));
    for (auto _ : state)
        reference::walkCompareStatus(&sides->palm, &sides->outlook);
}

void BM_PassIndexed(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        // Freshly loaded lists: the index is made within the pass.
        std::unique_ptr<Sides> sides = makeSides(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        benchmark::DoNotOptimize(computeCompareStatus(&sides->palm, &sides->outlook));
        state.PauseTiming();
        sides.reset();
        state.ResumeTiming();
    }
}

struct LoadFiles {
    TempFolder folder;
    ScopedProgramFolder programFolder{folder.path()};
    std::map<int, std::string> format1;
    std::map<int, std::string> format4;

    const std::string& path(int format, int count) {
        std::map<int, std::string>& paths = format == 1 ? format1 : format4;
        std::string& path = paths[count];
        if (path.empty()) {
            path = folder.file(scale::numbered("address%d-", format) + std::to_string(count) + ".dat");
            const std::vector<scale::Person> all = scale::people(scale::Side::Palm, count);
            (format == 1 ? scale::palmFile1(path, all) : scale::palmFile4(path, all)).writeTo(path);
        }
        return path;
    }
};

LoadFiles& loadFiles() {
    static LoadFiles files;
    return files;
}

void readRaw(benchmark::State& state, int format) {
    const std::string& path = loadFiles().path(format, static_cast<int>(state.range(0)));
    std::vector<uint8_t> content(64u << 20);
    for (auto _ : state) {
        PlatformFile file;
        uint32_t delivered = 0;
        if (!file.open(path.c_str(), PlatformFile::Access::ReadWrite, PlatformFile::Disposition::OpenExisting) ||
            !file.read(content.data(), static_cast<uint32_t>(content.size()), &delivered)) {
            state.SkipWithError("cannot read the file");
            return;
        }
        benchmark::DoNotOptimize(content.data());
    }
}

void loadStore(benchmark::State& state, int format) {
    const int count = static_cast<int>(state.range(0));
    const std::string& path = loadFiles().path(format, count);
    for (auto _ : state) {
        std::unique_ptr<PalmContactStore> store(new PalmContactStore(40102));
        if (!store->loadFile(path) || store->contacts()->count() != count) {
            state.SkipWithError("the store did not load the file");
            return;
        }
        benchmark::DoNotOptimize(store->contacts());
        // Freeing the records is no part of the load, which starts from
        // fresh memory as at the program's start.
        state.PauseTiming();
        store.reset();
        returnFreedMemory();
        state.ResumeTiming();
    }
}

// A refresh: the store that holds the file loads it again, its earlier
// records freed within the timing and their memory there for the new ones.
void reloadStore(benchmark::State& state, int format) {
    const int count = static_cast<int>(state.range(0));
    const std::string& path = loadFiles().path(format, count);
    PalmContactStore store(40102);
    if (!store.loadFile(path)) {
        state.SkipWithError("the store did not load the file");
        return;
    }
    for (auto _ : state) {
        if (!store.loadFile(path) || store.contacts()->count() != count) {
            state.SkipWithError("the store did not load the file again");
            return;
        }
        benchmark::DoNotOptimize(store.contacts());
    }
}

// What any first load does at least: the empty unified records made and
// listed in fresh memory (freeing them is not timed, as in the load).
void BM_RecordsAlone(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::unique_ptr<ContactList> list(new ContactList);
        for (int index = 0; index < count; ++index)
            list->append(std::unique_ptr<ContactRecord>(new ContactRecord));
        benchmark::DoNotOptimize(list->first());
        state.PauseTiming();
        list.reset();
        returnFreedMemory();
        state.ResumeTiming();
    }
}

void BM_RawRead_Format1(benchmark::State& state) { readRaw(state, 1); }
void BM_StoreLoad_Format1(benchmark::State& state) { loadStore(state, 1); }
void BM_RawRead_Format4(benchmark::State& state) { readRaw(state, 4); }
void BM_StoreLoad_Format4(benchmark::State& state) { loadStore(state, 4); }
void BM_StoreReload_Format1(benchmark::State& state) { reloadStore(state, 1); }
void BM_StoreReload_Format4(benchmark::State& state) { reloadStore(state, 4); }

BENCHMARK(BM_PassWalk)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PassIndexed)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordsAlone)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawRead_Format1)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreLoad_Format1)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawRead_Format4)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreLoad_Format4)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreReload_Format1)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreReload_Format4)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

bool writeText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    return static_cast<bool>(file);
}

int writeWineData(const std::string& folder, int count) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(fs::path(folder) / "Scale" / "address", error);
    const std::string address = (fs::path(folder) / "Scale" / "address" / "address.dat").string();
    const bool written =
        writeText(folder + "/users.txt", "# The scale benchmark's user\n1|Scale|Scale\n") &&
        scale::palmFile4("C:\\Program Files\\Palm\\Scale\\address\\address.dat",
                         scale::people(scale::Side::Palm, count))
            .writeTo(address) &&
        writeText(folder + "/outlook-contacts.txt", scale::outlookContacts(scale::people(scale::Side::Outlook, count)));
    if (!written) {
        std::fprintf(stderr, "scale_benchmark: cannot write the data into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argumentCount, char** arguments) {
    if (argumentCount == 4 && std::strcmp(arguments[1], "--write-wine-data") == 0)
        return writeWineData(arguments[2], std::atoi(arguments[3]));
    benchmark::Initialize(&argumentCount, arguments);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
