// Files over POSIX: the kind and size of a path, asked of the file system without opening it.
#include "platform/file.h"

#include <sys/stat.h>

long platformRegularFileSize(const char *path) {
    struct stat info;
    if (stat(path, &info) != 0 || !S_ISREG(info.st_mode)) return -1;
    return long(info.st_size);
}
