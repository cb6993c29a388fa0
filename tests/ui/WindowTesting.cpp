#include "WindowTesting.h"

#include "bank/BankFile.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QTest>
#include <QTimer>

namespace corvanta::test {
namespace {

void WaitForDialog(std::function<void(QWidget*)> answer, std::shared_ptr<QElapsedTimer> clock) {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog != nullptr && dialog->isVisible()) {
        answer(dialog);
        return;
    }
    if (clock->elapsed() > 5000) {
        ADD_FAILURE() << "no dialog opened";
        return;
    }
    QTimer::singleShot(10, [answer = std::move(answer), clock] { WaitForDialog(answer, clock); });
}

QPushButton* ButtonWithText(QWidget* dialog, const QString& text) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

} // namespace

void AnswerNextDialog(std::function<void(QWidget*)> answer) {
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QTimer::singleShot(0, [answer = std::move(answer), clock] { WaitForDialog(answer, clock); });
}

DialogStep PressInMessageBox(const QString& buttonText, std::shared_ptr<SeenMessage> seen) {
    return [seen, buttonText](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (box == nullptr) {
            ADD_FAILURE() << "expected a message box, got " << dialog->metaObject()->className();
            dialog->close();
            return;
        }
        if (seen) {
            *seen = {box->windowTitle(), box->text(), {}, true};
        }
        QPushButton* button = ButtonWithText(box, buttonText);
        EXPECT_NE(button, nullptr) << buttonText.toStdString();
        if (button != nullptr) {
            button->click();
        } else {
            box->close();
        }
    };
}

DialogStep TypeInPrompt(const QString& text, std::shared_ptr<SeenMessage> seen, bool cancel) {
    return [seen, text, cancel](QWidget* dialog) {
        auto* prompt = qobject_cast<QInputDialog*>(dialog);
        if (prompt == nullptr) {
            ADD_FAILURE() << "expected an input prompt, got " << dialog->metaObject()->className();
            dialog->close();
            return;
        }
        if (seen) {
            *seen = {prompt->windowTitle(), prompt->labelText(), prompt->textValue(), true};
        }
        if (cancel) {
            prompt->reject();
        } else {
            prompt->setTextValue(text);
            prompt->accept();
        }
    };
}

void AnswerDialogs(std::vector<DialogStep> steps) {
    if (steps.empty()) {
        return;
    }
    AnswerNextDialog([steps = std::move(steps)](QWidget* dialog) mutable {
        DialogStep first = std::move(steps.front());
        steps.erase(steps.begin());
        first(dialog); // closes the dialog, so the next step waits for the next one
        AnswerDialogs(std::move(steps));
    });
}

std::shared_ptr<SeenMessage> AnswerMessageBox(const QString& buttonText) {
    auto seen = std::make_shared<SeenMessage>();
    AnswerDialogs({PressInMessageBox(buttonText, seen)});
    return seen;
}

std::shared_ptr<SeenMessage> AnswerPrompt(const QString& text, bool cancel) {
    auto seen = std::make_shared<SeenMessage>();
    AnswerDialogs({TypeInPrompt(text, seen, cancel)});
    return seen;
}

QString Caption(QWidget& window, const char* labelName) {
    auto* label = Find<QLabel>(window, labelName);
    return label != nullptr ? label->text()
                            : QStringLiteral("<no %1>").arg(QString::fromLatin1(labelName));
}

QWidget* TopLevelWindow(const char* objectName) {
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

} // namespace corvanta::test

namespace corvanta::test {

void PressKeys(QWidget& window, const QKeySequence& keys) {
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keySequence(&window, keys);
}

} // namespace corvanta::test

namespace corvanta::test {

void GameTest::Prepare(std::initializer_list<std::pair<const char*, std::int32_t>> accounts,
                       std::int32_t cash) {
    Bank bank;
    for (auto [name, savings] : accounts) {
        AccountRecord& record = bank.AccountTable[++bank.AccountCount];
        AssignText(record.Name, name);
        record.Savings = savings;
    }
    ASSERT_TRUE(SaveBank(bank, folders.ProgramFolder()).Ok);
    ASSERT_TRUE(SaveSettings(folders.ConfigFolder(), {63, 1, cash}).Ok);
}

void GameTest::Start() {
    session = std::make_unique<TestGame>(folders);
    window = std::make_unique<MainWindow>(session->model, session->cards);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

void GameTest::Restart() {
    window->close();
    window.reset();
    Start();
}

QPushButton* GameTest::Button(const char* name) {
    return Find<QPushButton>(*window, name);
}

void GameTest::Click(const char* name) {
    QTest::mouseClick(Button(name), Qt::LeftButton);
}

QString GameTest::Text(const char* labelName) {
    return Caption(*window, labelName);
}

CardPicture* GameTest::CardAt(int slot) {
    return Find<CardPicture>(*window, ("Card" + std::to_string(slot + 1)).c_str());
}

bool GameTest::DiscardShown(int slot) {
    return Find<QLabel>(*window, ("lblDiscard" + std::to_string(slot + 1)).c_str())->isVisible();
}

QImage GameTest::Shown(int slot) {
    return CardAt(slot)->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage GameTest::Drawn(int card, int mode) {
    QImage image(71, 96, QImage::Format_RGB32);
    image.fill(QColor(0, 128, 0));
    QPainter painter(&image);
    session->cards.cdtDraw(painter, 0, 0, card, mode, Qt::white);
    return image;
}

} // namespace corvanta::test
