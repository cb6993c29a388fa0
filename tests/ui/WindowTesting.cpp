#include "WindowTesting.h"

#include "settings/Settings.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QTableWidget>
#include <QTest>

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
    const auto put = [&](std::uint32_t value, int size) {
        for (int byte = 0; byte < size; ++byte) {
            bytes += static_cast<char>((value >> (8 * byte)) & 0xFF);
        }
    };
    put(savings, 4), put(static_cast<std::uint16_t>(played), 2);
    put(static_cast<std::uint16_t>(won), 2), put(static_cast<std::uint16_t>(lost), 2);
    put(amountWon, 4), put(amountLost, 4);
    return bytes;
}

QObject* Find(QWidget& window, const char* name) {
    QObject* found = window.findChild<QObject*>(QString::fromLatin1(name));
    for (QWidget* other : QApplication::topLevelWidgets()) {
        found = found != nullptr ? found : other->findChild<QObject*>(QString::fromLatin1(name));
    }
    return found;
}

QString Look(QWidget& window, const char* name) {
    QObject* found = Find(window, name);
    auto* widget = qobject_cast<QWidget*>(found);
    if (auto* action = qobject_cast<QAction*>(found)) {
        return QString::fromLatin1(!action->isEnabled()  ? "off"
                                   : action->isChecked() ? "checked"
                                                         : "on");
    } else if (widget == nullptr || widget->isHidden()) {
        return QString::fromLatin1(widget == nullptr ? "<none>" : "hidden");
    } else if (qobject_cast<QAbstractButton*>(widget) != nullptr) {
        return QString::fromLatin1(widget->isEnabled() ? "on" : "off");
    } else if (auto* table = qobject_cast<QTableWidget*>(widget)) {
        QStringList rows;
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column) {
                cells << table->item(row, column)->text();
            }
            rows << cells.join(QStringLiteral("; "));
        }
        return rows.join(QStringLiteral(" / "));
    }
    for (const char* text : {"text", "plainText"}) { // labels, boxes, the console's text
        if (widget->property(text).isValid()) {
            return widget->property(text).toString();
        }
    }
    const QString described =
        widget->accessibleName() +
        (widget->accessibleDescription().isEmpty() ? QString() : QStringLiteral(", ")) +
        widget->accessibleDescription();
    return widget->isEnabled() ? described : described + QStringLiteral(" (off)");
}

void ExpectLooks(QWidget& window, const QString& looks) {
    for (const QString& item : looks.split(QStringLiteral(" | "), Qt::SkipEmptyParts)) {
        const QString name = item.section(QLatin1Char('='), 0, 0);
        EXPECT_EQ(Look(window, name.toLatin1().constData()), item.mid(name.size() + 1))
            << name.toStdString();
    }
}

void ExpectCaptions(QWidget& origin, const char* expected) {
    for (const QString& item : QString::fromUtf8(expected).split(QStringLiteral(" | "))) {
        const QString name = item.section(QLatin1Char('='), 0, 0);
        QObject* found = Find(*origin.window(), name.toLatin1().constData());
        ASSERT_NE(found, nullptr) << name.toStdString();
        const bool text = found->property("text").isValid();
        EXPECT_EQ(found->property(text ? "text" : "title").toString(),
                  item.mid(name.size() + 1).section(QLatin1Char('@'), 0, 0))
            << name.toStdString();
        QString place;
        if (auto* widget = qobject_cast<QWidget*>(found)) {
            const QRect r(widget->mapTo(&origin, QPoint(0, 0)), widget->size());
            place =
                QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        } else {
            place = qobject_cast<QAction*>(found)->shortcut().toString();
        }
        const QString expectedPlace = item.section(QLatin1Char('@'), 1);
        EXPECT_EQ(expectedPlace.isEmpty() ? expectedPlace : place, expectedPlace)
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
        if (dialog == nullptr || !dialog->isVisible()) {
            return;
        }
        const Answer answer = this->answers.empty() ? Answer(Cancel) : this->answers.front();
        if (!this->answers.empty()) {
            this->answers.erase(this->answers.begin());
        }
        auto* box = qobject_cast<QMessageBox*>(dialog);
        auto* prompt = qobject_cast<QInputDialog*>(dialog);
        const QString text = box != nullptr ? box->text()
                             : prompt != nullptr
                                 ? prompt->labelText() + QStringLiteral(" | ") + prompt->textValue()
                                 : QString();
        said += (said.empty() ? "" : "\n") +
                (dialog->windowTitle() + QStringLiteral(": ") + text).toStdString();
        if (answer.work) {
            answer.work(*dialog);
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
    ASSERT_TRUE(SaveSettings(files.config, {63, 1, cash}).Ok);
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
        std::string said;
        {
            DialogAnswers answers;
            answering_ = &answers;
            step.act(*this);
            answering_ = nullptr;
            said = answers.said;
        }
        EXPECT_EQ(said, step.said);
        ExpectLooks(*window, QString::fromStdString(step.looks));
        EXPECT_TRUE(step.bank.empty() || files.Bank() == step.bank) << files.Bank();
        EXPECT_NE(files.Settings().find(step.settings), std::string::npos) << step.settings;
    }
}

void GameTest::Click(const char* name) {
    QObject* found = Find(*window, name);
    ASSERT_NE(found, nullptr) << name;
    auto* action = qobject_cast<QAction*>(found);
    action != nullptr ? action->trigger()
                      : QTest::mouseClick(qobject_cast<QWidget*>(found), Qt::LeftButton);
}

void GameTest::Type(const char* box, const char* text) {
    Find(*window, box)->setProperty("text", QString::fromUtf8(text));
}

void GameTest::Keys(const char* keys, const char* control) {
    QWidget* target =
        control != nullptr ? qobject_cast<QWidget*>(Find(*window, control)) : window.get();
    // A closed dialog does not hand the activation back on the offscreen platform.
    target->window()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(target->window()));
    target->setFocus();
    QTest::keySequence(target, QKeySequence(QString::fromLatin1(keys)));
}

void GameTest::Deal(const FiveCards& cards) {
    for (std::int16_t card : cards) {
        game->random.Add({card});
    }
    Click("cmdDeal");
}

void GameTest::BetAndDeal(const FiveCards& cards, const char* bet) {
    Type("txtBet", bet);
    Click("cmdAddBet");
    Deal(cards);
}

void GameTest::Draw(std::initializer_list<int> cards) {
    game->random.Add(cards);
    Click("cmdDeal");
}

QImage GameTest::Shown(int slot) {
    const QByteArray name = "Card" + QByteArray::number(slot + 1);
    return qobject_cast<QWidget*>(Find(*window, name.constData()))
        ->grab()
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QImage GameTest::Drawn(int card, int mode) {
    QImage image(71, 96, QImage::Format_RGB32);
    image.fill(QColor(0, 128, 0));
    QPainter painter(&image);
    game->cards.cdtDraw(painter, 0, 0, card, mode, Qt::white);
    return image;
}

} // namespace corvanta::test
