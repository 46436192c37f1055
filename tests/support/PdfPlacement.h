#pragma once

#include <QByteArray>
#include <QList>
#include <QRegularExpression>
#include <QSizeF>
#include <QtEndian>

#include <utility>

namespace kestrix::testpdf {

// The size on paper, in millimetres, of every picture a PDF file draws, in
// the order drawn, read from the transformation in force at each "Do" of the
// page content. Enough for the files the Qt PDF engine writes: content
// streams compressed with zlib (or plain), scale-only matrices.
inline QList<QSizeF> PictureSizesMm(const QByteArray &pdf)
{
    constexpr double MmPerPoint = 25.4 / 72.0;
    QList<QSizeF> sizes;
    qsizetype from = 0;
    while (true) {
        const qsizetype keyword = pdf.indexOf("stream", from);
        if (keyword < 0)
            break;
        qsizetype start = keyword + 6;
        if (pdf.mid(start, 2) == "\r\n")
            start += 2;
        else if (pdf.mid(start, 1) == "\n")
            start += 1;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0)
            break;
        from = end + 9;
        if (keyword >= 3 && pdf.mid(keyword - 3, 3) == "end")
            continue;
        const QByteArray raw = pdf.mid(start, end - start);
        QByteArray content = raw;
        // A zlib stream starts with 0x78; pictures may be stored otherwise.
        if (raw.startsWith('\x78')) {
            QByteArray prefixed(4, '\0');
            qToBigEndian<quint32>(quint32(1024 * 1024), prefixed.data());
            content = qUncompress(prefixed + raw);
        }
        if (!content.contains(" cm"))
            continue;
        QList<std::pair<double, double>> stack{{1.0, 1.0}};
        QList<double> numbers;
        for (const QByteArray &token : content.simplified().split(' ')) {
            bool isNumber = false;
            const double value = token.toDouble(&isNumber);
            if (isNumber) {
                numbers.append(value);
                continue;
            }
            if (token == "q") {
                stack.append(stack.last());
            } else if (token == "Q" && stack.size() > 1) {
                stack.removeLast();
            } else if (token == "cm" && numbers.size() >= 6) {
                const qsizetype n = numbers.size();
                stack.last().first *= numbers[n - 6];
                stack.last().second *= numbers[n - 3];
            } else if (token == "Do") {
                sizes.append(QSizeF(std::abs(stack.last().first) * MmPerPoint, std::abs(stack.last().second) * MmPerPoint));
            }
            numbers.clear();
        }
    }
    return sizes;
}

// The number of pages of the document.
inline qsizetype PageCount(const QByteArray &pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return QString::fromLatin1(pdf).count(page);
}

} // namespace kestrix::testpdf
