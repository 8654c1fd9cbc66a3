#pragma once

#include <sys/resource.h>

// A step run as on a disk that fills part way: no file may grow beyond the
// bytes given (the program ignores the signal this raises, so a write only
// fails); the limit is lifted again whatever the step does.
template <class Step>
auto onAFullDisk(rlim_t bytes, Step&& step)
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const struct Lifted {
        rlimit was;
        ~Lifted() { setrlimit(RLIMIT_FSIZE, &was); }
    } lifted{limit};
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
    return step();
}
