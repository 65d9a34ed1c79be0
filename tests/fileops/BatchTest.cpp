#include <gtest/gtest.h>

#include <filesystem>

#include "fileops/Batch.h"
#include "fileops/FileOpsFixture.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using fileops::ItemStatus;
using fileops::Operation;
using fileops::ReplaceAnswer;
using fileopstest::Names;
using fileopstest::Text;
using testsupport::EnvGuard;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

using Strings = std::vector<std::string>;

struct BatchFolders : ::testing::Test {
    // src holds a, b, c (content "new a" ...); dst holds b and c already ("old b", "old c").
    void SetUp() override
    {
        fs::remove(dst.Path() / "a.jpg");
        for (const char* name : { "a.jpg", "b.jpg", "c.jpg" })
            WriteFile(src.Path() / name, std::string("new ") + name[0]);
        for (const char* name : { "b.jpg", "c.jpg" })
            WriteFile(dst.Path() / name, std::string("old ") + name[0]);
    }
    std::vector<std::string> Sources() const
    {
        return { src.Folder() + "a.jpg", src.Folder() + "b.jpg", src.Folder() + "c.jpg" };
    }
    TempDir src, dst;
};

TEST_F(BatchFolders, TheReplaceAnswersDecideEachExistingTarget)
{
    struct Case {
        std::vector<ReplaceAnswer> answers;
        std::vector<ItemStatus> statuses;
        std::string b, c;
        size_t asked;
    };
    const Case cases[] = {
        { { ReplaceAnswer::Yes, ReplaceAnswer::No }, { ItemStatus::Done, ItemStatus::Done, ItemStatus::Skipped },
            "new b", "old c", 2 },
        { { ReplaceAnswer::YesToAll }, { ItemStatus::Done, ItemStatus::Done, ItemStatus::Done }, "new b", "new c", 1 },
        { { ReplaceAnswer::Cancel }, { ItemStatus::Done, ItemStatus::Cancelled, ItemStatus::Cancelled }, "old b",
            "old c", 1 },
    };
    for (const Case& c : cases) {
        SetUp();
        size_t asked = 0;
        fileops::BatchCallbacks callbacks;
        callbacks.askReplace = [&](const std::string& source, const std::string& target) {
            EXPECT_EQ(fs::path(source).filename(), fs::path(target).filename());
            return c.answers.at(asked++);
        };
        const auto results = fileops::RunBatch(Operation::Copy, Sources(), dst.Folder(), callbacks);
        ASSERT_EQ(results.size(), 3u);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_EQ(results[i].status, c.statuses[i]) << i;
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(Text(dst.Path() / "b.jpg"), c.b);
        EXPECT_EQ(Text(dst.Path() / "c.jpg"), c.c);
        EXPECT_EQ(Text(src.Path() / "b.jpg"), "new b");
        EXPECT_FALSE(fileops::AllDone(results) && c.asked != 1);
    }
}

TEST_F(BatchFolders, AMoveWithoutAQuestionKeepsExistingTargetsAndTheirSources)
{
    const auto results = fileops::RunBatch(Operation::Move, Sources(), dst.Folder(), {});
    EXPECT_EQ(results[0].status, ItemStatus::Done);
    EXPECT_EQ(results[1].status, ItemStatus::Skipped);
    EXPECT_EQ(Names(src.Path()), (Strings { "b.jpg", "c.jpg" }));
    EXPECT_EQ(Text(dst.Path() / "b.jpg"), "old b");
    EXPECT_FALSE(fileops::AllDone(results));
}

TEST_F(BatchFolders, OneFailureDoesNotStopTheOthersAndProgressReachesTheEnd)
{
    auto sources = Sources();
    sources.insert(sources.begin() + 1, src.Folder() + "missing.jpg");
    fileops::BatchProgress last;
    fileops::BatchCallbacks callbacks;
    callbacks.askReplace = [](const std::string&, const std::string&) { return ReplaceAnswer::YesToAll; };
    callbacks.progress = [&](const fileops::BatchProgress& p) { last = p; };
    const auto results = fileops::RunBatch(Operation::Copy, sources, dst.Folder(), callbacks);
    EXPECT_EQ(results[1].status, ItemStatus::Failed);
    EXPECT_NE(results[1].error.find("missing.jpg"), std::string::npos);
    EXPECT_EQ(results[3].status, ItemStatus::Done);
    EXPECT_EQ(last.file, 4u);
    EXPECT_EQ(last.bytes, last.totalBytes);
}

TEST_F(BatchFolders, ACancelStopsBeforeTheNextFile)
{
    size_t reported = 0;
    fileops::BatchCallbacks callbacks;
    callbacks.progress = [&](const fileops::BatchProgress&) { ++reported; };
    callbacks.cancelled = [&] { return reported > 0; };
    const auto results = fileops::RunBatch(Operation::Protect, Sources(), "", callbacks);
    EXPECT_EQ(results[0].status, ItemStatus::Done);
    EXPECT_EQ(results[1].status, ItemStatus::Cancelled);
    EXPECT_EQ(results[2].status, ItemStatus::Cancelled);
    EXPECT_EQ(fileopstest::ModeOf(src.Path() / "b.jpg") & 0200, 0200u);
}

TEST(BatchTrash, WithoutATrashThePermanentDeleteIsAskedFirst)
{
    TempDir dir;
    WriteFile(dir.Path() / "blocker", std::string()); // a file where the trash's folder would have to be
    EnvGuard data("XDG_DATA_HOME", (dir.Path() / "blocker/data").c_str());
    WriteFile(dir.Path() / "a.jpg", std::string("a"));
    WriteFile(dir.Path() / "b.jpg", std::string("b"));
    std::vector<std::string> asked;
    fileops::BatchCallbacks callbacks;
    callbacks.askDeletePermanently = [&](const std::string& path, const std::string& reason) {
        EXPECT_FALSE(reason.empty());
        asked.push_back(fs::path(path).filename());
        return asked.size() == 2;
    };
    const auto results
        = fileops::RunBatch(Operation::Trash, { dir.Folder() + "a.jpg", dir.Folder() + "b.jpg" }, "", callbacks);
    EXPECT_EQ(asked, (Strings { "a.jpg", "b.jpg" }));
    EXPECT_EQ(results[0].status, ItemStatus::Skipped);
    EXPECT_EQ(results[1].status, ItemStatus::Done);
    EXPECT_EQ(Names(dir.Path()), (Strings { "a.jpg", "blocker" }));
}

} // namespace
