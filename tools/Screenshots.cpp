// corvanta-screenshots FOLDER: plays a scripted session in the real windows and saves what
// the X server shows of each step as FOLDER/NN-name.png. Run it under Xvfb
// (tools/screenshots.sh does), with the same fonts, to compare two builds pixel by pixel.
#include "cards/basCards.h"
#include "engine/basPoker.h"
#include "game/DebugAccess.h"
#include "ui/Dialogs.h"
#include "ui/GameModel.h"
#include "ui/Widgets.h"
#include "ui/frmDebug/DebugConsole.h"
#include "ui/frmPoker/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>
#include <utility>

namespace {

using namespace corvanta;

QString outputFolder;
int shotNumber = 0;
// --maximized: the table fills the screen; with it or --whole-screen, the shots of modal
// dialogs show the screen around them.
bool maximized = false;
bool wholeScreen = false;

// A desktop's dark colours (CORVANTA_SHOTS_DARK=1), for shots of the windows that follow them.
QPalette DarkPalette() {
    QPalette dark;
    const QColor window(53, 53, 53);
    const QColor base(35, 35, 35);
    const QColor text(230, 230, 230);
    for (const auto& [role, colour] : {std::pair{QPalette::Window, window},
                                       {QPalette::WindowText, text},
                                       {QPalette::Base, base},
                                       {QPalette::AlternateBase, window},
                                       {QPalette::Text, text},
                                       {QPalette::Button, window},
                                       {QPalette::ButtonText, text},
                                       {QPalette::ToolTipBase, base},
                                       {QPalette::ToolTipText, text},
                                       {QPalette::Highlight, QColor(42, 130, 218)},
                                       {QPalette::HighlightedText, QColor(Qt::black)}}) {
        dark.setColor(role, colour);
    }
    const QColor disabled(128, 128, 128);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(QPalette::Disabled, role, disabled);
    }
    return dark;
}

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QTest::qWait(60);
    }
}

void Shoot(QWidget* window, const char* name) {
    Settle();
    // A dialog over the maximized table is shot with the screen around it.
    const bool screen = wholeScreen && window->isModal();
    const QPixmap shot = window->screen()->grabWindow(screen ? 0 : window->winId());
    shot.save(QStringLiteral("%1/%2-%3.png")
                  .arg(outputFolder)
                  .arg(++shotNumber, 2, 10, QLatin1Char('0'))
                  .arg(QString::fromLatin1(name)));
}

template <typename T = QWidget> T* Find(QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
}

// A window of the game by its name, wherever it was created.
QWidget* TopLevel(const char* name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(name) && widget->isVisible()) {
            return widget;
        }
    }
    qFatal("no window %s", name);
}

void Click(QWidget* window, const char* name) {
    QTest::mouseClick(Find<QWidget>(window, name), Qt::LeftButton);
}

// Runs `step` on the next modal dialog, from inside the dialog's own event loop.
void OnNextDialog(std::function<void(QWidget*)> step) {
    QTimer::singleShot(300, [step = std::move(step)] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            step(dialog);
        }
    });
}

void ShootAndClose(const char* name) {
    OnNextDialog([name](QWidget* dialog) {
        Shoot(dialog, name);
        dialog->close();
    });
}

void ShootModeless(QWidget* window, const char* name) {
    window->show();
    Shoot(window, name);
}

// A bet refused, then a round up to two cards marked.
void PlayToTheMarks(QWidget* window) {
    Shoot(window, "startup");
    ShootAndClose("shortfall");
    Find<QLineEdit>(window, "txtBet")->setText(QStringLiteral("500"));
    Click(window, "cmdAddBet");
    Find<QLineEdit>(window, "txtBet")->setText(QStringLiteral("5"));
    Click(window, "cmdAddBet");
    Click(window, "cmdDeal");
    Click(window, "Card2");
    Click(window, "Card4");
    Shoot(window, "dealt-two-marked");
}

// Every other window, while the marks wait for the draw.
void VisitTheWindows(QWidget* window) {
    ShootAndClose("options");
    Click(window, "cmdOptions");
    ShootAndClose("account-editor");
    Click(window, "cmdEditAccount");

    Click(window, "cmdGameHelp");
    QWidget* help = TopLevel("frmHelp");
    auto* tabs = Find<QTabWidget>(help, "tabHelp");
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        ShootModeless(help, tab == 0 ? "help-how-to-play" : tab == 1 ? "help-bank" : "help-misc");
    }
    help->close();

    OnNextDialog([](QWidget* dialog) {
        Shoot(dialog, "debug-code-prompt");
        auto* prompt = qobject_cast<QInputDialog*>(dialog);
        prompt->setTextValue(ToQString(DebugAccessCode));
        prompt->accept();
    });
    QTest::mouseClick(Find<QWidget>(window, "imgShowDebug"), Qt::LeftButton);
    QWidget* console = TopLevel("frmDebug");
    ShootModeless(console, "debug-console");
    console->close();

    window->findChild<QAction*>(QStringLiteral("mnuAdvisor"))->trigger();
    QWidget* advisor = TopLevel("frmAdvisor");
    QTest::qWait(500); // the game's figures fill in
    ShootModeless(advisor, "advisor");
    advisor->close();
}

