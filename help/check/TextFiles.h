#pragma once
#include <string>
#include <vector>

// Whole files as text, and the files of a folder, for the help checks.

bool readTextFile(const std::string& path, std::string* text);

// The regular files directly in `folder` whose names end in one of the
// endings (".htm", ".cpp"), sorted by name; with `recursive` also those of
// every subfolder. Paths are returned as folder + "/" + name.
std::vector<std::string> filesEndingIn(const std::string& folder, const std::vector<std::string>& endings,
                                       bool recursive);

// "a/b/../c.htm" -> "a/c.htm"; backslashes count as slashes. An empty
// result means the path climbs above its start.
std::string normalPath(const std::string& path);

// The folder part of a path ("html/a.htm" -> "html"; "a.htm" -> "").
std::string folderOf(const std::string& path);
