#ifndef VANTREL_TESTS_FILESIZELIMIT_H
#define VANTREL_TESTS_FILESIZELIMIT_H

#include <csignal>
#include <sys/resource.h>

// Limits the size of files this process may write while it lives, as a full disk or a
// quota would; writes beyond the limit fail instead of raising SIGXFSZ.
class TFileSizeLimit
{
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &d_previous);
        rlimit limit = d_previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit); // lowering a soft limit cannot fail
    }
    ~TFileSizeLimit() { setrlimit(RLIMIT_FSIZE, &d_previous); }

private:
    rlimit d_previous;
};

#endif
