#include "session/UnattendedRun.h"

#include <cstring>

#include "config/Settings.h"
#include "tests/syncfixture/SyncFixture.h"

namespace {

CommandLineKind parsed(const std::vector<std::string>& words, UnattendedRequest* request = nullptr) {
    std::string problem;
    return parseCommandLine(words, request, &problem);
}

class UnattendedRunTest : public SyncFixture {
protected:
    UnattendedOutcome run(UnattendedRequest::Rule rule, const char* userName = "") {
        ContactSession session{{palmUser(7, "Ann Lee"), palmUser(9, "Bob Ray")}, 40000, false, settings};
        session.openFile(palmPath);
        UnattendedRequest request;
        request.rule = rule;
        request.user = userName;
        return runUnattended(session, request);
    }

    Settings settings;
};

}  // namespace

TEST(UnattendedCommandLine, TheOneCommandItsOptionsAndWhatIsRefused) {
    UnattendedRequest request;
    EXPECT_EQ(CommandLineKind::Window, parsed({}));
    ASSERT_EQ(CommandLineKind::Unattended,
              parsed({"/synchronize-all", "-RULE", "Palm", "/user", "Tom Berg", "/report", "C:\\r.txt"}, &request));
    EXPECT_EQ(UnattendedRequest::Rule::PalmWins, request.rule);
    EXPECT_EQ("Tom Berg", request.user);
    EXPECT_EQ("C:\\r.txt", request.reportPath);
    ASSERT_EQ(CommandLineKind::Unattended, parsed({"/synchronize-all"}, &request));
    EXPECT_EQ(UnattendedRequest::Rule::FromOptions, request.rule);

    for (const std::vector<std::string>& bad : {std::vector<std::string>{"/sync"},
                                                {"/synchronize-all", "/rule"},
                                                {"/synchronize-all", "/rule", "both"},
                                                {"/synchronize-all", "/user", "A", "/user", "B"},
                                                {"/synchronize-all", "extra"}})
        EXPECT_EQ(CommandLineKind::Bad, parsed(bad)) << bad.back();
}

TEST_F(UnattendedRunTest, ExitCodesSayWhatHappened) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "555-0101"), palmPerson(2, "Bob", "Ray")});
    seedOutlook(u"Ann", u"Lee", u"555-0199");

    UnattendedOutcome left = run(UnattendedRequest::Rule::Leave);
    EXPECT_EQ(UnattendedExit::PairsLeftAlone, left.exit) << left.summary;
    EXPECT_EQ("555-0199", outlookText(0, "HomeTelephoneNumber")) << "the differing pair is left as it is";
    ASSERT_EQ(2u, outlook->contactCount()) << "Bob is added all the same";

    UnattendedOutcome done = run(UnattendedRequest::Rule::PalmWins);
    EXPECT_EQ(UnattendedExit::Done, done.exit) << done.summary;
    EXPECT_EQ("555-0101", outlookText(0, "HomeTelephoneNumber"));
    EXPECT_EQ(0u, done.summary.find("Quillset /synchronize-all: done (exit code 0): Synchronization finished"))
        << done.summary;

    EXPECT_EQ(UnattendedExit::BadArguments, run(UnattendedRequest::Rule::PalmWins, "Nobody").exit);
}

TEST_F(UnattendedRunTest, ALargeChangeStopsTheRunInsteadOfAsking) {
    std::vector<PalmAddressRecord> records;
    for (uint32_t id = 1; id <= 12; ++id)
        records.push_back(palmPerson(id, "Given" + std::to_string(id), "Lee"));
    writePalmFile(records);
    const std::vector<uint8_t> before = palmFileOnDisk();

    const UnattendedOutcome outcome = run(UnattendedRequest::Rule::OutlookWins);
    EXPECT_EQ(UnattendedExit::GuardStopped, outcome.exit) << outcome.summary;
    EXPECT_EQ(0u, outlook->contactCount());
    EXPECT_EQ(before, palmFileOnDisk());
}

TEST_F(UnattendedRunTest, OutlookClosingDuringTheRunEndsWithItsOwnCode) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "555-0101")});
    seedOutlook(u"Ann", u"Lee", u"555-0199");
    // Read whole, then gone at the first write.
    outlook->failMember("Save", AutomationStatus::ServerUnavailable);

    const UnattendedOutcome outcome = run(UnattendedRequest::Rule::PalmWins);
    EXPECT_EQ(UnattendedExit::OutlookBusyOrGone, outcome.exit) << outcome.summary;
    ASSERT_FALSE(outcome.messages.empty());
    EXPECT_EQ(0u, outcome.messages.back().find("Outlook was closed or stopped answering")) << outcome.messages.back();
}
