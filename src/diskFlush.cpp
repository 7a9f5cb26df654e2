// Forcing written files and folder entries onto the disk: the one place the game calls the OS itself.
#include "diskFlush.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int NOT_OPENED = -1;  // not an error number: the flush was never tried

// 0 when flushed, else the flush's error number or NOT_OPENED, with reason set.
// Neither the standard library nor Boost.Filesystem can flush a folder, and a rename is only
// safe once the data it publishes is on the disk.
int flushError(const std::string& path, std::string& reason) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        reason = "cannot open " + path + " to flush it: " + std::strerror(errno);
        return NOT_OPENED;
    }
    const int error = ::fsync(descriptor) == 0 ? 0 : errno;
    if (error) reason = "cannot flush " + path + ": " + std::strerror(error);
    ::close(descriptor);
    return error;
}

}  // namespace

bool flushToDisk(const std::string& path, std::string& reason) { return flushError(path, reason) == 0; }

// Some network and user-space file systems answer a folder's flush this way; databases go on
// without it too. An I/O error still means the disk failed.
bool flushFolderToDisk(const std::string& path, std::string& reason) {
    const int error = flushError(path, reason);
    return error == 0 || error == EINVAL || error == ENOTSUP;
}
