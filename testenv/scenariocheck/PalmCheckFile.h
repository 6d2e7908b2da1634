#pragma once
#include "testenv/scenariocheck/CheckRecord.h"

#include <string>

// A Palm Desktop address file of either format, read with the program's own
// readers (the contact store's format probe decides which), every record of
// the file in file order, those the program does not load included. Fields
// carry the field table's names where the table has one; telephone slots
// appear in slot order under their labels' names; names are the file's own
// columns whatever the name-swap setting says. Empty texts and zero values
// are left out, except the record id, status and position.
//
// False, with the reason, when neither format reads the file whole.
bool readPalmCheckFile(const std::string& path, CheckFile* file, std::string* problem);
