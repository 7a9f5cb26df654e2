// The save's calls to the file system as a test can fail them.
#pragma once

// The test binary defines fsync itself; it does the real flush unless told otherwise here.
struct FileSystemFaults {
    int folderFlushError = 0;  // a flush of a folder fails with this error number
    int fileFlushError = 0;    // a flush of anything else fails with this error number
};

extern FileSystemFaults fileSystemFaults;
