#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sync/ContactList.h"
#include "ui/layout/CommandGate.h"
#include "ui/layout/ContactReload.h"

namespace {

// Two stores and two lists whose rows point into them, as in the window. A
// store's reload frees its records, and the wait of the Outlook load paints
// every row shown, as COM's wait lets a paint message through.
class WindowStandIn : public ContactReloadSteps {
public:
    WindowStandIn() {
        for (ContactSide side : {ContactSide::Palm, ContactSide::Outlook}) {
            fillStore(side, 3);
            fillRows(side);
        }
    }

    void emptyRows(ContactSide side) override {
        steps.push_back(std::string("empty ") + name(side));
        rows(side).clear();
    }
    void reloadStore(ContactSide side) override {
        steps.push_back(std::string("reload ") + name(side));
        for (ContactSide shown : {ContactSide::Palm, ContactSide::Outlook}) {
            for (const ContactRecord* row : rows(shown))
                rowsIntoFreedRecords += store(side).positionOf(row) >= 0 ? 1 : 0;
        }
        fillStore(side, 4);
        if (side == ContactSide::Outlook)
            paintRows();
    }
    void compareAndFill() override {
        steps.push_back("fill");
        fillRows(ContactSide::Palm);
        fillRows(ContactSide::Outlook);
    }

    std::vector<std::string> steps;
    int rowsIntoFreedRecords = 0;
    std::vector<const ContactRecord*> palmRows, outlookRows;

private:
    static const char* name(ContactSide side) { return side == ContactSide::Palm ? "palm" : "outlook"; }
    ContactList& store(ContactSide side) { return side == ContactSide::Palm ? palm_ : outlook_; }
    std::vector<const ContactRecord*>& rows(ContactSide side) {
        return side == ContactSide::Palm ? palmRows : outlookRows;
    }
    void fillStore(ContactSide side, int count) {
        store(side).clear();
        for (int index = 0; index < count; ++index)
            store(side).append(std::make_unique<ContactRecord>());
    }
    void fillRows(ContactSide side) {
        rows(side).clear();
        for (int32_t position = 0; position < store(side).count(); ++position)
            rows(side).push_back(store(side).at(position));
    }
    // What a list's custom draw reads of each row's record.
    void paintRows() {
        for (const ContactRecord* row : palmRows)
            painted += row->compareStatus;
        for (const ContactRecord* row : outlookRows)
            painted += row->compareStatus;
    }

    ContactList palm_, outlook_;
    int painted = 0;
};

}  // namespace

TEST(ContactReload, NoListShowsARowOfAStoreWhileItIsReadAgain) {
    WindowStandIn both;
    reloadContacts(both, true);
    EXPECT_EQ(0, both.rowsIntoFreedRecords);
    EXPECT_EQ((std::vector<std::string>{"empty palm", "empty outlook", "reload palm", "reload outlook", "fill"}),
              both.steps);
    EXPECT_EQ(4u, both.palmRows.size());
    EXPECT_EQ(4u, both.outlookRows.size());

    WindowStandIn palmOnly;
    reloadContacts(palmOnly, false);
    EXPECT_EQ(0, palmOnly.rowsIntoFreedRecords);
    EXPECT_EQ("fill", palmOnly.steps.back());
    EXPECT_EQ(4u, palmOnly.palmRows.size());
    EXPECT_EQ(3u, palmOnly.outlookRows.size());

    // The operations fill the Palm list themselves after this one.
    WindowStandIn palmSide;
    reloadPalmContacts(palmSide);
    EXPECT_EQ(0, palmSide.rowsIntoFreedRecords);
    EXPECT_TRUE(palmSide.palmRows.empty());
    EXPECT_EQ(3u, palmSide.outlookRows.size());
}

TEST(CommandGate, WhatArrivesDuringARunIsHeldUntilTheOutermostRunEndsThenHandedBackInOrder) {
    CommandGate gate;
    const HeldCommand refresh{HeldCommand::Target::MainFrame, 0x0111, 40009};
    const HeldCommand bigButton{HeldCommand::Target::ContentView, 0x0111, 3001};
    EXPECT_TRUE(gate.admit(refresh));
    EXPECT_TRUE(gate.leave().empty());  // an end without a start changes nothing
    EXPECT_TRUE(gate.admit(refresh));

    gate.enter();
    EXPECT_FALSE(gate.admit(bigButton));
    gate.enter();  // the run reloads both sides
    EXPECT_FALSE(gate.admit(refresh));
    EXPECT_TRUE(gate.leave().empty());
    EXPECT_TRUE(gate.busy());
    const std::vector<HeldCommand> released = gate.leave();
    EXPECT_FALSE(gate.busy());
    ASSERT_EQ(2u, released.size());
    EXPECT_EQ(3001u, released[0].wParam);
    EXPECT_EQ(HeldCommand::Target::ContentView, released[0].target);
    EXPECT_EQ(40009u, released[1].wParam);
    EXPECT_TRUE(gate.admit(bigButton));

    gate.enter();
    for (size_t index = 0; index < CommandGate::MostHeld + 5; ++index)
        EXPECT_FALSE(gate.admit(refresh));
    EXPECT_EQ(CommandGate::MostHeld, gate.leave().size());
    EXPECT_TRUE(gate.leave().empty());
}
