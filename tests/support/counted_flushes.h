#pragma once
// Counts the waits for the disk that the file layer asks for while it lives, a file's and a folder's apart.
// POSIX only: the flushes go through file_io_testing::flushDescriptor there.

#include "core/file_io.h"

#include <sys/stat.h>
#include <unistd.h>

namespace kakutei::testing {

class CountedFlushes {
public:
    CountedFlushes() {
        counting_ = this;
        file_io_testing::flushDescriptor = count;
    }
    ~CountedFlushes() {
        file_io_testing::flushDescriptor = ::fsync;
        counting_ = nullptr;
    }
    CountedFlushes(const CountedFlushes&) = delete;
    CountedFlushes& operator=(const CountedFlushes&) = delete;

    int files = 0;
    int folders = 0;

private:
    static int count(int descriptor) {
        struct stat info {};
        if (::fstat(descriptor, &info) == 0 && S_ISDIR(info.st_mode))
            ++counting_->folders;
        else
            ++counting_->files;
        return ::fsync(descriptor);
    }
    static inline CountedFlushes* counting_ = nullptr;
};

} // namespace kakutei::testing
