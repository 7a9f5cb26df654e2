// Forcing written files and folder entries onto the disk: the one place the game calls the OS itself.
#include "diskFlush.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

// Neither the standard library nor Boost.Filesystem can flush a folder, and a rename is only
// safe once the data it publishes is on the disk.
bool flushToDisk(const std::string& path, std::string& reason) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        reason = "cannot open " + path + " to flush it: " + std::strerror(errno);
        return false;
    }
    const bool flushed = ::fsync(descriptor) == 0;
    if (!flushed) reason = "cannot flush " + path + ": " + std::strerror(errno);
    ::close(descriptor);
    return flushed;
}
