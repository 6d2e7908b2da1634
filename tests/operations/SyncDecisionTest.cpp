#include "operations/SyncDecision.h"

#include "sync/TextField.h"
#include "tests/syncfixture/SyncFixture.h"

namespace {

constexpr SyncAction Ask = SyncAction::AskUser;
constexpr SyncAction PalmWins = SyncAction::PalmOverwritesOutlook;
constexpr SyncAction OutlookWins = SyncAction::OutlookOverwritesPalm;

SyncChoice clicked(SyncAction action, bool applyToAll = false) {
    SyncChoice choice;
    choice.action = action;
    choice.applyToAll = applyToAll;
    return choice;
}

// Only the prompt and the cursor of the view take part.
class SyncDecisionTest : public SyncFixture {
protected:
    SyncDecisionTest() {
        copyText(palmRecord.company, "Palm");
        copyText(outlookRecord.company, "Outlook");
    }
    void SetUp() override { start(); }

    // The decisions for `pairs` differing pairs in a row.
    std::vector<SyncAction> decideRun(SyncAction syncAction, int pairs) {
        SyncDecision decision(syncAction);
        std::vector<SyncAction> actions;
        for (int pair = 0; pair < pairs; ++pair)
            actions.push_back(decision.decide(*view, palmRecord, outlookRecord));
        return actions;
    }

    ContactRecord palmRecord;
    ContactRecord outlookRecord;
};

}  // namespace

TEST_F(SyncDecisionTest, AConfiguredRuleDecidesEveryPairWithoutAsking) {
    for (int32_t rule : {1, 2, 3, -1}) {
        const SyncAction action = static_cast<SyncAction>(rule);
        EXPECT_EQ(std::vector<SyncAction>(3, action), decideRun(action, 3)) << "rule " << rule;
    }
    EXPECT_TRUE(view->prompts.empty());
    EXPECT_TRUE(view->steps().empty()) << "no cursor change without a dialog";
    EXPECT_TRUE(palmRecordWins(PalmWins));
    for (int32_t action : {0, 2, 3, -1})
        EXPECT_FALSE(palmRecordWins(static_cast<SyncAction>(action))) << "the Outlook record wins with " << action;
}

TEST_F(SyncDecisionTest, AskingShowsBothRecordsWithOutlookPreselectedAndTheNormalCursor) {
    view->choices.push_back(clicked(OutlookWins));
    EXPECT_EQ(std::vector<SyncAction>{OutlookWins}, decideRun(Ask, 1));
    ASSERT_EQ(1u, view->prompts.size());
    const FakeSyncView::Prompt& prompt = view->prompts[0];
    EXPECT_EQ(&palmRecord, prompt.palm);
    EXPECT_EQ(&outlookRecord, prompt.outlook);
    EXPECT_EQ(Ask, prompt.preset.action);
    EXPECT_FALSE(prompt.preset.applyToAll);
    EXPECT_EQ((std::vector<std::string>{"normal", "prompt", "wait"}), view->steps());
}

TEST_F(SyncDecisionTest, AClickedDirectionSettlesTheRestOfTheRunWithOrWithoutTheBox) {
    for (bool box : {false, true}) {
        view->prompts.clear();
        view->choices = {clicked(PalmWins, box)};
        EXPECT_EQ(std::vector<SyncAction>(3, PalmWins), decideRun(Ask, 3)) << "box " << box;
        EXPECT_EQ(1u, view->prompts.size()) << "box " << box;

        view->prompts.clear();
        view->choices = {clicked(OutlookWins, box)};
        EXPECT_EQ(std::vector<SyncAction>(3, OutlookWins), decideRun(Ask, 3)) << "box " << box;
        EXPECT_EQ(1u, view->prompts.size()) << "box " << box;
    }
}

TEST_F(SyncDecisionTest, OkWithoutAClickLetsOutlookWinAndAsksAgainUnlessTheBoxIsTicked) {
    // Box clear: every pair is asked; a later click then sticks.
    view->choices = {clicked(Ask), clicked(Ask), clicked(PalmWins)};
    EXPECT_EQ((std::vector<SyncAction>{Ask, Ask, PalmWins, PalmWins}), decideRun(Ask, 4));
    EXPECT_EQ(3u, view->prompts.size());
    for (const FakeSyncView::Prompt& prompt : view->prompts)
        EXPECT_EQ(Ask, prompt.preset.action);

    // Box ticked: asked once, the Outlook record wins from then on.
    view->prompts.clear();
    view->choices = {clicked(Ask, true)};
    const std::vector<SyncAction> actions = decideRun(Ask, 3);
    EXPECT_EQ(1u, view->prompts.size());
    for (SyncAction action : actions)
        EXPECT_FALSE(palmRecordWins(action));
}
