// A long session: switching views and opening and closing reactions many times, with the events delivered as
// the event loop delivers them, leaves no windows behind and keeps the memory where it was.
#include "app/qelt_command_ids.h"
#include "app_fixture.h"
#include "support/long_session.h"

#include <QApplication>
#include <cstdio>

namespace {

using app_test::AppTest;
using long_session::kMeasurable;

// Under AddressSanitizer the memory cannot be measured and every round is slow: fewer rounds still find
// the windows a round leaves behind, and the leaks and faults the sanitizers see.
constexpr int Rounds(int rounds) {
    return kMeasurable ? rounds : rounds / 5;
}

// What a thousand rounds may add: the heap in use must stay under 1 MB; the resident size, which also holds
// what the allocator keeps for reuse, within a few MB.
constexpr double kHeapSlackKb = 1024;
constexpr double kResidentSlackKb = 8 * 1024;

class Endurance : public AppTest {
protected:
    // Runs a step many times, each followed by a turn of the event loop; afterwards the top-level widgets are
    // as many as after the first rounds and the memory is where it was. Stops at the first failed step.
    template <class Step> void ExpectNoGrowth(int rounds, Step step) {
        constexpr int kWarmUp = 20;
        for (int i = 0; i < kWarmUp; ++i) {
            ASSERT_NO_FATAL_FAILURE(step()) << "warm-up round " << i;
            long_session::DeliverPostedEvents();
        }
        const qsizetype windows = QApplication::topLevelWidgets().size();
        const double heap = long_session::HeapInUseKilobytes();
        const double resident = long_session::ResidentKilobytes();
        for (int i = 0; i < rounds; ++i) {
            ASSERT_NO_FATAL_FAILURE(step()) << "round " << i;
            long_session::DeliverPostedEvents();
        }
        EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
        if (!kMeasurable)
            return;
        const double heapGrowth = long_session::HeapInUseKilobytes() - heap;
        const double residentGrowth = long_session::ResidentKilobytes() - resident;
        std::printf("over %d rounds: heap in use %+.0f KB, resident %+.0f KB\n", rounds, heapGrowth,
                    residentGrowth);
        EXPECT_LT(heapGrowth, kHeapSlackKb);
        EXPECT_LT(residentGrowth, kResidentSlackKb);
    }
};

TEST_F(Endurance, SwitchingBetweenTheTwoViewsOfAReaction) {
    ASSERT_TRUE(StartQuietly());
    ASSERT_TRUE(Run(qelt_cmd::AlternateUI));
    bool alternate = true;
    ExpectNoGrowth(Rounds(1000), [&] {
        alternate = !alternate;
        ASSERT_TRUE(Run(alternate ? qelt_cmd::AlternateUI : qelt_cmd::DefaultUI));
        ASSERT_EQ(Frame().MenuResourceId(),
                  alternate ? qelt_res::AlternateTemplate : qelt_res::ReactionTemplate);
    });
}

TEST_F(Endurance, OpeningViewingPrintingAndClosingReactions) {
    ASSERT_TRUE(StartQuietly());
    ASSERT_TRUE(Run(ui::cmd::FileClose));
    ExpectNoGrowth(Rounds(1000), [&] {
        ASSERT_TRUE(Run(ui::cmd::FileNew));
        ASSERT_TRUE(Run(qelt_cmd::AlternateUI));
        ASSERT_TRUE(Run(qelt_cmd::Printout));
        ASSERT_EQ(Frame().MdiArea()->subWindowList().size(), 3);
        app_test::MessageScript noSave({ui::IDNO});
        ASSERT_TRUE(Run(ui::cmd::FileClose));
        long_session::DeliverPostedEvents();
        ASSERT_TRUE(Documents().empty());
        ASSERT_EQ(Frame().MenuResourceId(), qelt_res::MainFrame);
    });
}

} // namespace
