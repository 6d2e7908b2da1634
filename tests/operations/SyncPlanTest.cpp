#include <algorithm>
#include <string>
#include <vector>

#include "operations/SyncMessages.h"
#include "operations/SyncPlanPreview.h"
#include "tests/syncfixture/SyncFixture.h"

namespace {

class SyncPlanTest : public SyncFixture {
protected:
    bool hasLine(const std::vector<PreviewLine>& lines, const PreviewLine& wanted) const {
        return std::any_of(lines.begin(), lines.end(), [&](const PreviewLine& line) {
            return line.action == wanted.action && line.contact == wanted.contact && line.field == wanted.field &&
                   line.before == wanted.before && line.after == wanted.after;
        });
    }
    int outlookSaves() const {
        int saves = 0;
        for (size_t index = 0; index < outlook->contactCount(); ++index)
            saves += outlook->contact(index)->saveCount();
        return saves;
    }
    // What the user does in Outlook: one property changed and saved.
    static void editInOutlook(FakeContact& contact, const char* property, const std::u16string& value) {
        contact.setText(property, value);
        contact.save(contact.date("LastModificationTime") + 1.0 / 24);
    }
};

}  // namespace

TEST_F(SyncPlanTest, ThePreviewShowsEachStepCancelWritesNothingAndSynchronizeCarriesOutThoseSteps) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme"), palmPerson(2, "Cy", "Fox", "333")});
    // Palm Desktop's empty note does not erase it.
    seedOutlook(u"Ann", u"Lee", u"111", u"Acme Ltd").setText("Body", u"Ann's note");
    seedOutlook(u"Dee", u"Kim", u"444");
    start();
    const std::vector<uint8_t> fileBefore = palmFileOnDisk();
    std::vector<PreviewLine> lines;
    std::string summary;
    view->onPreview = [&](const SyncPlan& plan) {
        lines = previewLines(plan);
        summary = previewSummary(plan);
    };
    view->answerPreview = false;

    EXPECT_EQ(SyncRunEnd::NotRun, operations->synchronizeAll(SyncAction::PalmOverwritesOutlook, SyncStart::Preview));

    EXPECT_EQ("Outlook gets 1 new contact and 1 overwritten; Palm Desktop gets 1 new record and 0 overwritten.",
              summary);
    ASSERT_EQ(3u, lines.size());
    EXPECT_TRUE(hasLine(lines, {"Outlook contact overwritten", "Ann Lee (Acme)", "Company", "Acme Ltd", "Acme"}));
    EXPECT_TRUE(hasLine(lines, {"Added to Outlook", "Cy Fox", "", "", ""}));
    EXPECT_TRUE(hasLine(lines, {"Added to Palm Desktop", "Dee Kim", "", "", ""}));
    EXPECT_TRUE(view->messages.empty()) << "the preview stands for the question";
    EXPECT_EQ(0, outlookSaves());
    EXPECT_EQ(2u, outlook->contactCount());
    EXPECT_EQ(fileBefore, palmFileOnDisk());

    view->answerPreview = true;
    EXPECT_EQ(SyncRunEnd::Done, operations->synchronizeAll(SyncAction::PalmOverwritesOutlook, SyncStart::Preview));
    EXPECT_EQ("Acme", outlookText(0, "CompanyName"));
    EXPECT_EQ("Ann's note", outlookText(0, "Body")) << "as the preview showed";
    ASSERT_EQ(3u, outlook->contactCount());
    EXPECT_EQ("Cy", outlookText(2, "FirstName"));
    EXPECT_EQ(2, outlookSaves()) << "one save per planned write to Outlook";
    EXPECT_EQ((std::vector<std::string>{"Ann", "Cy", "Dee"}), palmFileNames());
}

TEST_F(SyncPlanTest, AContactEditedInOutlookWhileThePreviewIsOpenIsNotWrittenOverAndTheRunStops) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme"), palmPerson(2, "Bob", "Ray", "222", "Ray & Co")});
    seedOutlook(u"Ann", u"Lee", u"111", u"Old");
    FakeContact& bob = seedOutlook(u"Bob", u"Ray", u"222", u"Old");
    start();
    view->onPreview = [&](const SyncPlan&) { editInOutlook(bob, "CompanyName", u"Bob's own"); };

    EXPECT_EQ(SyncRunEnd::OutlookContactChanged,
              operations->synchronizeAll(SyncAction::PalmOverwritesOutlook, SyncStart::Preview));

    EXPECT_EQ("Bob's own", outlookText(1, "CompanyName")) << "the user's edit stays";
    EXPECT_EQ(1, bob.saveCount()) << "only the user's own save";
    ASSERT_FALSE(view->messages.empty());
    EXPECT_EQ(0u, view->messages.back().text.find(outlookContactChangedText("Bob Ray (Old)")))
        << view->messages.back().text;
    EXPECT_EQ(SyncMessageKind::ErrorOk, view->messages.back().kind);
}

TEST_F(SyncPlanTest, AnAddressFileRewrittenDuringTheRunStopsTheWritesToOutlookAndIsKept) {
    writePalmFile(
        {palmPerson(1, "Ann", "Lee", "111"), palmPerson(2, "Bob", "Ray", "222"), palmPerson(3, "Cy", "Fox", "333")});
    start();
    std::vector<uint8_t> rewritten;
    int steps = 0;
    view->onProgress = [&](int percent) {
        // Palm Desktop saves while the second contact is on its way.
        if (percent > 0 && ++steps == 2) {
            writePalmFile({palmPerson(7, "Eve", "Oak", "777")});
            rewritten = palmFileOnDisk();
        }
    };

    EXPECT_EQ(SyncRunEnd::AddressFileChanged, operations->synchronizeAll(SyncAction::PalmOverwritesOutlook));

    EXPECT_EQ(1u, outlook->contactCount()) << "nothing written after the file changed";
    EXPECT_EQ(rewritten, palmFileOnDisk()) << "Palm Desktop's file is not saved over";
    EXPECT_EQ(1, std::count_if(view->messages.begin(), view->messages.end(), [](const FakeSyncView::Message& m) {
                  return m.text == addressFileChangedText(true, true);
              }));
}

TEST_F(SyncPlanTest, AContactDeletedInOutlookMeanwhileIsNotCopiedToPalmDesktopAndTheRestGoesOn) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme")});
    seedOutlook(u"Ann", u"Lee", u"111", u"Ann's own");
    seedOutlook(u"Dee", u"Kim", u"444");
    start();
    view->onPreview = [&](const SyncPlan&) { outlook->removeContact(1); };

    EXPECT_EQ(SyncRunEnd::SomeNotWritten,
              operations->synchronizeAll(SyncAction::OutlookOverwritesPalm, SyncStart::Preview));

    EXPECT_EQ((std::vector<std::string>{"Ann"}), palmFileNames()) << "Dee is gone from Outlook: not brought back";
    EXPECT_EQ((std::vector<std::string>{"Ann's own"}), palmFileCompanies()) << "the other step was carried out";
    EXPECT_NE(std::string::npos, view->messages.back().text.find("1 records could not be written"))
        << view->messages.back().text;
}
