// Faults on demand in a real process, for the tests of what a conversion does when the disk says
// no half way: loaded with LD_PRELOAD, it lets the C library's calls through unless the
// environment asks otherwise.
//
//   PELMORA_FAIL_RENAME_TO=TEXT    a rename (or link) to a path holding TEXT fails with EIO
//   PELMORA_FAIL_RENAME_FROM=TEXT  ... from a path holding TEXT
//   PELMORA_FAIL_DIRECTORY_SYNC=1  syncing a folder fails with EIO
//   PELMORA_KILL_AFTER_RENAME_TO=TEXT  after a rename to a path holding TEXT, the process is
//                                  killed (SIGKILL), as a crash or a power cut would stop it
//   PELMORA_STOP_AFTER_RENAME_TO=TEXT  ... or stopped (SIGSTOP), once, until it is continued

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
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
    if (names("PELMORA_FAIL_RENAME_TO", newpath) || names("PELMORA_FAIL_RENAME_FROM", oldpath)) {
        errno = EIO;
        return -1;
    }
    static const auto real =
        next<int (*)(int, const char *, int, const char *, unsigned)>("renameat2");
    return afterRename(real(olddirfd, oldpath, newdirfd, newpath, flags), newpath);
}

int link(const char *oldpath, const char *newpath) {
    if (names("PELMORA_FAIL_RENAME_TO", newpath) || names("PELMORA_FAIL_RENAME_FROM", oldpath)) {
        errno = EIO;
        return -1;
    }
    static const auto real = next<int (*)(const char *, const char *)>("link");
    return afterRename(real(oldpath, newpath), newpath);
}

int fsync(int fd) {
    struct stat st {};
    const char *fail = std::getenv("PELMORA_FAIL_DIRECTORY_SYNC");
    if (fail && *fail && fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        errno = EIO;
        return -1;
    }
    static const auto real = next<int (*)(int)>("fsync");
    return real(fd);
}

} // extern "C"
