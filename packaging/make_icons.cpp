// Writes the program's icon as PNG files for the hicolor theme, from the same
// drawing the window uses: make_icons OUTDIR writes OUTDIR/SIZExSIZE/apps/ID.png.
#include "runtime/qt/AppIcon.h"

#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icons OUTDIR ICON-ID\n");
        return 2;
    }
    for (int size : rt::kAppIconSizes) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(dir) || !rt::appIconImage(size).save(dir + "/" + argv[2] + ".png")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
