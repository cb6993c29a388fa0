// The window icon: the icon theme's when it has the game's, otherwise painted on demand.
#include "ui/frmPoker/AppIcon.h"

#include "support/TempFolder.h"

#include <QDir>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace corvanta {
namespace {

QImage Pixels(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(AppIcon, IsTheIconThemesOnceInstalledAndElsePaintedWhenASizeIsFirstAskedFor) {
    // The only icon theme: hicolor in a folder of the test's, holding one icon at 48 px, as an
    // installation puts it there. The offscreen platform names no theme of its own.
    const test::TempFolder themes;
    const QString folder = QString::fromStdString(themes / "hicolor/48x48/apps");
    ASSERT_TRUE(QDir().mkpath(folder));
    test::WriteBytes(themes / "hicolor/index.theme",
                     "[Icon Theme]\nName=Hicolor\nDirectories=48x48/apps\n\n"
                     "[48x48/apps]\nSize=48\nType=Fixed\n");
    QImage installed(48, 48, QImage::Format_ARGB32_Premultiplied);
    installed.fill(QColor(200, 30, 30));
    ASSERT_TRUE(installed.save(folder + QStringLiteral("/org.corvanta.InTheTheme.png")));
    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QString themeName = QIcon::themeName();
    const QString desktopFileName = QGuiApplication::desktopFileName();
    QIcon::setThemeSearchPaths({QString::fromStdString(themes.Path())});
    QIcon::setThemeName(QStringLiteral("hicolor"));

    for (const auto& [name, fromTheme] : {std::pair{"org.corvanta.InTheTheme", true},
                                          {"org.corvanta.NotInTheTheme", false},
                                          {"", false}}) {
        SCOPED_TRACE(name);
        QGuiApplication::setDesktopFileName(QString::fromLatin1(name));
        const QIcon icon = AppIcon();
        if (!fromTheme) {
            EXPECT_TRUE(icon.availableSizes().isEmpty()) << "painted before anyone asked";
            EXPECT_EQ(Pixels(icon.pixmap(32)), AppIconImage(32));
            EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(32, 32)});
            EXPECT_TRUE(icon.pixmap(QSize(-5, 40)).isNull());
        }
        EXPECT_EQ(Pixels(icon.pixmap(48)), fromTheme ? installed : AppIconImage(48));
    }
    QIcon::setThemeSearchPaths(searchPaths);
    QIcon::setThemeName(themeName);
    QGuiApplication::setDesktopFileName(desktopFileName);
}

} // namespace
} // namespace corvanta
