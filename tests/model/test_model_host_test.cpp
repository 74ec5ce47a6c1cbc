#include "support/test_model_host.h"

#include "platform/core/archive.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(TestModelHost, EndMarkerIsWrittenAndCheckedAsTheApplicationDoes) {
    TestModelHost host;
    Archive out;
    bool valid = false;
    host.SerializeEndMarker(valid, true, out);
    EXPECT_FALSE(valid);
    EXPECT_EQ(std::string(out.Bytes().begin(), out.Bytes().end()), "\x0c"
                                                                   "Database EOF");

    Archive checked(out.Bytes());
    host.SerializeEndMarker(valid, true, checked);
    EXPECT_TRUE(valid);
    EXPECT_TRUE(checked.AtEnd());

    Archive unchecked(out.Bytes());
    valid = false;
    host.SerializeEndMarker(valid, false, unchecked);
    EXPECT_TRUE(valid);
    EXPECT_EQ(unchecked.Position(), 0u);

    Archive other(std::vector<std::uint8_t>{3, 'E', 'O', 'F'});
    host.SerializeEndMarker(valid, true, other);
    EXPECT_FALSE(valid);
}

TEST(TestModelHost, ScriptedReactionStringsThenCancel) {
    TestModelHost host;
    host.QueueReactionStringAnswer("H2 + O2 = H2O");
    host.QueueReactionStringAnswer(std::nullopt);
    std::string text = "typed";
    EXPECT_TRUE(host.AskReactionString(text));
    EXPECT_EQ(text, "H2 + O2 = H2O");
    EXPECT_FALSE(host.AskReactionString(text));
    EXPECT_FALSE(host.AskReactionString(text));
    EXPECT_EQ(host.ReactionStringPrompts(),
              (std::vector<std::string>{"typed", "H2 + O2 = H2O", "H2 + O2 = H2O"}));
}

TEST(TestModelHost, InstallationsNestAndUninstall) {
    {
        ScopedTestModelHost outer;
        EXPECT_EQ(&GetModelHost(), &outer);
        EXPECT_EQ(GetModelHost().GetDisplayDigits(), 4);
        {
            ScopedTestModelHost inner;
            inner.SetDisplayDigits(6);
            EXPECT_EQ(GetModelHost().GetDisplayDigits(), 6);
        }
        EXPECT_EQ(&GetModelHost(), &outer);
        GetModelHost().SetStatusText("Balanced");
        EXPECT_EQ(outer.LastStatusText(), "Balanced");
    }
    EXPECT_THROW(GetModelHost(), std::logic_error);
}

} // namespace
