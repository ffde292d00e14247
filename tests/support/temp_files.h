// Test helper: files made in the test's temporary folder, and the games' data files read whole.
#pragma once

#include <string>

// Writes `bytes` to the file `name` of the temporary folder; returns its path.
std::string writeTemp(const std::string& name, const std::string& bytes);

// A file `name` of the temporary folder that says it holds `gib` GiB and takes no room on the
// disk; returns its path.
std::string sparseFile(const std::string& name, int gib);

// The whole of the data file `name` of the games (in the folder ASSETS names), or "" when it cannot
// be read.
std::string readAsset(const std::string& name);
