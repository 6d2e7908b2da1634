#include "ui/layout/ChooseActionModel.h"

#include "resources/ResourceIds.h"
#include "sync/ContactRecord.h"
#include "sync/TextField.h"
#include "ui/layout/ContactListModel.h"

#include <gtest/gtest.h>

#include <string>

TEST(ChooseAction, OnlyActionOnePreselectsPalmDesktop) {
    EXPECT_EQ(IDC_SYNC_PALM_WINS, initialDirectionButton(SyncAction::PalmOverwritesOutlook));
    // The caller presets AskUser; it and every other value leave Outlook preselected.
    for (int32_t action : {0, 2, 3, -1}) {
        EXPECT_EQ(IDC_SYNC_OUTLOOK_WINS, initialDirectionButton(static_cast<SyncAction>(action))) << action;
    }
}

TEST(ChooseAction, DirectionFollowsTheLastButtonClicked) {
    ChooseActionAnswer answer;
    answer.action = SyncAction::AskUser;
    ASSERT_TRUE(applyChooseActionClick(answer, IDC_SYNC_PALM_WINS, true));
    EXPECT_EQ(SyncAction::PalmOverwritesOutlook, answer.action);
    ASSERT_TRUE(applyChooseActionClick(answer, IDC_SYNC_OUTLOOK_WINS, true));
    EXPECT_EQ(SyncAction::OutlookOverwritesPalm, answer.action);
    EXPECT_EQ(0, answer.applyToAll);
}

TEST(ChooseAction, ApplyToAllFollowsTheBoxAndNothingElse) {
    ChooseActionAnswer answer;
    answer.action = SyncAction::AskUser;
    applyChooseActionClick(answer, IDC_APPLY_TO_ALL, true);
    EXPECT_EQ(1, answer.applyToAll);
    applyChooseActionClick(answer, IDC_APPLY_TO_ALL, false);
    EXPECT_EQ(0, answer.applyToAll);
    // Ticking the box does not pick a direction.
    EXPECT_EQ(SyncAction::AskUser, answer.action);

    // Nothing else changes the answer: the lists, cancel, the option dialogs'
    // "Determined by user." button that this dialog does not have.
    for (int id : {0, 2, IDC_SYNC_ASK_USER, IDC_CHOOSE_PALM_LIST, IDC_CHOOSE_OUTLOOK_LIST}) {
        EXPECT_FALSE(applyChooseActionClick(answer, id, true)) << id;
    }
    EXPECT_EQ(SyncAction::AskUser, answer.action);
    EXPECT_EQ(0, answer.applyToAll);
}

TEST(ChooseAction, OnlyOkEndsTheDialog) {
    EXPECT_TRUE(chooseActionEndsOn(1));
    // Escape and the close box send 2; the dialog stays.
    for (int id : {2, 0, IDC_SYNC_PALM_WINS, IDC_SYNC_OUTLOOK_WINS, IDC_APPLY_TO_ALL}) {
        EXPECT_FALSE(chooseActionEndsOn(id)) << id;
    }
}

TEST(ChooseAction, RowShowsTheEightContactColumnsInListOrder) {
    ContactRecord record;
    copyText(record.firstName, "Ann");
    copyText(record.lastName, "Lee");
    copyText(record.email1, "ann@example.com");
    copyText(record.company, "Harbour Works");
    copyText(record.jobTitle, "Pilot");
    copyText(record.workPhone, "555-0100");
    copyText(record.mobilePhone, "555-0101");
    copyText(record.homePhone, "555-0102");
    // Fields outside the columns do not show.
    copyText(record.middleName, "Middle");
    const char* expected[ContactColumnCount] = {"Ann",   "Lee",      "ann@example.com", "Harbour Works",
                                                "Pilot", "555-0100", "555-0101",        "555-0102"};
    for (int column = 0; column < ContactColumnCount; ++column) {
        EXPECT_EQ(expected[column], contactColumnText(record, column)) << column;
    }
    EXPECT_EQ("", contactColumnText(record, -1));
    EXPECT_EQ("", contactColumnText(record, ContactColumnCount));
}

TEST(ChooseAction, LongestCompanyShowsWhole) {
    ContactRecord record;
    const std::string company(sizeof record.company - 1, 'c');
    copyText(record.company, company.c_str());
    EXPECT_EQ(company, contactColumnText(record, 3));
}
