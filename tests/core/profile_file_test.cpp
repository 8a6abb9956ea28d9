#include "core/storage/profile_file.h"

#include <chrono>
#include <future>
#include <thread>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "budget_file_test.h"

namespace varnelle {
namespace {

using test::folderContent;
using test::permissionsOf;
using test::readFile;
using test::writeFile;
using Opt = std::optional<std::string>;

Opt read(const ProfileFile& file, std::string_view section, std::string_view key) {
    const auto v = file.value(section, key);
    return v ? Opt(std::string(*v)) : std::nullopt;
}

TEST(ProfileFile, ReadingRules) {
    // Each file is asked for the key "k" of the section "S".
    const std::pair<const char*, Opt> cases[] = {
        {"[S]\r\nk=v\r\n", "v"},
        {"[s]\nK=1", "1"},
        {"[S]\rj=cr only\rk=2", "2"},
        {"[S]\nk =  v w \t", "v w"},
        {"[S]\n  k\t= v", "v"},
        {"[S]\nk=a=b", "a=b"},
        {"[S]\nk=\"  v \"", "  v "},
        {"[S]\nk='x'", "x"},
        {"[S]\nk=\"x'", "\"x'"},
        {"[S]\nk=\"", "\""},
        {"[S]\nk=\"\"", ""},
        {"[S]\nk=\"\"x\"\"", "\"x\""},
        {"[S]\nk=", ""},
        {"[S]\n;k=v", std::nullopt},
        {"[S]\n  ;k=v", std::nullopt},
        {"[S]\nk\nk=v", "v"},
        {"[S] trailing]\nk=v", "v"},
        {"[ S ]\nk=v", "v"},
        {"[S\nk=v", "v"},
        {"  [S]\nk=v", "v"},
        {"[S]\nk=1\nk=2", "1"},
        {"[S]\nj=1\n[T]\nk=0\n[s]\nk=2", std::nullopt},
        {"[T]\nk=v", std::nullopt},
        {"[T]\nk=v\n[S]", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [content, expected] : cases)
        EXPECT_EQ(read(ProfileFile(content), "S", "k"), expected) << content;
    EXPECT_EQ(read(ProfileFile("k=before\n[S]\nj=1"), "", "k"), std::nullopt);
}

TEST(ProfileFile, LongValuesAreCutAfterTheirQuotesAreRemoved) {
    const std::string huge(10'000'000, 'x');
    const ProfileFile file("[S]\r\nk=" + huge + "\r\nj=\"" + std::string(1030, 'y') + "\"\r\n");
    EXPECT_EQ(read(file, "S", "k"), std::string(ProfileFile::kMaxValueLength, 'x'));
    EXPECT_EQ(read(file, "S", "j"), std::string(ProfileFile::kMaxValueLength, 'y'));
}

TEST(ProfileFile, LargeFilesOfEveryLineEndReadInOnePass) {
    for (const char* end : {"\r", "\n", "\r\n"}) {
        std::string content = std::string("[S]") + end;
        for (int i = 1; i <= 200000; ++i)
            content += "k" + std::to_string(i) + "=" + std::to_string(i) + end;
        const ProfileFile file(content);
        EXPECT_EQ(read(file, "S", "k200000"), "200000");
        EXPECT_EQ(read(file, "S", "k1"), "1");
    }
}

TEST(ProfileFile, Integers) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> expected;
    };
    const Case cases[] = {
        {"12", 12},
        {"-5", -5},
        {"+7", 7},
        {"0x1", 1},
        {"0X1F", 31},
        {"$ff", 255},
        {"0xFFFFFFFF", -1},
        {"-0x10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"0x1FFFFFFFF", std::nullopt},
        {"12abc", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"0x", std::nullopt},
        {"$", std::nullopt},
        {"1.5", std::nullopt},
        {"--1", std::nullopt},
        {"- 1", std::nullopt},
        {"0x-1", std::nullopt},
        {"007", 7},
    };
    for (const Case& c : cases) EXPECT_EQ(ProfileFile::parseInteger(c.text), c.expected) << c.text;
    EXPECT_EQ(ProfileFile("[S]\nn=0x1\nm=letters").readInteger("S", "m", 42), 42);
    EXPECT_EQ(ProfileFile("[S]\nn=0x1").readInteger("S", "n", 42), 1);
}

TEST(ProfileFile, WritesReplaceInPlaceAddAtTheEndOfTheirSectionAndEraseWholeSections) {
    ProfileFile file("; budget\n[A]\nx = 1\n\n; note\ny=2\n[B]\nz=3");
    file.writeString("a", "X", "10");
    file.writeString("A", "new", "n");
    file.writeInteger("C", "c", -4);
    EXPECT_EQ(
        file.render(),
        "; budget\r\n[A]\r\nX=10\r\n\r\n; note\r\ny=2\r\nnew=n\r\n[B]\r\nz=3\r\n[C]\r\nc=-4\r\n");
    file.eraseSection("b");
    EXPECT_EQ(file.render(),
              "; budget\r\n[A]\r\nX=10\r\n\r\n; note\r\ny=2\r\nnew=n\r\n[C]\r\nc=-4\r\n");

    // Erasing removes every section of that name.
    file = ProfileFile("[S]\nk=1\n[T]\nt=1\n[s]\nk=2\nold=9");
    file.eraseSection("S");
    file.writeString("S", "k", "3");
    EXPECT_EQ(file.render(), "[T]\r\nt=1\r\n[S]\r\nk=3\r\n");
    EXPECT_EQ(read(file, "S", "old"), std::nullopt);
}

// A made text's headers are taken where its maker said, and searched for when one was not.
TEST(ProfileFile, MadeTextsFindTheirSectionsWhereSaidOrElseBySearch) {
    const std::string text = "[G]\r\ng=[x\r\n[A]\r\na=1\r\n[B]\r\nb=2\r\n";
    for (const std::vector<std::size_t>& said :
         {std::vector<std::size_t>{11, 21}, std::vector<std::size_t>{11, 20},
          std::vector<std::size_t>{200}}) {
        ProfileFile file;
        ProfileFile::Growing made;
        made.text() = text;
        for (const std::size_t offset : said) made.headerAt(offset);
        file.reset(std::move(made));
        EXPECT_EQ(read(file, "G", "g"), "[x");
        EXPECT_EQ(read(file, "A", "a"), "1");
        EXPECT_EQ(read(file, "B", "b"), "2");
        EXPECT_EQ(file.render(), text);
    }
}

TEST(ProfileFile, EveryAcceptedValueReadsBackAsWritten) {
    std::vector<std::string> values = {
        "plain",   "  lead", "trail ", "\tboth\t", "\"q\"",   "'q'",  "\"",  "a\"b",
        "",        "=",      ";x",     "[x]",      " \"x\" ", "'x\"", "\"'", "\xE9t\xE9 \x80",
        "\x01\x1F"};
    values.push_back(std::string(ProfileFile::kMaxValueLength, 'z'));
    values.push_back(" " + std::string(ProfileFile::kMaxValueLength - 1, 'z'));
    ProfileFile file;
    int i = 0;
    for (const std::string& value : values)
        ASSERT_EQ(file.writeString("S", "k" + std::to_string(i++), value),
                  ProfileFile::WriteStatus::Ok);
    const ProfileFile reread(file.render());
    i = 0;
    for (const std::string& value : values)
        EXPECT_EQ(read(reread, "S", "k" + std::to_string(i++)), value) << value;
}

TEST(ProfileFile, ValuesThatCannotBeHeldAreRefused) {
    ProfileFile file("[S]\r\nk=old\r\n");
    for (const std::string& value :
         {std::string("a\rb"), std::string("a\nb"), std::string("a\0b", 3),
          std::string(ProfileFile::kMaxValueLength + 1, 'x')})
        EXPECT_EQ(file.writeString("S", "k", value), ProfileFile::WriteStatus::ValueRefused);
    EXPECT_EQ(file.render(), "[S]\r\nk=old\r\n");
    // Every length a word and its tail can take, the refused byte at every place, among
    // bytes close to the refused ones (tab, 13 + 1).
    for (std::size_t n = 1; n <= 20; ++n) {
        EXPECT_TRUE(ProfileFile::canHold(std::string(n, '\t'))) << n;
        for (std::size_t i = 0; i < n; ++i)
            for (const char refuse : {'\r', '\n', '\0'}) {
                std::string value(n, '\x0e');
                value[i] = refuse;
                EXPECT_FALSE(ProfileFile::canHold(value)) << n << ' ' << i << ' ' << int(refuse);
            }
    }
    EXPECT_TRUE(ProfileFile::canHold({}));
}

// Owner-only reading and writing, as every file the program writes.
constexpr auto kOwnerOnly =
    std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
using Names = std::vector<std::string>;

class ProfileFileOnDisk : public test::BudgetFileTest {};

TEST_F(ProfileFileOnDisk, FlushReplacesTheFileWholeAndKeepsTheFormerOne) {
    ProfileFile file;
    ASSERT_EQ(file.open(path_), ProfileFile::OpenStatus::Missing);
    file.writeString("GENERAL", "k", "1");
    ASSERT_TRUE(file.flush());
    EXPECT_EQ(readFile(path_), "[GENERAL]\r\nk=1\r\n");
    EXPECT_EQ(permissionsOf(path_), kOwnerOnly);
    EXPECT_EQ(folderContent(folder_.path()), Names{"Budget.ini"});

    writeFile(path_, "[GENERAL]\nk=1\n; kept\n");
    ASSERT_EQ(file.open(path_), ProfileFile::OpenStatus::Ok);
    file.writeString("GENERAL", "k", "2");
    ASSERT_TRUE(file.flush());
    EXPECT_EQ(readFile(path_), "[GENERAL]\r\nk=2\r\n; kept\r\n");
    EXPECT_EQ(readFile(folder_ / "Budget.ini.bak"), "[GENERAL]\nk=1\n; kept\n");
    EXPECT_EQ(folderContent(folder_.path()), (Names{"Budget.ini", "Budget.ini.bak"}));
    EXPECT_FALSE(file.changedOnDisk());
}

// A large backup is dropped on a second thread; leftovers of that never stop a save.
TEST_F(ProfileFileOnDisk, LargeBackupsFollowEachSave) {
    writeFile(path_, "[GENERAL]\r\nk=0\r\n");
    ProfileFile file;
    ASSERT_EQ(file.open(path_), ProfileFile::OpenStatus::Ok);
    const auto aside = folder_ / "Budget.ini.bak.old";
    for (int k = 1; k <= 3; ++k) {
        const std::string before = readFile(path_);
        if (k == 3) writeFile(aside, "left by a save that stopped halfway");
        for (int i = 0; i < 20000; ++i)  // some 2 MB
            file.writeString("GENERAL", "k" + std::to_string(i), std::string(80, '0' + k));
        ASSERT_TRUE(file.flush(ProfileFile::ExternalChange::Overwrite));
        EXPECT_EQ(readFile(folder_ / "Budget.ini.bak"), before) << k;
    }
    for (int ms = 0; ms < 2000 && std::filesystem::exists(aside); ms += 10)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(folderContent(folder_.path()), (Names{"Budget.ini", "Budget.ini.bak"}));
}

TEST_F(ProfileFileOnDisk, FlushRefusesToOverwriteAChangeMadeElsewhere) {
    ProfileFile file = open("[GENERAL]\r\nk=1\r\n");
    file.writeString("GENERAL", "k", "mine");
    writeFile(path_, "[GENERAL]\r\nk=theirs\r\n");
    EXPECT_TRUE(file.changedOnDisk());
    EXPECT_EQ(file.flush().status, ProfileFile::FlushStatus::ChangedOnDisk);
    EXPECT_EQ(readFile(path_), "[GENERAL]\r\nk=theirs\r\n");
    ASSERT_TRUE(file.flush(ProfileFile::ExternalChange::Overwrite));
    EXPECT_EQ(readFile(path_), "[GENERAL]\r\nk=mine\r\n");

    // A file that appears after it was found missing is never replaced.
    ProfileFile fresh;
    ASSERT_EQ(fresh.open(folder_ / "New.ini"), ProfileFile::OpenStatus::Missing);
    writeFile(folder_ / "New.ini", "someone else's");
    fresh.writeString("GENERAL", "k", "1");
    EXPECT_EQ(fresh.flush().status, ProfileFile::FlushStatus::ChangedOnDisk);
    EXPECT_EQ(readFile(folder_ / "New.ini"), "someone else's");
}

TEST_F(ProfileFileOnDisk, SavingThroughALinkKeepsTheLinkAndLeavesOnlyAnOwnerOnlyBackup) {
    const auto real = folder_ / "real";
    std::filesystem::create_directory(real);
    writeFile(real / "Budget.ini", "[GENERAL]\r\nk=1\r\n");
    ::chmod((real / "Budget.ini").c_str(), 0644);
    std::filesystem::create_symlink("real/Budget.ini", path_);
    writeFile(real / "Budget.ini.tmpAb12Cd", "left by an interrupted save");
    writeFile(real / "Budget.ini.tmpAb12", "not a temporary of a save");
    ProfileFile file;
    ASSERT_EQ(file.open(path_), ProfileFile::OpenStatus::Ok);
    file.writeString("GENERAL", "k", "2");
    ASSERT_TRUE(file.flush());
    EXPECT_TRUE(std::filesystem::is_symlink(path_));
    EXPECT_EQ(readFile(real / "Budget.ini"), "[GENERAL]\r\nk=2\r\n");
    EXPECT_EQ(permissionsOf(real / "Budget.ini.bak"), kOwnerOnly);
    EXPECT_EQ(folderContent(real), (Names{"Budget.ini", "Budget.ini.bak", "Budget.ini.tmpAb12"}));
}

TEST_F(ProfileFileOnDisk, ASaveWaitsForAnotherOneAndIsToldItChangedTheFile) {
    ProfileFile mine = open("[GENERAL]\r\nk=1\r\n");
    // Another save holds the budget's lock and changes the file meanwhile.
    const int other = ::open(path_.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    auto saving = std::async(std::launch::async, [&] { return mine.flush().status; });
    EXPECT_EQ(saving.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout);
    writeFile(path_, "[GENERAL]\r\nk=theirs\r\n");
    ::close(other);
    EXPECT_EQ(saving.get(), ProfileFile::FlushStatus::ChangedOnDisk);
}

TEST_F(ProfileFileOnDisk, AFailedFlushLeavesTheFileAsItWas) {
    ProfileFile file = open("[GENERAL]\r\nk=1\r\n");
    file.writeString("GENERAL", "big", std::string(1000, 'b'));
    {
        const test::FileSizeLimit full(200);
        const auto result = file.flush();
        EXPECT_EQ(result.status, ProfileFile::FlushStatus::WriteFailed);
        EXPECT_EQ(result.path, path_);
        EXPECT_NE(result.systemError, 0);
    }
    EXPECT_EQ(readFile(path_), "[GENERAL]\r\nk=1\r\n");
    EXPECT_EQ(folderContent(folder_.path()), Names{"Budget.ini"});

    ASSERT_TRUE(file.flush());
    EXPECT_EQ(read(ProfileFile(readFile(path_)), "GENERAL", "big"), std::string(1000, 'b'));

    // A former version that cannot be kept is told; the file is saved all the same.
    std::filesystem::remove(folder_ / "Budget.ini.bak");
    std::filesystem::create_directory(folder_ / "Budget.ini.bak");
    file.writeString("GENERAL", "k", "2");
    EXPECT_EQ(file.flush().backupError, EISDIR);
    EXPECT_EQ(read(ProfileFile(readFile(path_)), "GENERAL", "k"), "2");
}

TEST_F(ProfileFileOnDisk, OpeningWhatIsNotAReadableFile) {
    ProfileFile file;
    EXPECT_EQ(file.open(folder_.path()), ProfileFile::OpenStatus::Unreadable);
    EXPECT_EQ(file.flush().status, ProfileFile::FlushStatus::WriteFailed);
    EXPECT_EQ(file.open(folder_ / "absent" / "x.ini"), ProfileFile::OpenStatus::Missing);
    EXPECT_EQ(file.flush().status, ProfileFile::FlushStatus::WriteFailed);

    // A pipe is refused at once, not read until someone writes into it.
    const auto fifo = folder_ / "x.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto opening = std::async(std::launch::async, [&] { return ProfileFile().open(fifo); });
    const bool blocked = opening.wait_for(std::chrono::seconds(5)) != std::future_status::ready;
    if (blocked) ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
    EXPECT_FALSE(blocked);
    EXPECT_EQ(opening.get(), ProfileFile::OpenStatus::Unreadable);
}

}  // namespace
}  // namespace varnelle
