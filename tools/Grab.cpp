// Writes a picture of what a window shows on the X screen: the screen is
// grabbed once it has settled, and cut to the part that is not the white
// background. Used by screenshot.sh on a virtual screen with a white root.

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <cstdio>

namespace {

QRect contentRect(const QImage &image)
{
    QRect rect;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] & 0xFFFFFF) != 0xFFFFFF)
                rect |= QRect(x, y, 1, 1);
        }
    }
    return rect;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: kestrix_grab <picture.png>\n", stderr);
        return 2;
    }
    QImage previous;
    // Up to 20 seconds for the window to appear and stop changing.
    for (int attempt = 0; attempt < 40; ++attempt) {
        QThread::msleep(500);
        const QImage shot =
            QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
        const QRect content = contentRect(shot);
        if (!content.isEmpty() && shot == previous) {
            if (!shot.copy(content).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
                std::fprintf(stderr, "kestrix_grab: cannot write %s\n", argv[1]);
                return 1;
            }
            return 0;
        }
        previous = shot;
    }
    std::fputs("kestrix_grab: no window appeared\n", stderr);
    return 1;
}
