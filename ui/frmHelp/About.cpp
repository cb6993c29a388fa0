#include "ui/frmHelp/About.h"

#include <QMessageBox>
#include <QString>
#include <QtGlobal>

namespace corvanta {
namespace {

// The project's version, from the build (CMakeLists.txt's project()).
constexpr const char* Version = CORVANTA_VERSION;
constexpr const char* Copyright = "Copyright (c) 2026 Corvanta contributors";
constexpr const char* Licence = "MIT License: free to use, copy, change and share, without "
                                "warranty.";

} // namespace

std::string VersionText() {
    return std::string("Corvanta ") + Version + "\nQt " + qVersion() + "\n" + Copyright + "\n" +
           Licence;
}

void ShowAbout(QWidget* parent) {
    const QString text =
        QStringLiteral("<h3>Corvanta %1</h3>"
                       "<p>Five-card draw poker for one player, with play money, bank accounts, "
                       "a hold advisor and a trainer, and the casino games Jacks or Better, "
                       "Bonus Poker and Deuces Wild.</p>"
                       "<p>%2<br>%3</p>"
                       "<p>Runs on Qt %4.</p>")
            .arg(QString::fromLatin1(Version), QString::fromLatin1(Copyright).toHtmlEscaped(),
                 QString::fromLatin1(Licence).toHtmlEscaped(), QString::fromLatin1(qVersion()));
    QMessageBox::about(parent, QStringLiteral("About Corvanta"), text);
}

} // namespace corvanta
