// Loading a 20,000-record address file of either format into the Palm contact
// store, against reading the same bytes into memory in one call, the file
// object's read alone and the empty unified records alone.
#include "platform/PlatformFile.h"
#include "palmstore/PalmContactStore.h"
#include "sync/TextField.h"
#include "tests/support/PalmBytes.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int RecordCount = 20000;

const char* const kFirstNames[] = {"Alice", "Bernard", "Chiara", "Dmitri", "Eleanor", "Farid", "Grace", "Hiroshi"};
const char* const kLastNames[] = {"Anderson", "Okafor", "Rossi", "Kowalski", "Nakamura", "Fitzgerald", "Lindqvist"};
const char* const kCompanies[] = {"Northwind Trading Company", "Contoso Pharmaceuticals Ltd.",
                                  "Fabrikam Engineering & Sons", "Tailspin Toys International"};
const char* const kTitles[] = {"Purchasing Manager", "Senior Engineer", "Account Executive", "Head of Logistics"};
const char* const kCities[] = {"Springfield", "Rotterdam", "Osaka", "Montevideo", "Edinburgh"};

std::string numbered(const char* format, int value) {
    char text[96];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

struct Person {
    std::string first, last, company, title, note, email, street, city, zip;
    std::string phones[7];
};

Person person(int index) {
    Person p;
    p.first = kFirstNames[index % 8];
    p.last = std::string(kLastNames[index % 7]) + numbered("-%05d", index);
    p.company = kCompanies[index % 4];
    p.title = kTitles[index % 4];
    p.note = "Met at the autumn trade fair; prefers calls before noon. Orders every quarter, "
             "ask about the new catalogue. Reference " +
             numbered("%06d", index) + ".";
    p.email = numbered("contact%05d@example.com", index);
    p.street = numbered("%d Harbour View Road, Unit 4", 10 + index % 900);
    p.city = kCities[index % 5];
    p.zip = numbered("%05d", 10000 + index % 89999);
    for (int slot = 0; slot < 7; ++slot)
        p.phones[slot] = numbered("+1 555 %07d", index * 7 + slot);
    p.phones[4] = p.email;
    return p;
}

PalmBytes format1File(const std::string& path) {
    PalmBytes bytes;
    bytes.u32(0x41420100).countedString(path).countedString("Custom 1\nCustom 2\nCustom 3\nCustom 4\n");
    bytes.categorySection(128, {{1, 5, "Business", "Business"}, {2, 9, "Personal", "Personal"}});
    bytes.format1Schema();
    bytes.u32(RecordCount * 30);
    for (int index = 0; index < RecordCount; ++index) {
        const Person p = person(index);
        bytes.integerField(index + 1).integerField(0).integerField(index);
        bytes.stringField(p.last).stringField(p.first).stringField(p.title).stringField(p.company);
        for (uint32_t slot = 0; slot < 5; ++slot)
            bytes.integerField(slot).stringField(p.phones[slot]);
        bytes.stringField(p.street).stringField(p.city).stringField("CA").stringField(p.zip);
        bytes.stringField("United States").stringField(p.note).booleanField(0).integerField(index % 2 ? 5 : 9);
        for (int custom = 0; custom < 4; ++custom)
            bytes.stringField(numbered("Account %d", index * 4 + custom));
        bytes.integerField(0);
    }
    return bytes;
}

void addressBlock(PalmBytes& bytes, const Person& p, const char* kind) {
    bytes.stringField(p.street + " (" + kind + ")").stringField(p.city).stringField("CA").stringField(p.zip);
    bytes.stringField("United States");
}

PalmBytes format4File(const std::string& path) {
    PalmBytes bytes;
    bytes.format4Signature().u32(0x41420200);
    bytes.fill(0, 12).u8(RecordCount % 256).u8(static_cast<uint8_t>(RecordCount / 256 + 16)).fill(0, 10);
    bytes.countedString(path).fill(0, 11);
    for (int label = 0; label < 9; ++label)
        bytes.countedString(numbered("Custom %d", label + 1)).u32(0);
    bytes.fill(0, 42).categorySection(128, {{1, 5, "Business", "Business"}, {2, 9, "Personal", "Personal"}});
    bytes.format4Schema();
    bytes.u32(RecordCount * 73);
    for (int index = 0; index < RecordCount; ++index) {
        const Person p = person(index);
        bytes.integerField(index + 1).integerField(0x1000 + index).integerField(0).integerField(73 * index);
        bytes.integerField(index).integerField(index % 2 ? 5 : 9).integerField(0);
        bytes.blobField(64, 1, 0, {1, 2, 3, 4, 5, 6, 7, 8}).absentBlobField(65).absentBlobField(66).absentBlobField(67);
        bytes.stringField("").stringField("").stringField(p.first).stringField(p.last);
        bytes.stringField(p.title).stringField(p.company).integerField(0).stringField(p.note);
        for (int slot = 0; slot < 7; ++slot)
            bytes.stringField(p.phones[slot]);
        for (uint32_t slot = 0; slot < 7; ++slot)
            bytes.integerField(slot);
        for (int custom = 0; custom < 9; ++custom)
            bytes.stringField(numbered("Account %d", index * 9 + custom));
        bytes.integerField(0);
        addressBlock(bytes, p, "work");
        bytes.integerField(1);
        addressBlock(bytes, p, "home");
        bytes.integerField(2);
        addressBlock(bytes, p, "other");
        bytes.stringField(p.first + ".chat").stringField("").integerField(0).integerField(0);
        bytes.stringField("https://www.example.com/" + p.last).wideField(0, 0x40E5F000).booleanField(0);
        bytes.integerField(0).integerField(0);
        for (int text = 0; text < 4; ++text)
            bytes.stringField("");
    }
    return bytes;
}

// The two files, made once, in a folder that also serves as the program folder
// (no settings file: names are not swapped).
struct BenchmarkFiles {
    TempFolder folder;
    ScopedProgramFolder programFolder{folder.path()};
    std::string path1 = folder.file("address1.dat");
    std::string path4 = folder.file("address4.dat");
    BenchmarkFiles() {
        format1File(path1).writeTo(path1);
        format4File(path4).writeTo(path4);
    }
};

const BenchmarkFiles& files() {
    static BenchmarkFiles made;
    return made;
}

void readRaw(benchmark::State& state, const std::string& path) {
    std::vector<uint8_t> content(64u << 20);
    uint32_t delivered = 0;
    for (auto _ : state) {
        PlatformFile file;
        if (!file.open(path.c_str(), PlatformFile::Access::ReadWrite, PlatformFile::Disposition::OpenExisting) ||
            !file.read(content.data(), static_cast<uint32_t>(content.size()), &delivered)) {
            state.SkipWithError("cannot read the file");
            return;
        }
        benchmark::DoNotOptimize(content.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * delivered);
}

void loadIntoStore(benchmark::State& state, const std::string& path) {
    size_t bytes = readWholeFile(path).size();
    for (auto _ : state) {
        PalmContactStore store(40102);
        if (!store.loadFile(path) || store.contacts()->count() != RecordCount) {
            state.SkipWithError("the store did not load the file");
            return;
        }
        benchmark::DoNotOptimize(store.contacts());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

// The file object's read alone: the part of the load that is not the store's.
template <typename File>
void readFileObject(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        File file;
        if (!file.openAndRead(path) || file.recordCount() != RecordCount) {
            state.SkipWithError("the file did not read");
            return;
        }
        benchmark::DoNotOptimize(file.recordAt(0));
    }
}

void BM_FileObjectRead_Format1(benchmark::State& state) { readFileObject<PalmAddressFile>(state, files().path1); }
void BM_FileObjectRead_Format4(benchmark::State& state) { readFileObject<PalmAddressFile4>(state, files().path4); }

// The floor under any load: 20,000 empty unified records made, listed and freed.
void BM_UnifiedRecordsAlone(benchmark::State& state) {
    for (auto _ : state) {
        ContactList list;
        for (int index = 0; index < RecordCount; ++index)
            list.append(std::unique_ptr<ContactRecord>(new ContactRecord));
        benchmark::DoNotOptimize(list.first());
    }
}

// Records added to a loaded store, as a run copying a large Outlook folder
// to Palm Desktop adds them: the time per record should not grow with the count.
void BM_AddRecords_Format1(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    std::vector<std::unique_ptr<ContactRecord>> records;
    for (int index = 0; index < count; ++index) {
        records.emplace_back(new ContactRecord);
        const Person p = person(index);
        copyText(records.back()->firstName, p.first.c_str());
        copyText(records.back()->lastName, (p.last + "+").c_str());
        copyText(records.back()->company, p.company.c_str());
        copyText(records.back()->homePhone, p.phones[1].c_str());
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<PalmContactStore> store(new PalmContactStore(40102));
        if (!store->loadFile(files().path1)) {
            state.SkipWithError("the store did not load the file");
            return;
        }
        state.ResumeTiming();
        for (const auto& record : records) {
            if (!store->addRecord(record.get())) {
                state.SkipWithError("a record was not added");
                return;
            }
        }
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * count);
}

void BM_RawRead_Format1(benchmark::State& state) { readRaw(state, files().path1); }
void BM_StoreLoad_Format1(benchmark::State& state) { loadIntoStore(state, files().path1); }
void BM_RawRead_Format4(benchmark::State& state) { readRaw(state, files().path4); }
void BM_StoreLoad_Format4(benchmark::State& state) { loadIntoStore(state, files().path4); }

BENCHMARK(BM_UnifiedRecordsAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawRead_Format1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileObjectRead_Format1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreLoad_Format1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawRead_Format4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileObjectRead_Format4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreLoad_Format4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddRecords_Format1)->Arg(2000)->Arg(8000)->Arg(32000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
