// Writes the game's icon for the desktop's hicolor theme: FOLDER/NxN/apps/NAME.png for every
// size the theme installs. Runs on the offscreen platform.
//
//   corvanta-icons FOLDER NAME
#include "ui/frmPoker/AppIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    QTextStream err(stderr);
    if (args.size() != 3) {
        err << "usage: corvanta-icons FOLDER NAME\n";
        return 2;
    }
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args.at(1)).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(folder, args.at(2));
        if (!QDir().mkpath(folder) || !corvanta::AppIconImage(size).save(file, "PNG")) {
            err << "cannot write " << file << '\n';
            return 1;
        }
    }
    return 0;
}
