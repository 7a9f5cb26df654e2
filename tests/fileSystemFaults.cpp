// The save's calls to the file system as a test can fail them.
#include "fileSystemFaults.h"

#include <cerrno>

#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

FileSystemFaults fileSystemFaults;

namespace {

int failWith(int error) {
    errno = error;
    return -1;
}

bool isFolder(int descriptor) {
    struct stat status;
    return fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

// Goes straight to the kernel, so every caller in the process gets the real flush unless a
// fault is set.
extern "C" int fsync(int descriptor) {
    const int error = isFolder(descriptor) ? fileSystemFaults.folderFlushError : fileSystemFaults.fileFlushError;
    return error ? failWith(error) : int(syscall(SYS_fsync, descriptor));
}
