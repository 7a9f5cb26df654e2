// Forcing written files and folder entries onto the disk: the one place the game calls the OS itself.
#pragma once

#include <string>

// Waits until what was written to the file or folder at path is on the disk; false, with
// reason set, when it cannot be.
bool flushToDisk(const std::string& path, std::string& reason);
