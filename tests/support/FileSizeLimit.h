#pragma once

#include <csignal>
#include <sys/resource.h>

namespace kestrix {

// Makes every write of this process past the given size fail, as on a full
// disk and for any user, for the life of this object; then puts back the old
// limit and the signal such a write would otherwise end the process with.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_set = ::getrlimit(RLIMIT_FSIZE, &m_oldLimit) == 0;
        if (!m_set)
            return;
        m_oldSignal = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_oldLimit.rlim_max};
        m_set = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
        if (!m_set)
            std::signal(SIGXFSZ, m_oldSignal);
    }
    ~FileSizeLimit()
    {
        if (!m_set)
            return;
        ::setrlimit(RLIMIT_FSIZE, &m_oldLimit);
        std::signal(SIGXFSZ, m_oldSignal);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool isSet() const { return m_set; }

private:
    bool m_set = false;
    rlimit m_oldLimit{};
    void (*m_oldSignal)(int) = SIG_DFL;
};

} // namespace kestrix
