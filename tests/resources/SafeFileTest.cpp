// Crash-safe writes: whole replacement, nothing left behind on failure, any directory form.
#include "resources/SafeFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "resources/BigFile.h"
#include "support/TempDir.h"

namespace tess {
namespace {

std::vector<uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

size_t FilesIn(const std::filesystem::path& dir) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir))
        ++n;
    return n;
}

TEST(SafeFileTest, CommitReplacesTheTargetWholeAndKeepsItsPermissions) {
    test::TempDir dir;
    const std::string target = dir.Write("map.sav", std::string("old content"));
    ::chmod(target.c_str(), 0640);
    WriteFileAtomically(target, Bytes("new"));
    EXPECT_EQ(test::ReadFileBytes(target), Bytes("new"));
    struct stat st;
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(FilesIn(dir.Path()), 1u);  // no temporary file left
}

TEST(SafeFileTest, AWriterWithoutCommitLeavesTheTargetAndNoTemporaryFile) {
    test::TempDir dir;
    const std::string target = dir.Write("map.map", std::string("keep me"));
    {
        AtomicFileWriter writer(target);
        writer.Write(Bytes("half of a new file"));
    }
    EXPECT_EQ(test::ReadFileBytes(target), Bytes("keep me"));
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

// A bare name lives in the current directory, which is the one flushed after the rename.
TEST(SafeFileTest, ANameWithoutADirectoryIsWrittenInTheCurrentOne) {
    test::TempDir dir;
    test::ScopedCurrentDir cd(dir.Path());
    WriteFileAtomically("bare.clp", Bytes("clip"));
    EXPECT_EQ(test::ReadFileBytes(dir.File("bare.clp")), Bytes("clip"));
}

TEST(SafeFileTest, AMissingDirectoryFailsWithoutWritingAnything) {
    test::TempDir dir;
    EXPECT_THROW(WriteFileAtomically(dir.File("no/such/dir/x.map"), Bytes("x")), IoError);
    EXPECT_EQ(FilesIn(dir.Path()), 0u);
}

}  // namespace
}  // namespace tess
