#pragma once

#include "output/PagePrinter.h"
#include "util/KestrixError.h"

#include <QList>

#include <functional>

namespace kestrix {

// A printer for tests: it keeps every page it is given, one per job, and can
// be made to fail at a given job.
class RecordingPrinter : public PagePrinter
{
public:
    QSize pageSize{4800, 6800};
    int resolution = 600;
    int failingJob = 0;           // 1 for the first job; 0 never fails
    std::function<void()> onJob;  // runs at the start of every job
    QList<PrintPage> jobs;
    int pageSizeRequests = 0;

    PrintablePage portraitPage() override
    {
        ++pageSizeRequests;
        return {pageSize, resolution};
    }

    void printPage(const PrintPage &page) override
    {
        if (onJob)
            onJob();
        if (jobs.size() + 1 == failingJob)
            throw KestrixError(QStringLiteral("The printer is out of paper"));
        jobs.append(page);
    }
};

} // namespace kestrix
