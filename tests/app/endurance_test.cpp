// A long session: switching views and opening and closing reactions many times leaves no windows behind and
// keeps the memory where it was.
#include "app/qelt_command_ids.h"
#include "app_fixture.h"

#include <QApplication>
#include <cstdio>
#include <unistd.h>

namespace {

using app_test::AppTest;

// Resident memory of this process, in MB.
double ResidentMegabytes() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return double(resident) * double(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// AddressSanitizer keeps freed memory in quarantine, so the resident size says nothing under it.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryIsMeasurable = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kMemoryIsMeasurable = false;
#else
constexpr bool kMemoryIsMeasurable = true;
#endif
#else
constexpr bool kMemoryIsMeasurable = true;
#endif

constexpr double kMemorySlackMb = 8;

class Endurance : public AppTest {
protected:
    // Runs a step many times; afterwards the top-level widgets are as many as after the first few rounds
    // and the memory is within a few MB.
    template <class Step> void ExpectNoGrowth(int rounds, Step step) {
        constexpr int kWarmUp = 10;
        for (int i = 0; i < kWarmUp; ++i)
            step();
        app_test::FlushDeferredDeletes();
        const qsizetype windows = QApplication::topLevelWidgets().size();
        const double memory = ResidentMegabytes();
        for (int i = 0; i < rounds; ++i) {
            step();
            app_test::FlushDeferredDeletes();
        }
        EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
        std::printf("resident memory %.1f MB before, %.1f MB after %d rounds\n", memory, ResidentMegabytes(),
                    rounds);
        if (kMemoryIsMeasurable) {
            EXPECT_LT(ResidentMegabytes() - memory, kMemorySlackMb);
        }
    }
};

TEST_F(Endurance, SwitchingBetweenTheTwoViewsOfAReaction) {
    ASSERT_TRUE(StartQuietly());
    ASSERT_TRUE(Run(qelt_cmd::AlternateUI));
    bool alternate = true;
    ExpectNoGrowth(1000, [&] {
        alternate = !alternate;
        ASSERT_TRUE(Run(alternate ? qelt_cmd::AlternateUI : qelt_cmd::DefaultUI));
        ASSERT_EQ(Frame().MenuResourceId(),
                  alternate ? qelt_res::AlternateTemplate : qelt_res::ReactionTemplate);
    });
}

TEST_F(Endurance, OpeningViewingPrintingAndClosingReactions) {
    ASSERT_TRUE(StartQuietly());
    ASSERT_TRUE(Run(ui::cmd::FileClose));
    ExpectNoGrowth(200, [&] {
        ASSERT_TRUE(Run(ui::cmd::FileNew));
        ASSERT_TRUE(Run(qelt_cmd::AlternateUI));
        ASSERT_TRUE(Run(qelt_cmd::Printout));
        ASSERT_EQ(Frame().MdiArea()->subWindowList().size(), 3);
        app_test::MessageScript noSave({ui::IDNO});
        ASSERT_TRUE(Run(ui::cmd::FileClose));
        app_test::FlushDeferredDeletes();
        ASSERT_TRUE(Documents().empty());
        ASSERT_EQ(Frame().MenuResourceId(), qelt_res::MainFrame);
    });
}

} // namespace
