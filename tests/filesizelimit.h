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
        d_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~TFileSizeLimit() { setrlimit(RLIMIT_FSIZE, &d_previous); }

    bool Active() const { return d_active; }

private:
    rlimit d_previous;
    bool d_active = false;
};

#endif
