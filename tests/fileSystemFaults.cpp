// The save's calls to the file system as a test can fail them or stop the process at one.
#include "fileSystemFaults.h"

#include <cerrno>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

FileSystemFaults fileSystemFaults;

namespace {

// A process killed before the call: nothing after it reaches the disk.
void stopBefore(StoppedAt kind) {
    if (fileSystemFaults.stopAtCall > 0 && --fileSystemFaults.stopAtCall == 0) _exit(kind);
}

int failWith(int error) {
    errno = error;
    return -1;
}

bool isFolder(int descriptor) {
    struct stat status;
    return fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

// Each goes straight to the kernel, so every caller in the process gets the real call unless a
// fault is set.
extern "C" int fsync(int descriptor) {
    stopBefore(STOPPED_AT_FLUSH);
    const int error = isFolder(descriptor) ? fileSystemFaults.folderFlushError : fileSystemFaults.fileFlushError;
    return error ? failWith(error) : int(syscall(SYS_fsync, descriptor));
}

extern "C" int rename(const char* from, const char* to) noexcept {
    stopBefore(STOPPED_AT_RENAME);
    return int(syscall(SYS_renameat, AT_FDCWD, from, AT_FDCWD, to));
}

extern "C" int unlink(const char* path) noexcept {
    stopBefore(STOPPED_AT_UNLINK);
    return int(syscall(SYS_unlinkat, AT_FDCWD, path, 0));
}
