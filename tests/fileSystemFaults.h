// The save's calls to the file system as a test can fail them or stop the process at one.
#pragma once

// The test binary defines fsync, rename and unlink itself; each does the real call unless
// told otherwise here.
struct FileSystemFaults {
    int folderFlushError = 0;  // a flush of a folder fails with this error number
    int fileFlushError = 0;    // a flush of anything else fails with this error number
    int stopAtCall = 0;        // the n-th flush, rename or unlink from now ends the process instead
};

extern FileSystemFaults fileSystemFaults;

// The process exit codes of a stop: the kind of call it stopped before.
enum StoppedAt { STOPPED_AT_FLUSH = 90, STOPPED_AT_RENAME, STOPPED_AT_UNLINK };
