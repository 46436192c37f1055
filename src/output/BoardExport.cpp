#include "output/BoardExport.h"

#include "catalogue/JpegWriter.h"
#include "util/KestrixError.h"
#include "util/Utils.h"

#include <exception>
#include <future>

namespace kestrix {

namespace {

struct EncodedQuarter
{
    QByteArray jpeg;
    std::exception_ptr error;
};

std::array<EncodedQuarter, BoardQuarterCount> encodeAll(const BoardPictureSource &source)
{
    std::array<std::future<QByteArray>, BoardQuarterCount> running;
    for (int q = 1; q <= BoardQuarterCount; ++q)
        running[size_t(q - 1)] = std::async(std::launch::async, [&source, q] {
            return convertToJpeg(renderBoardQuarter(source, q));
        });
    std::array<EncodedQuarter, BoardQuarterCount> done;
    for (size_t i = 0; i < running.size(); ++i) {
        try {
            done[i].jpeg = running[i].get();
        } catch (...) {
            done[i].error = std::current_exception();
        }
    }
    return done;
}

} // namespace

std::array<QByteArray, BoardQuarterCount> encodeBoardQuarters(const BoardPictureSource &source)
{
    std::array<QByteArray, BoardQuarterCount> jpegs;
    const auto done = encodeAll(source);
    for (size_t i = 0; i < done.size(); ++i) {
        if (done[i].error)
            std::rethrow_exception(done[i].error);
        jpegs[i] = done[i].jpeg;
    }
    return jpegs;
}

void exportBoardQuarters(const BoardPictureSource &source, const QString &chosen)
{
    const auto done = encodeAll(source);
    for (int q = 1; q <= BoardQuarterCount; ++q) {
        const EncodedQuarter &quarter = done[size_t(q - 1)];
        if (quarter.error)
            std::rethrow_exception(quarter.error);
        writeWholeFile(quarterPictureFileName(chosen, q), quarter.jpeg);
    }
}

} // namespace kestrix
