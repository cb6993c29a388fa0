#include "ui/frmAdvisor/SessionRounds.h"

#include "cards/CardDeck.h"
#include "ui/Dialogs.h"

#include <QStringList>

namespace corvanta {
namespace {

QString CsvField(QString text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))) {
        return text;
    }
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QString CardNames(const FiveCards& hand, HoldMask shown) {
    QStringList names;
    for (int slot = 0; slot < HandSize; ++slot) {
        if ((shown >> slot) & 1u) {
            names << ToQString(CardName(hand[slot]));
        }
    }
    return names.join(QStringLiteral(", "));
}

} // namespace

QString ShortCards(const FiveCards& hand, HoldMask shown) {
    QStringList names;
    for (int slot = 0; slot < HandSize; ++slot) {
        if ((shown >> slot) & 1u) {
            names << ShortCardName(hand[slot]);
        }
    }
    return names.isEmpty() ? QStringLiteral("none") : names.join(QLatin1Char(' '));
}

QString MistakeText(Mistake mistake) {
    switch (mistake) {
    case Mistake::None:
        return QStringLiteral("Best hold");
    case Mistake::Small:
        return QStringLiteral("Small mistake");
    case Mistake::Large:
        break;
    }
    return QStringLiteral("Large mistake");
}

QString RoundsCsv(const TrainingSession& session) {
    QString csv =
        QStringLiteral("Round,Game,Dealt hand,Discards,Best hold,Bet,Return given up (x bet),"
                       "Dollars given up,Grade\r\n");
    const auto& rounds = session.Rounds();
    for (std::size_t n = rounds.size(); n-- > 0;) {
        const TrainedRound& round = rounds[n];
        const QStringList fields = {QString::number(n + 1),
                                    ToQString(round.game->title),
                                    CardNames(round.dealt, AllKept),
                                    CardNames(round.dealt, AllKept & ~KeptBy(round.discards)),
                                    ToQString(HoldText(round.dealt, round.bestHold)),
                                    QString::number(round.bet),
                                    QString::number(round.multipleGivenUp, 'f', 4),
                                    QString::number(round.DollarsGivenUp(), 'f', 2),
                                    MistakeText(round.mistake)};
        QStringList quoted;
        for (const QString& field : fields) {
            quoted << CsvField(field);
        }
        csv += quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return csv;
}

} // namespace corvanta
