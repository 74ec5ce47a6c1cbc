// The window-size steps and their status text.
#include "app/window_size.h"

#include <gtest/gtest.h>

namespace {

struct SizeCase {
    const char* name;
    WindowSize (*step)(WindowSize);
    WindowSize before;
    WindowSize after;
};

TEST(WindowSize, StepsAndCycle) {
    const SizeCase cases[] = {
        {"wider from 1000", window_size::WidthUp16, {1000, 700}, {1008, 700}},
        {"wider from a multiple", window_size::WidthUp16, {1008, 700}, {1024, 700}},
        {"narrower from 1000", window_size::WidthDown16, {1000, 700}, {976, 700}},
        {"narrower from a multiple", window_size::WidthDown16, {1008, 700}, {992, 700}},
        {"narrower never below 16", window_size::WidthDown16, {20, 300}, {16, 300}},
        {"narrower from 0", window_size::WidthDown16, {0, 300}, {16, 300}},
        {"cycle from small", window_size::Cycle, {500, 400}, {720, 576}},
        {"cycle from 719", window_size::Cycle, {719, 400}, {720, 576}},
        {"cycle from 720", window_size::Cycle, {720, 576}, {1280, 720}},
        {"cycle from 1000", window_size::Cycle, {1000, 300}, {1280, 720}},
        {"cycle from 1280", window_size::Cycle, {1280, 720}, {1920, 1080}},
        {"cycle from 1919", window_size::Cycle, {1919, 720}, {1920, 1080}},
        {"cycle from 1920", window_size::Cycle, {1920, 1080}, {720, 576}},
        {"cycle from wide", window_size::Cycle, {2560, 1440}, {720, 576}},
    };
    for (const SizeCase& c : cases)
        EXPECT_EQ(c.step(c.before), c.after) << c.name;
}

TEST(WindowSize, StatusText) {
    EXPECT_EQ(window_size::StatusText({1280, 720}), "1280/720 - 704/720, 1280");
    EXPECT_EQ(window_size::StatusText({720, 576}), "720/576 - 704/720, 1280");
}

} // namespace
