// While this lives, no file of the process can grow beyond a number of bytes:
// a write past it fails (EFBIG, the signal ignored) as on a full disk.
#pragma once

#include <csignal>
#include <sys/resource.h>

class ScopedFullDisk {
public:
    explicit ScopedFullDisk(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit small = saved_;
        small.rlim_cur = bytes;
        signal_ = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~ScopedFullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, signal_);
    }
    ScopedFullDisk(const ScopedFullDisk&) = delete;
    ScopedFullDisk& operator=(const ScopedFullDisk&) = delete;

private:
    rlimit saved_{};
    void (*signal_)(int) = SIG_DFL;
};
