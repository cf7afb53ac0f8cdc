// Files for the client: what a path names before anything opens it.
#pragma once

// The size in bytes of the regular file at path, or -1 when there is none: missing, or a
// directory, a named pipe or a device, which could block an open or a read for ever.
long platformRegularFileSize(const char *path);
