// Loading a Palm Desktop 4 sized file field by field against reading the same
// bytes in one call: the stream's buffering has to keep the former within
// about twice the latter.
#include "palm/BinaryFileStream.h"
#include "tests/support/PalmBytes.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int RecordCount = 20000;
constexpr int ColumnCount = 73;

enum class Column { Integer, Boolean, Blob, String, Wide };

Column kindOfColumn(int column) {
    if (column >= 7 && column <= 10)
        return Column::Blob;
    if (column == 65)
        return Column::Wide;
    if (column == 66)
        return Column::Boolean;
    static const int integerColumns[] = {0,  1,  2,  3,  4,  5,  6,  17, 26, 27, 28,
                                         29, 30, 31, 32, 42, 48, 54, 62, 63, 67, 68};
    for (int integerColumn : integerColumns) {
        if (integerColumn == column)
            return Column::Integer;
    }
    return Column::String;
}

// Filled once, as a loader's column table would be.
struct ColumnTable {
    Column kinds[ColumnCount];
    ColumnTable() {
        for (int column = 0; column < ColumnCount; ++column)
            kinds[column] = kindOfColumn(column);
    }
};
const ColumnTable columnTable;

inline Column columnKind(int column) { return columnTable.kinds[column]; }

struct Record {
    uint32_t numbers[ColumnCount] = {};
    std::string texts[ColumnCount];
    FieldBlob blobs[4];
};

const std::string& benchmarkFile() {
    static TempFolder folder;
    static std::string path;
    if (!path.empty())
        return path;
    PalmBytes bytes;
    for (int record = 0; record < RecordCount; ++record) {
        for (int column = 0; column < ColumnCount; ++column) {
            switch (columnKind(column)) {
            case Column::Integer: bytes.integerField(static_cast<uint32_t>(record * column)); break;
            case Column::Boolean: bytes.booleanField(record & 1); break;
            case Column::Blob:
                if (column == 7)
                    bytes.blobField(64, 1, 2, {1, 2, 3, 4, 5, 6, 7, 8});
                else
                    bytes.absentBlobField(static_cast<uint32_t>(57 + column));
                break;
            case Column::Wide: bytes.wideField(record, column); break;
            case Column::String:
                bytes.stringField(column % 3 == 0
                                      ? std::string()
                                      : "text " + std::to_string(record) + " in column " + std::to_string(column));
                break;
            }
        }
    }
    path = folder.file("address.dat");
    bytes.writeTo(path);
    return path;
}

void BM_ReadWholeFileInOneCall(benchmark::State& state) {
    const std::string& path = benchmarkFile();
    std::vector<uint8_t> content(200u << 20);
    for (auto _ : state) {
        BinaryFileStream stream;
        stream.open(path, BinaryFileStream::ReadWriteExisting);
        uint32_t count = static_cast<uint32_t>(content.size());
        stream.readBlock(content.data(), &count);
        benchmark::DoNotOptimize(content.data());
        state.counters["bytes"] = count;
    }
}
BENCHMARK(BM_ReadWholeFileInOneCall)->Unit(benchmark::kMillisecond);

// Every field of every record read through the stream. With keepRecords the
// values land in 20,000 records, as a loader keeps them; without, they land in
// one record over and over, which leaves the stream's own cost.
void readRecordsFieldByField(benchmark::State& state, bool keepRecords) {
    const std::string& path = benchmarkFile();
    std::vector<Record> records(keepRecords ? RecordCount : 1);
    for (auto _ : state) {
        BinaryFileStream stream;
        stream.open(path, BinaryFileStream::ReadWriteExisting);
        bool ok = true;
        for (int index = 0; index < RecordCount; ++index) {
            Record& record = records[keepRecords ? index : 0];
            for (int column = 0; column < ColumnCount && ok; ++column) {
                switch (columnKind(column)) {
                case Column::Integer:
                case Column::Boolean: ok = stream.readIntegerField(record.numbers[column]); break;
                case Column::Blob: ok = stream.readBlobField(record.blobs[column - 7]); break;
                case Column::Wide: ok = stream.readWideField(record.numbers[column], record.numbers[column - 1]); break;
                case Column::String: ok = stream.readStringField(record.texts[column]); break;
                }
            }
        }
        if (!ok)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(records.data());
    }
}

