#pragma once
#include "config/OptionsRecord.h"

// Files in the program's folder.
constexpr const char optionsFileName[] = "qsopt10.dat";
constexpr const char quillsetSettingsSection[] = "Quillset";
constexpr const char lastUserKey[] = "LastUser";
constexpr const char swapNameKey[] = "SwapName";
constexpr const char showDiffKey[] = "ShowDiff";

// The options of this run, loaded once when the main window is created.
extern OptionsRecord currentOptions;

// Mirrors of the "Quillset" settings. They hold whatever integer the settings
// file held; the readers decide what counts as on.
extern int lastUser;
extern int swapName;
extern int showDiff;

// Set by the options dialog when "SwapName" or "ShowDiff" changed, so the
// caller knows to refill the lists.
extern bool viewOptionsChanged;

// Defaults, then as many leading bytes of "qsopt10.dat" as it holds (nothing
// in it is checked), then "LastUser", "SwapName" and "ShowDiff". Missing files
// and keys leave defaults.
void loadOptions();

// Rewrites "qsopt10.dat" with the whole record, then writes "LastUser" even
// when the options file could not be written. True only when both were
// written; callers that have nowhere to report it may ignore the result.
bool saveOptions();

// The address files swap first and last name only for exactly 1.
bool readSwapNameSetting();
