#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/errors/frame.h"

using platform::ErrorFrame;
using platform::ErrorInfo;
using platform::Resume;

namespace {

struct Reports {
    std::vector<int32_t> numbers;
    ErrorFrame Frame() {
        return ErrorFrame([this](const ErrorInfo& e) { numbers.push_back(e.Number); });
    }
};

}  // namespace

TEST(ErrorFrame, AFailureIsReportedThenTheExitStepRunsAndTheResultStaysAsAssigned) {
    Reports reports;
    int result = 0;
    bool exited = false;
    std::vector<int> ran;
    reports.Frame()
        .Exit([&] { exited = true; })
        .Run({[&] { ran.push_back(1); result = 7; },
              [&] { ran.push_back(2); platform::Raise(53, "File not found"); },
              [&] { ran.push_back(3); result = 9; }});
    EXPECT_EQ(reports.numbers, std::vector<int32_t>{53});
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_TRUE(exited);
    EXPECT_EQ(result, 7);
}

TEST(ErrorFrame, NumberTestsComeBeforeTheReport) {
    Reports reports;
    std::vector<int> ran;
    reports.Frame()
        .Skip(58)
        .Quiet(70)
        .Run({[&] { ran.push_back(1); platform::Raise(58, "File already exists"); },
              [&] { ran.push_back(2); platform::Raise(70, "Permission denied"); },
              [&] { ran.push_back(3); }});
    EXPECT_TRUE(reports.numbers.empty());
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST(ErrorFrame, ACustomHandlerChoosesWhereToResume) {
    Reports reports;
    std::vector<int> seen, ran;
    reports.Frame()
        .On(58, [&](const ErrorInfo& e) { seen.push_back(e.Number); return Resume::NextStatement; })
        .Run({[&] { platform::Raise(58, "File already exists"); }, [&] { ran.push_back(2); }});
    EXPECT_EQ(seen, std::vector<int>{58});
    EXPECT_EQ(ran, std::vector<int>{2});
}

TEST(ErrorFrame, ResumeNextAfterReportGoesOnWithTheNextStatement) {
    Reports reports;
    std::vector<int> ran;
    reports.Frame()
        .ResumeNextAfterReport()
        .Run({[&] { platform::Raise(-2147467259, "Syntax error"); }, [&] { ran.push_back(2); }});
    EXPECT_EQ(reports.numbers, std::vector<int32_t>{-2147467259});
    EXPECT_EQ(ran, std::vector<int>{2});
}

TEST(ErrorFrame, OtherExceptionsArriveAsInternalErrors) {
    std::vector<ErrorInfo> seen;
    ErrorFrame([&](const ErrorInfo& e) { seen.push_back(e); }).Run([] { throw std::runtime_error("boom"); });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Number, platform::kInternalError);
    EXPECT_EQ(seen[0].Description, "boom");
}

TEST(ErrorFrame, ContainEndsTheFailedHandlerAndGoesOnAfterIt) {
    // A failure escaping a handler stops that handler where it failed; the seam goes on
    // with what follows, whatever was thrown.
    std::vector<std::string> steps;
    auto handler = [&](auto fail) {
        steps.push_back("begin");
        fail();
        steps.push_back("not reached");
    };
    platform::Contain([&] { handler([] { platform::Raise(5, "Invalid procedure call or argument"); }); });
    steps.push_back("after the first");
    platform::Contain([&] { handler([] { throw 42; }); });
    steps.push_back("after the second");
    platform::Contain([&] { steps.push_back("a handler that does not fail runs whole"); });
    EXPECT_EQ(steps, (std::vector<std::string>{"begin", "after the first", "begin", "after the second",
                                                "a handler that does not fail runs whole"}));
}