// The draw, and the two-line question of Change Account.
void DrawAndAskForAnAccount(QWidget* window) {
    window->activateWindow();
    Click(window, "cmdDeal");
    Shoot(window, "final-hand");
    OnNextDialog([](QWidget* dialog) {
        Shoot(dialog, "change-account-prompt");
        auto* prompt = qobject_cast<QInputDialog*>(dialog);
        prompt->setTextValue(QStringLiteral("Nobody"));
        ShootAndClose("no-such-account");
        prompt->accept();
    });
    Click(window, "cmdChangeAccount");
}

// With the trainer on: rounds with poor marks, the warning before the first draw, and the
// advisor window with the graded session, its chart and the game's return table.
void TrainWithTheAdvisor(QWidget* window) {
    window->findChild<QAction*>(QStringLiteral("mnuTrainer"))->trigger();
    for (int round = 0; round < 8; ++round) {
        Click(window, "cmdAddBet");
        Click(window, "cmdDeal");
        Click(window, "Card1");
        Click(window, "Card2");
        OnNextDialog([round](QWidget* dialog) {
            if (round == 0) {
                Shoot(dialog, "trainer-warning");
            }
            for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
                if (button->text().contains(QStringLiteral("Yes"))) {
                    button->click();
                }
            }
        });
        Click(window, "cmdDeal");
        QTest::qWait(350); // a draw the trainer let pass leaves no box open
    }
    window->findChild<QAction*>(QStringLiteral("mnuAdvisor"))->trigger();
    QWidget* advisor = TopLevel("frmAdvisor");
    QTest::qWait(500); // the game's return table fills in
    ShootModeless(advisor, "advisor-trainer");
    advisor->close();
}

// A round of each casino game, chosen in the Game menu, its payoff table beside the final hand.
void PlayTheCasinoGames(QWidget* window) {
    window->findChild<QAction*>(QStringLiteral("mnuTrainer"))->trigger(); // off: no questions
    for (const char* entry : {"mnuJacksOrBetter", "mnuBonusPoker", "mnuDeucesWild"}) {
        window->findChild<QAction*>(QString::fromLatin1(entry))->trigger();
        Click(window, "cmdAddBet");
        Click(window, "cmdDeal");
        Click(window, "cmdDeal");
        Shoot(window, entry + 3); // "JacksOrBetter"
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString option = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    maximized = option == QLatin1String("--maximized");
    wholeScreen = maximized || option == QLatin1String("--whole-screen");
    if (argc != 2 && !wholeScreen) {
        qWarning("usage: corvanta-screenshots FOLDER [--maximized | --whole-screen]");
        return 2;
    }
    outputFolder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outputFolder);
    QApplication::setCursorFlashTime(0); // a steady text cursor, the same in every shot
    if (qEnvironmentVariableIntValue("CORVANTA_SHOTS_DARK") == 1) {
        QApplication::setPalette(DarkPalette());
    }
    InstallGameFonts();

    // Fixed folders, since the debug console shows the bank's path.
    const QString scratch = QDir::tempPath() + QStringLiteral("/corvanta-screenshots");
    QDir(scratch).removeRecursively();
    const QString program = scratch + QStringLiteral("/program");
    const QString config = scratch + QStringLiteral("/config");
    QDir().mkpath(program);
    QDir().mkpath(config);
    CardDrawing cards;
    // A clock that moves on by a fixed step at every deal: the same cards in every run.
    TimeSeededRandom random(
        [tick = 0]() mutable { return std::chrono::microseconds(43'210'000'123 + 7919 * tick++); });
    GameModel model({.bank = program.toStdString(), .config = config.toStdString()}, random);
    MainWindow window(model, cards);
    window.show();
    if (maximized) {
        // Xvfb has no window manager to maximize it: the window takes the screen itself.
        window.setGeometry(window.screen()->availableGeometry());
    }
    if (!QTest::qWaitForWindowExposed(&window)) {
        return 1;
    }
    PlayToTheMarks(&window);
    VisitTheWindows(&window);
    DrawAndAskForAnAccount(&window);
    TrainWithTheAdvisor(&window);
    PlayTheCasinoGames(&window);
    window.close();
    return 0;
}
