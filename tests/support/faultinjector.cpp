// Faults on demand in a real process, for the tests of what a conversion does when the disk says
// no half way: loaded with LD_PRELOAD, it lets the C library's calls through unless the
// environment asks otherwise.
//
//   PELMORA_FAIL_RENAME_TO=TEXT    a rename (or link) to a path holding TEXT fails with EIO
//   PELMORA_FAIL_RENAME_FROM=TEXT  ... from a path holding TEXT
//   PELMORA_FAIL_DIRECTORY_SYNC=TEXT  syncing a folder whose path holds TEXT fails with EIO
//   PELMORA_NO_EXCHANGE=1          swapping two names fails with EINVAL, as on a file system
//                                  that cannot (vfat, NFS)
//   PELMORA_KILL_AT_STEP=N         the process is killed (SIGKILL) before its Nth step on the
//                                  disk: a rename, link, removal, or flush (fsync, fdatasync)
//   PELMORA_KILL_AFTER_RENAME_TO=TEXT  after a rename to a path holding TEXT, the process is
//                                  killed (SIGKILL), as a crash or a power cut would stop it
//   PELMORA_STOP_AFTER_RENAME_TO=TEXT  ... or stopped (SIGSTOP), once, until it is continued

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool names(const char *variable, const char *path) {
    const char *text = std::getenv(variable);
    return text && *text && path && std::strstr(path, text);
}

template <typename Function> Function next(const char *name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool stopped = false;

// Counts the steps on the disk, and kills the process before the one asked for.
void step() {
    static int taken = 0;
    const char *at = std::getenv("PELMORA_KILL_AT_STEP");
    if (at && *at && ++taken == std::atoi(at))
        raise(SIGKILL);
}

std::string pathOf(int fd) {
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char path[4096];
    const ssize_t size = readlink(link, path, sizeof path - 1);
    return size > 0 ? std::string(path, size_t(size)) : std::string();
}

int afterRename(int result, const char *to) {
    if (result != 0)
        return result;
    if (names("PELMORA_KILL_AFTER_RENAME_TO", to))
        raise(SIGKILL);
    if (!stopped && names("PELMORA_STOP_AFTER_RENAME_TO", to)) {
        stopped = true;
        raise(SIGSTOP);
    }
    return result;
}

} // namespace

extern "C" {

int renameat2(int olddirfd, const char *oldpath, int newdirfd, const char *newpath,
              unsigned int flags) {
    step();
    const char *noExchange = std::getenv("PELMORA_NO_EXCHANGE");
    if ((flags & RENAME_EXCHANGE) && noExchange && *noExchange) {
        errno = EINVAL;
        return -1;
    }
    if (names("PELMORA_FAIL_RENAME_TO", newpath) || names("PELMORA_FAIL_RENAME_FROM", oldpath)) {
        errno = EIO;
        return -1;
    }
    static const auto real =
        next<int (*)(int, const char *, int, const char *, unsigned)>("renameat2");
    return afterRename(real(olddirfd, oldpath, newdirfd, newpath, flags), newpath);
}

int link(const char *oldpath, const char *newpath) {
    step();
    if (names("PELMORA_FAIL_RENAME_TO", newpath) || names("PELMORA_FAIL_RENAME_FROM", oldpath)) {
        errno = EIO;
        return -1;
    }
    static const auto real = next<int (*)(const char *, const char *)>("link");
    return afterRename(real(oldpath, newpath), newpath);
}

int fsync(int fd) {
    step();
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) &&
        names("PELMORA_FAIL_DIRECTORY_SYNC", pathOf(fd).c_str())) {
        errno = EIO;
        return -1;
    }
    static const auto real = next<int (*)(int)>("fsync");
    return real(fd);
}

int fdatasync(int fd) {
    step();
    static const auto real = next<int (*)(int)>("fdatasync");
    return real(fd);
}

int unlink(const char *path) {
    step();
    static const auto real = next<int (*)(const char *)>("unlink");
    return real(path);
}

} // extern "C"
