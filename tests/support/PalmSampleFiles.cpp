#include "tests/support/PalmSampleFiles.h"

// The label text has six lines, more than the program's four.
PalmBytes oneRecordOlderFile(uint32_t isPrivate) {
    PalmBytes bytes;
    bytes.u32(0x41420100).countedString("C:\\address.dat").countedString("one\ntwo\nthree\nfour\nfive\nsix\n");
    bytes.categorySection(128, {});
    bytes.format1Schema().u32(30);
    bytes.integerField(1).integerField(0).integerField(0);
    bytes.stringField("Lind").stringField("Maja").stringField("").stringField("");
    for (uint32_t slot = 0; slot < 5; ++slot)
        bytes.integerField(slot).stringField("");
    for (int text = 0; text < 6; ++text)
        bytes.stringField("");
    bytes.booleanField(isPrivate).integerField(0);
    for (int custom = 0; custom < 4; ++custom)
        bytes.stringField("");
    bytes.integerField(0);
    return bytes;
}

PalmBytes oneRecordFormat4File(uint32_t isPrivate) {
    PalmBytes bytes;
    bytes.format4Signature().u32(0x41420200);
    bytes.fill(0, 12).u8(1).u8(16).fill(0, 10).countedString("C:\\address.dat").fill(0, 11);
    for (int label = 0; label < 9; ++label)
        bytes.countedString("").u32(0);
    bytes.fill(0, 42).categorySection(128, {}).format4Schema().u32(73);
    for (int column = 0; column < 6; ++column)
        bytes.integerField(0);
    bytes.integerField(isPrivate);
    for (uint32_t tag = 64; tag <= 67; ++tag)
        bytes.absentBlobField(tag);
    bytes.stringField("").stringField("").stringField("Maja").stringField("Lind").stringField("").stringField("");
    bytes.integerField(0).stringField("");
    for (int phone = 0; phone < 7; ++phone)
        bytes.stringField("");
    for (uint32_t label = 0; label < 7; ++label)
        bytes.integerField(label);
    for (int custom = 0; custom < 9; ++custom)
        bytes.stringField("");
    for (int block = 0; block < 3; ++block) {
        bytes.integerField(static_cast<uint32_t>(block));
        for (int text = 0; text < 5; ++text)
            bytes.stringField("");
    }
    bytes.stringField("").stringField("").integerField(0).integerField(0);
    bytes.stringField("").wideField(0, 0).booleanField(0).integerField(0).integerField(0);
    for (int text = 0; text < 4; ++text)
        bytes.stringField("");
    return bytes;
}