void BM_ReadFieldsThroughTheStream(benchmark::State& state) { readRecordsFieldByField(state, false); }
BENCHMARK(BM_ReadFieldsThroughTheStream)->Unit(benchmark::kMillisecond);

void BM_ReadRecordsFieldByField(benchmark::State& state) { readRecordsFieldByField(state, true); }
BENCHMARK(BM_ReadRecordsFieldByField)->Unit(benchmark::kMillisecond);

// The floor: the same records filled from bytes already in memory, with no
// stream at all, so the stream's own share of the load can be told apart.
void fillRecordsFromMemory(benchmark::State& state, bool keepRecords) {
    std::vector<uint8_t> content = readWholeFile(benchmarkFile());
    std::vector<Record> records(keepRecords ? RecordCount : 1);
    auto word = [&](size_t at) {
        return static_cast<uint32_t>(content[at]) | static_cast<uint32_t>(content[at + 1]) << 8 |
               static_cast<uint32_t>(content[at + 2]) << 16 | static_cast<uint32_t>(content[at + 3]) << 24;
    };
    for (auto _ : state) {
        size_t at = 0;
        for (int index = 0; index < RecordCount; ++index) {
            Record& record = records[keepRecords ? index : 0];
            for (int column = 0; column < ColumnCount; ++column) {
                switch (columnKind(column)) {
                case Column::Integer:
                case Column::Boolean:
                    record.numbers[column] = word(at + 4);
                    at += 8;
                    break;
                case Column::Blob: {
                    FieldBlob& blob = record.blobs[column - 7];
                    blob.tag = word(at);
                    blob.present = word(at + 4);
                    at += 8;
                    if (blob.present == 0)
                        break;
                    blob.length = word(at + 8);
                    at += 12;
                    blob.data.assign(content.begin() + at, content.begin() + at + blob.length);
                    at += blob.length;
                    break;
                }
                case Column::Wide:
                    record.numbers[column] = word(at + 4);
                    at += 12;
                    break;
                case Column::String: {
                    uint32_t length = content[at + 8];
                    record.texts[column].assign(reinterpret_cast<const char*>(&content[at + 9]), length);
                    at += 9 + length;
                    break;
                }
                }
            }
        }
        benchmark::DoNotOptimize(records.data());
    }
}
void BM_FillOneRecordFromMemory(benchmark::State& state) { fillRecordsFromMemory(state, false); }
BENCHMARK(BM_FillOneRecordFromMemory)->Unit(benchmark::kMillisecond);

void BM_FillRecordsFromMemory(benchmark::State& state) { fillRecordsFromMemory(state, true); }
BENCHMARK(BM_FillRecordsFromMemory)->Unit(benchmark::kMillisecond);

void BM_WriteRecordsFieldByField(benchmark::State& state) {
    TempFolder folder;
    std::string path = folder.file("written.dat");
    FieldBlob blob;
    blob.tag = 64;
    blob.present = 1;
    const uint8_t data[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    blob.setData(data, sizeof data);
    const std::string text = "text 12345 in column 42";
    for (auto _ : state) {
        BinaryFileStream stream;
        stream.open(path, BinaryFileStream::CreateReadWrite);
        for (int record = 0; record < RecordCount; ++record) {
            for (int column = 0; column < ColumnCount; ++column) {
                switch (columnKind(column)) {
                case Column::Integer: stream.writeIntegerField(record); break;
                case Column::Boolean: stream.writeBooleanField(1); break;
                case Column::Blob: stream.writeBlobField(blob); break;
                case Column::Wide: stream.writeWideField(record, column); break;
                case Column::String: stream.writeStringField(text); break;
                }
            }
        }
        if (!stream.close())
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteRecordsFieldByField)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
