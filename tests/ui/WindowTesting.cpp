#include "WindowTesting.h"

#include "settings/Settings.h"
#include "support/SavedFiles.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPainter>
#include <QTest>

#include <cstring>
#include <sys/stat.h>

namespace corvanta::test {

GameFiles::GameFiles() {
    EXPECT_EQ(::mkdir(program.c_str(), 0700) | ::mkdir(config.c_str(), 0700), 0);
}

std::string Record(const std::string& name, std::int32_t savings, std::int16_t played,
                   std::int16_t won, std::int16_t lost, std::int32_t amountWon,
                   std::int32_t amountLost, const std::string& password) {
    std::string bytes = (name + std::string(20, ' ')).substr(0, 20) +
                        (password + std::string(8, password.empty() ? '\0' : ' ')).substr(0, 8);
    const std::uint32_t values[] = {std::uint32_t(savings),   std::uint16_t(played),
                                    std::uint16_t(won),       std::uint16_t(lost),
                                    std::uint32_t(amountWon), std::uint32_t(amountLost)};
    for (int field = 0; field < 6; ++field) {
        for (int byte = 0; byte < (field == 0 || field > 3 ? 4 : 2); ++byte) {
            bytes += static_cast<char>((values[field] >> (8 * byte)) & 0xFF);
        }
    }
    return bytes;
}

QObject* Find(QWidget& window, const char* name) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // closed windows go
    const QString objectName = QString::fromLatin1(name);
    QObject* found = window.findChild<QObject*>(objectName);
    for (QWidget* other : QApplication::topLevelWidgets()) {
        found = found != nullptr                    ? found
                : other->objectName() == objectName ? other
                                                    : other->findChild<QObject*>(objectName);
    }
    return found;
}

QString Look(QWidget& window, const char* name, bool placed) {
    QObject* found = Find(window, name);
    auto* widget = qobject_cast<QWidget*>(found);
    auto* action = qobject_cast<QAction*>(found);
    if (widget == nullptr    ? action == nullptr
        : widget->isWindow() ? !widget->isVisible()
                             : widget->isHidden()) {
        return QString::fromLatin1(widget == nullptr ? "<none>" : "hidden");
    } else if (widget != nullptr && widget->isWindow()) {
        return widget->windowTitle();
    }
    QString look;
    for (const char* text : {"text", "plainText", "title"}) { // whichever it has
        look += found->property(text).toString();
    }
    auto* view = qobject_cast<QAbstractItemView*>(widget);
    const QAbstractItemModel* table = view != nullptr ? view->model() : nullptr;
    const int columns = table != nullptr ? table->columnCount() : 0;
    for (int cell = 0; table != nullptr && cell < table->rowCount() * columns; ++cell) {
        look += QString::fromLatin1(cell == 0             ? ""
                                    : cell % columns == 0 ? " / "
                                                          : "; ") +
                table->index(cell / columns, cell % columns).data().toString();
    }
    if (widget != nullptr && look.isEmpty()) { // a picture, a line
        look = widget->accessibleName() +
               (widget->accessibleDescription().isEmpty() ? QString() : QStringLiteral(", ")) +
               widget->accessibleDescription();
    }
    const bool enabled = widget != nullptr ? widget->isEnabled() : action->isEnabled();
    look += !enabled                                   ? QStringLiteral(" (off)")
            : action != nullptr && action->isChecked() ? QStringLiteral(" (checked)")
                                                       : QString();
    if (placed && action != nullptr) {
        look += QLatin1Char('@') + action->shortcut().toString();
    } else if (placed) { // in the client area of its window
        auto* main = qobject_cast<QMainWindow*>(widget->window());
        const QRect r(widget->mapTo(main ? main->centralWidget() : widget->window(), QPoint(0, 0)),
                      widget->size());
        look += QStringLiteral("@%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    return look;
}

void ExpectLooks(QWidget& window, const QString& looks) {
    for (const QString& item : looks.split(QStringLiteral(" | "), Qt::SkipEmptyParts)) {
        if (!item.contains(u'=')) { // else it would expect the empty look
            ADD_FAILURE() << "no look given for " << item.toStdString();
            continue;
        }
        const QString name = item.section(QLatin1Char('='), 0, 0).trimmed();
        EXPECT_EQ(Look(window, name.toLatin1().constData(), item.contains(u'@')),
                  item.section(QLatin1Char('='), 1))
            << name.toStdString();
    }
}

QWidget* TopLevel(const char* objectName) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QWidget* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QString::fromLatin1(objectName)) {
            EXPECT_EQ(found, nullptr) << "two windows " << objectName;
            found = widget;
        }
    }
    return found;
}

DialogAnswers::DialogAnswers(std::vector<Answer> answers) : answers(std::move(answers)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr || !dialog->isVisible() || dialog == busy_) {
            return;
        }
        const Answer answer = this->answers.empty() ? Answer(Cancel) : this->answers.front();
        this->answers.erase(this->answers.begin(),
                            this->answers.begin() + (this->answers.empty() ? 0 : 1));
        auto* box = qobject_cast<QMessageBox*>(dialog);
        auto* prompt = qobject_cast<QInputDialog*>(dialog);
        const QString text = box != nullptr ? box->text()
                             : prompt != nullptr
                                 ? prompt->labelText() + QStringLiteral(" | ") + prompt->textValue()
                                 : QString();
        said += (said.empty() ? "" : "\n") +
                (dialog->windowTitle() + QStringLiteral(": ") + text).toStdString();
        if (answer.work) { // from the dialog's own loop, where this can answer what it opens
            busy_ = dialog;
            QTimer::singleShot(0, dialog, [this, work = answer.work, dialog] {
                work(*dialog);
                busy_ = nullptr;
            });
        } else if (box != nullptr) {
            QAbstractButton* pressed = box->button(QMessageBox::Ok);
            for (QAbstractButton* button : box->buttons()) {
                pressed = button->text() == answer.text ? button : pressed;
            }
            pressed != nullptr ? pressed->click() : box->reject();
        } else if (prompt != nullptr && answer.text != QString::fromLatin1(Cancel)) {
            prompt->setTextValue(answer.text);
            prompt->accept();
        } else {
            dialog->close();
        }
    });
    timer_.start(5);
}

