// The window icon: the icon theme's when it has the game's, otherwise painted on demand.
#include "ui/frmPoker/AppIcon.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace corvanta {
namespace {

QImage Pixels(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Sets the application's desktop file name, which names the icon, for one test.
class DesktopFileName {
public:
    explicit DesktopFileName(const QString& name) : previous_(QGuiApplication::desktopFileName()) {
        QGuiApplication::setDesktopFileName(name);
    }
    ~DesktopFileName() { QGuiApplication::setDesktopFileName(previous_); }
    DesktopFileName(const DesktopFileName&) = delete;
    DesktopFileName& operator=(const DesktopFileName&) = delete;

private:
    QString previous_;
};

// The only icon theme folder, for one test: a temporary one whose hicolor theme holds one
// icon, at 48 px, as an installation puts it there.
class IconThemeFolder {
public:
    IconThemeFolder(const QString& iconName, const QImage& picture)
        : searchPaths_(QIcon::themeSearchPaths()), themeName_(QIcon::themeName()) {
        const QString theme = folder_.path() + u"/hicolor"_s;
        QDir().mkpath(theme + u"/48x48/apps"_s);
        QFile index(theme + u"/index.theme"_s);
        index.open(QIODevice::WriteOnly);
        index.write("[Icon Theme]\nName=Hicolor\nDirectories=48x48/apps\n\n"
                    "[48x48/apps]\nSize=48\nType=Fixed\n");
        index.close();
        picture.save(theme + u"/48x48/apps/"_s + iconName + u".png"_s);
        QIcon::setThemeSearchPaths({folder_.path()});
        // The offscreen platform names no theme, and Qt searches none, not even hicolor.
        QIcon::setThemeName(u"hicolor"_s);
    }
    ~IconThemeFolder() {
        QIcon::setThemeSearchPaths(searchPaths_);
        QIcon::setThemeName(themeName_);
    }
    IconThemeFolder(const IconThemeFolder&) = delete;
    IconThemeFolder& operator=(const IconThemeFolder&) = delete;

private:
    QTemporaryDir folder_;
    QStringList searchPaths_;
    QString themeName_;
};

TEST(AppIcon, PaintsEachSizeTheFirstTimeItIsAskedForAsTheInstalledPicturesAre) {
    const DesktopFileName name(QString{});
    const QIcon icon = AppIcon();
    EXPECT_TRUE(icon.availableSizes().isEmpty()) << "painted before anyone asked";
    EXPECT_EQ(Pixels(icon.pixmap(32)), AppIconImage(32));
    EXPECT_TRUE(icon.pixmap(QSize(-5, 40)).isNull());
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(32, 32)});
}

TEST(AppIcon, IsTheIconThemesOnceInstalledAndPaintedOtherwise) {
    QImage installed(48, 48, QImage::Format_ARGB32_Premultiplied);
    installed.fill(QColor(200, 30, 30));
    const IconThemeFolder themes(u"org.corvanta.InTheTheme"_s, installed);
    struct Row {
        QString desktopFileName;
        bool fromTheme;
    };
    for (const Row& row : {Row{u"org.corvanta.InTheTheme"_s, true},
                           Row{u"org.corvanta.NotInTheTheme"_s, false}, Row{QString{}, false}}) {
        SCOPED_TRACE(row.desktopFileName.toStdString());
        const DesktopFileName name(row.desktopFileName);
        EXPECT_EQ(Pixels(AppIcon().pixmap(48)), row.fromTheme ? installed : AppIconImage(48));
    }
}

} // namespace
} // namespace corvanta
