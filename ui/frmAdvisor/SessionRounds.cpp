#include "ui/frmAdvisor/SessionRounds.h"

#include "cards/CardDeck.h"

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
            names << CardName(hand[slot]);
        }
    }
    return names.join(QStringLiteral(", "));
}

} // namespace

QString HoldText(const FiveCards& hand, HoldMask kept) {
    if (kept == 0) {
        return QStringLiteral("Keep nothing (draw five)");
    }
    if (kept == AllKept) {
        return QStringLiteral("Keep all five (stand pat)");
    }
    return QStringLiteral("Keep ") + CardNames(hand, kept);
}

QString ShortCards(const FiveCards& hand, HoldMask shown) {
    QStringList names;
    for (int slot = 0; slot < HandSize; ++slot) {
        if ((shown >> slot) & 1u) {
            names << ShortCardName(hand[slot]);
        }
    }
    return names.isEmpty() ? QStringLiteral("none") : names.join(QLatin1Char(' '));
}

QString MultipleText(double multiple) {
    return QString::number(multiple, 'f', 4) + QStringLiteral(" × bet");
}

QString TrainerWarning(const FiveCards& hand, const DrawAdvice& advice) {
    const QString size = advice.mistake == Mistake::Large ? QStringLiteral("a large mistake")
                                                          : QStringLiteral("a small mistake");
    return QStringLiteral("Your discards return %1: %2, %3 less than the best.\r%4: returns "
                          "%5.\rDraw anyway?")
        .arg(MultipleText(advice.review.played.Multiple()), size,
             MultipleText(advice.review.MultipleGivenUp()), HoldText(hand, advice.bestHold),
             MultipleText(advice.review.best.Multiple()));
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
    QString csv = QStringLiteral("Round,Dealt hand,Discards,Best hold,Bet,Return given up (x bet),"
                                 "Dollars given up,Grade\r\n");
    const auto& rounds = session.Rounds();
    for (std::size_t n = rounds.size(); n-- > 0;) {
        const TrainedRound& round = rounds[n];
        const QStringList fields = {QString::number(n + 1),
                                    CardNames(round.dealt, AllKept),
                                    CardNames(round.dealt, AllKept & ~KeptBy(round.discards)),
                                    HoldText(round.dealt, round.bestHold),
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
