#pragma once
#include "config/OptionsRecord.h"

// Files in the program's folder.
constexpr const char optionsFileName[] = "qsopt10.dat";
constexpr const char quillsetSettingsSection[] = "Quillset";
constexpr const char lastUserKey[] = "LastUser";
constexpr const char swapNameKey[] = "SwapName";
constexpr const char showDiffKey[] = "ShowDiff";

// What the program keeps between runs: the options record and the
// "Quillset" settings. One object, made by the main window and handed to
// whoever reads or changes it.
struct Settings {
    // Loaded once when the main window is created.
    OptionsRecord options{};
    // Whatever integer the settings file held; the readers decide what
    // counts as on.
    int lastUser = 0;
    int swapName = 0;
    int showDiff = 0;

    // Defaults, then as many leading bytes of "qsopt10.dat" as it holds
    // (nothing in it is checked), then "LastUser", "SwapName" and
    // "ShowDiff". Missing files and keys leave defaults.
    void load();

    // Rewrites "qsopt10.dat" with the whole record, then writes "LastUser"
    // even when the options file could not be written. True only when both
    // were written; callers that have nowhere to report it may ignore it.
    bool save() const;
};

// The address files swap first and last name only for exactly 1.
bool readSwapNameSetting();
