#include "engine/Trainer.h"

#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

namespace corvanta {
namespace {

using test::HandOf;

const FiveCards FourToARoyal = HandOf({{10, 1}, {11, 1}, {12, 1}, {13, 1}, {3, 2}});

DiscardMarks Discarding(std::initializer_list<int> slots) {
    DiscardMarks marks{};
    for (int slot : slots) {
        marks[slot] = true;
    }
    return marks;
}

// Under 0.05 x bet given up is a small mistake, from 0.05 a large one; a hold as good as the
// best is none.
TEST(AdviseDraw, TellsSmallFromLargeMistakes) {
    const struct Row {
        const char* what;
        FiveCards hand;
        DiscardMarks marks;
        Mistake mistake;
        double givenUp;
    } rows[] = {
        {"the best hold", FourToARoyal, Discarding({4}), Mistake::None, 0},
        {"standing pat on four to a royal", FourToARoyal, {}, Mistake::Large, 280.0 / 52},
        {"A-3 suited kept from A-3-J-5-6",
         HandOf({{14, 4}, {3, 4}, {11, 1}, {5, 1}, {6, 3}}), Discarding({2, 3, 4}),
         Mistake::Small, 0.048256},
        {"J-9-10-Q kept from J-9-10-Q-A", HandOf({{11, 1}, {9, 4}, {10, 1}, {12, 2}, {14, 1}}),
         Discarding({4}), Mistake::Large, 0.051405},
    };
    for (const Row& row : rows) {
        const DrawAdvice advice = AdviseDraw(row.hand, row.marks);
        EXPECT_EQ(advice.mistake, row.mistake) << row.what;
        EXPECT_NEAR(advice.review.MultipleGivenUp(), row.givenUp, 1e-6) << row.what;
    }
    // The best hold named is the one drawing one card to the royal.
    EXPECT_EQ(AdviseDraw(FourToARoyal, {}).bestHold, 0b01111u);
}

TEST(TrainingSession, GradesEveryRoundAndKeepsTheBankroll) {
    TrainingSession session;
    EXPECT_EQ(session.Accuracy(), 0.0);
    session.Start(200);
    session.Record(FourToARoyal, Discarding({4}), 5, 195);
    session.Record(FourToARoyal, {}, 10, 185);
    session.Record(HandOf({{14, 4}, {3, 4}, {11, 1}, {5, 1}, {6, 3}}), Discarding({2, 3, 4}), 20,
                   205);
    EXPECT_EQ(session.RoundsAdvised(), 3);
    EXPECT_EQ(session.RoundsMatchingBest(), 1);
    EXPECT_EQ(session.SmallMistakes(), 1);
    EXPECT_EQ(session.LargeMistakes(), 1);
    EXPECT_NEAR(session.Accuracy(), 1.0 / 3, 1e-12);
    EXPECT_NEAR(session.DollarsGivenUp(), 10 * 280.0 / 52 + 20 * 0.048256, 1e-4);
    EXPECT_EQ(session.StartingBankroll(), 200);
    ASSERT_EQ(session.Rounds().size(), 3u);
    EXPECT_EQ(session.Rounds()[1].bankrollAfter, 185);
    EXPECT_EQ(session.Rounds()[2].bet, 20);
}

} // namespace
} // namespace corvanta