void GameTest::Prepare(const std::string& bank, std::int32_t cash) {
    WriteBytes(files.program + "/gbank.db", bank);
    ASSERT_TRUE(SaveSettings(files.config, {63, 1, cash}).ok);
}

void GameTest::Start() {
    game = std::make_unique<TestGame>(files.Folders());
    window = std::make_unique<MainWindow>(game->model, game->cards);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

void GameTest::Restart() {
    window->close();
    window.reset();
    Start();
}

void GameTest::Run(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        // A step that expects nothing would pass whatever happened.
        EXPECT_TRUE(!step.looks.empty() || !step.said.empty() || !step.bank.empty() ||
                    *step.settings != '\0' || std::strstr(step.script, "expect ") != nullptr)
            << "the step expects nothing";
        std::string said;
        {
            DialogAnswers answers;
            answering_ = &answers;
            if (step.act) {
                step.act(*this);
            }
            Do(step.script);
            answering_ = nullptr;
            said = answers.said;
        }
        EXPECT_EQ(said, step.said);
        ExpectLooks(*window, QString::fromStdString(step.looks));
        if (game) {
            game->model.WaitForSaves(); // the files are written in the background
        }
        EXPECT_TRUE(step.bank.empty() || files.Bank() == step.bank) << files.Bank();
        EXPECT_TRUE(*step.settings == '\0' ||
                    files.Settings().find(step.settings) != std::string::npos)
            << step.settings;
    }
}

void GameTest::Do(const char* script) {
    for (const QString& command :
         QString::fromUtf8(script).split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
        const std::string verb = command.section(u' ', 0, 0).toStdString();
        const std::string rest = command.section(u' ', 1).toStdString(); // as it is
        const std::string first = command.section(u' ', 1, 1).toStdString();
        const std::string second = command.section(u' ', 2).toStdString();
        const QStringList words = command.split(u' ', Qt::SkipEmptyParts).mid(1);
        if (verb == "click") {
            for (const QString& name : words) {
                QObject* found = Find(*window, name.toLatin1().constData());
                ASSERT_NE(found, nullptr) << name.toStdString();
                auto* action = qobject_cast<QAction*>(found);
                action != nullptr
                    ? action->trigger()
                    : QTest::mouseClick(qobject_cast<QWidget*>(found), Qt::LeftButton);
            }
        } else if (verb == "type" || verb == "bet") {
            Find(*window, verb == "bet" ? "txtBet" : first.c_str())
                ->setProperty("text", QString::fromStdString(verb == "bet" ? rest : second));
            verb == "bet" ? Do("click cmdAddBet") : void();
        } else if (verb == "keyclicks") {
            QTest::keyClicks(qobject_cast<QWidget*>(Find(*window, first.c_str())),
                             QString::fromStdString(second));
        } else if (verb == "keys" || verb == "press") {
            auto* target = verb == "keys" ? window.get()
                                          : qobject_cast<QWidget*>(Find(*window, first.c_str()));
            // A closed dialog does not hand the activation back on the offscreen platform.
            target->window()->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(target->window()));
            target->setFocus();
            QTest::keySequence(
                target, QKeySequence(QString::fromStdString(verb == "keys" ? rest : second)));
        } else if (verb == "hit") {
            QWidget* focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr);
            QTest::keySequence(focused, QKeySequence(QString::fromStdString(rest)));
        } else if (verb == "answer") {
            answering_->answers.emplace_back(rest.c_str());
        } else if (verb == "deal" || verb == "cards") {
            std::vector<int> cards;
            for (const QString& card : words) {
                cards.push_back(Card(QStringLiteral("23456789TJQKA").indexOf(card[0]) + 2,
                                     QStringLiteral("CDHS").indexOf(card[1]) + 1));
            }
            if (game->model.CurrentGame().deck == DeckRule::OneDeck) {
                // Picked among the cards not on the table: before the deal, none is.
                const FiveCards& hand = game->model.Hand();
                const bool dealt = game->model.Phase() == DealStateCode::CardsDealt;
                cards = OneDeckScript(
                    dealt ? std::vector<int>(hand.begin(), hand.end()) : std::vector<int>(), cards);
            }
            game->random.Add(cards);
            verb == "deal" ? Do("click cmdDeal") : void();
        } else if (verb == "expect") {
            ExpectLooks(*window, QString::fromStdString(rest));
        } else if (verb == "close") {
            qobject_cast<QWidget*>(Find(*window, first.c_str()))->close();
        } else if (verb == "restart") {
            Restart();
        } else {
            ADD_FAILURE() << "no such command: " << command.toStdString();
        }
    }
}

QImage GameTest::Shown(int slot) {
    QWidget* card = window->findChild<QWidget*>(QStringLiteral("Card%1").arg(slot + 1));
    return card->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage GameTest::Drawn(int card, int mode) {
    QImage image(71, 96, QImage::Format_RGB32);
    image.fill(QColor(0, 128, 0));
    QPainter painter(&image);
    game->cards.cdtDraw(painter, 0, 0, card, mode, Qt::white);
    return image;
}

} // namespace corvanta::test
