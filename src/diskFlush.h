// Forcing written files and folder entries onto the disk: the one place the game calls the OS itself.
#pragma once

#include <string>

// Waits until what was written to the file or folder at path is on the disk; false, with
// reason set, when it cannot be.
bool flushToDisk(const std::string& path, std::string& reason);

// As flushToDisk for a folder, but true where the file system has no way to flush a folder:
// what it can flush is flushed, and a save must not stop over the rest.
bool flushFolderToDisk(const std::string& path, std::string& reason);
