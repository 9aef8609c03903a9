#include "platform/ReportError.h"
#include "tests/support/CapturingEventLog.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

TEST(ReportError, ShowsTitleAndMessageThenLogsThem)
{
    ScriptedMessageBoxes boxes;
    CapturingEventLog log;
    ReportError(11, "Division by zero", "TileBlt", "ClsSkin", 1, "extra text");

    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].caption, "ERROR - 11 - TileBlt - ClsSkin");
    EXPECT_EQ(boxes.shown[0].text, "ERROR  11 - Division by zero\r\nextra text");
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::Ok);
    ASSERT_EQ(log.entries.size(), 1);
    EXPECT_EQ(log.entries[0].text, "ERROR - 11 - TileBlt - ClsSkin: ERROR  11 - Division by zero\r\nextra text");
    EXPECT_EQ(log.entries[0].type, 1);
}

TEST(ReportError, WithoutExtraTextHasNoLineBreak)
{
    ScriptedMessageBoxes boxes;
    CapturingEventLog log;
    ReportError(-2147418113, "Catastrophic", "Proc", "Mod");
    EXPECT_EQ(boxes.shown[0].caption, "ERROR - -2147418113 - Proc - Mod");
    EXPECT_EQ(boxes.shown[0].text, "ERROR  -2147418113 - Catastrophic");
}

namespace {
class ThrowingBoxes : public MessageBoxes
{
public:
    ThrowingBoxes() { MessageBoxes::install(this); }
    ~ThrowingBoxes() override { MessageBoxes::install(nullptr); }
    MsgAnswer show(const QString &, const QString &, MsgIcon, MsgButtons) override
    {
        throw AppError(AppError::InvalidCall);
    }
};
} // namespace

TEST(ReportError, AFailureInsideIsDropped)
{
    ThrowingBoxes boxes;
    CapturingEventLog log;
    EXPECT_NO_THROW(ReportError(5, "x", "p", "m"));
    EXPECT_TRUE(log.entries.isEmpty());
}

TEST(RunReported, SkipsTheRestAndReportsOnce)
{
    ScriptedMessageBoxes boxes;
    CapturingEventLog log;
    bool reachedEnd = false;
    const bool ok = runReported("Paint", "UcScroll", [&] {
        checkedDivide(1, 0);
        reachedEnd = true;
    });
    EXPECT_FALSE(ok);
    EXPECT_FALSE(reachedEnd);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].caption, "ERROR - 11 - Paint - UcScroll");

    EXPECT_EQ(runReportedValue<int>("Width", "UcCmd", [] { return checkedDivide(4, 0); }), 0);
    EXPECT_EQ(runReportedValue<int>("Width", "UcCmd", [] { return checkedDivide(4, 2); }), 2);
}

TEST(RunReported, DropsTheIgnoredNumberButStillEnds)
{
    ScriptedMessageBoxes boxes;
    bool reachedEnd = false;
    EXPECT_FALSE(runReported("RePaint", "UcCmd", [&] {
        throw AppError(AppError::NotYetPlaced);
        reachedEnd = true;
    }, AppError::NotYetPlaced));
    EXPECT_FALSE(reachedEnd);
    EXPECT_TRUE(boxes.shown.isEmpty());
}
