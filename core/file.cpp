// Whole-file read and write through standard buffered streams.
#include "core/file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/file.h"

long fileRead(const char *path, std::span<uint8_t> buffer) {
    // Only a regular file is opened: opening a named pipe would wait for a writer for ever.
    if (platformRegularFileSize(path) < 0) return -1;
    FILE *f = fopen(path, "rb");
    if (!f) return -1;
    long size = -1;
    if (fseek(f, 0, SEEK_END) == 0) size = ftell(f);
    if (size >= 0 && fseek(f, 0, SEEK_SET) == 0) {
        // The size is the file's, but never more than the buffer holds is read into it.
        size_t want = std::min(size_t(size), buffer.size());
        // A short read (a file cut while reading) would leave stale bytes that look like
        // the file's: report it as unreadable.
        if (want > 0 && fread(buffer.data(), 1, want, f) != want) size = -1;
    } else {
        size = -1;
    }
    fclose(f);
    return size;
}

// The permissions a replaced file keeps, or those a new file would get from "wb".
static mode_t fileMode(const char *path) {
    struct stat info;
    if (stat(path, &info) == 0) return info.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

long fileWrite(const char *path, std::span<const uint8_t> bytes) {
    // The bytes go to a new file beside the target, in the same folder so that the rename
    // stays on one file system, and replace the target only once every write, the flush and
    // the close have succeeded: a full disk or a failing write leaves the old file whole.
    char temporary[PATH_MAX];
    int n = snprintf(temporary, sizeof temporary, "%s.XXXXXX", path);
    if (n < 0 || size_t(n) >= sizeof temporary) {
        errno = ENAMETOOLONG;
        return -1;
    }
    int fd = mkstemp(temporary);
    if (fd < 0) return -1;
    FILE *f = fchmod(fd, fileMode(path)) == 0 ? fdopen(fd, "wb") : nullptr;
    bool ok = f != nullptr;
    if (ok && !bytes.empty()) ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (ok) ok = fflush(f) == 0 && fsync(fileno(f)) == 0;
    int error = errno;
    if (f) {
        if (fclose(f) != 0 && ok) {
            ok = false;
            error = errno;
        }
    } else {
        close(fd);
    }
    if (ok && rename(temporary, path) == 0) return long(bytes.size());
    if (ok) error = errno;
    unlink(temporary);
    errno = error; // the caller can name the reason
    return -1;
}
