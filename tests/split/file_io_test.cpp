// The file layer, the same cases on Linux and under Wine.
#include "split/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace {

TEST(SourceFile, OpensOnlyExistingRegularFiles) {
  TempDir dir;
  make_dir(dir / "folder");
  EXPECT_FALSE(SourceFile::open(dir / "missing.txt").is_open());
  EXPECT_FALSE(SourceFile::open(dir / "folder").is_open());
  EXPECT_FALSE(SourceFile::open("").is_open());
  ASSERT_TRUE(write_bytes(dir / "a.txt", "abc"));
  EXPECT_TRUE(SourceFile::open(dir / "a.txt").is_open());
}

TEST(SourceFile, ReadsAtOffsetsWithNulAndSubAsData) {
  TempDir dir;
  const std::string bytes("AB\0C\x1A\xB0\0D\r\n", 10);
  ASSERT_TRUE(write_bytes(dir / "a.txt", bytes));
  const SourceFile f = SourceFile::open(dir / "a.txt");
  uint64_t size = 0;
  ASSERT_TRUE(f.size(&size));
  EXPECT_EQ(size, 10u);
  char buffer[32];
  EXPECT_EQ(f.read_at(0, buffer, sizeof buffer), 10);
  EXPECT_EQ(std::string(buffer, 10), bytes);
  EXPECT_EQ(f.read_at(7, buffer, 2), 2);
  EXPECT_EQ(std::string(buffer, 2), "D\r");
  EXPECT_EQ(f.read_at(10, buffer, 4), 0);  // at the end: nothing, and no error
  EXPECT_EQ(f.read_at(100, buffer, 4), 0);
  EXPECT_EQ(SourceFile().read_at(0, buffer, 4), -1);
}

TEST(SourceFile, SharesReadingAndWritingWithOtherPrograms) {
  TempDir dir;
  ASSERT_TRUE(write_bytes(dir / "a.txt", "abc"));
  const SourceFile f = SourceFile::open(dir / "a.txt");
  ASSERT_TRUE(f.is_open());
  EXPECT_TRUE(write_bytes(dir / "a.txt", "abcdef"));  // another writer while it is open
  uint64_t size = 0;
  ASSERT_TRUE(f.size(&size));
  EXPECT_EQ(size, 6u);
}

TEST(FileIdentity, IsTheSameWhateverThePathSpelling) {
  TempDir dir;
  ASSERT_TRUE(write_bytes(dir / "a.txt", "abc"));
  ASSERT_TRUE(write_bytes(dir / "b.txt", "abc"));
  FileIdentity a, a_again, b, opened;
  ASSERT_TRUE(identity_of_path(dir / "a.txt", &a));
  ASSERT_TRUE(identity_of_path(dir.path() + TempDir::sep() + "." + TempDir::sep() + "a.txt", &a_again));
  ASSERT_TRUE(identity_of_path(dir / "b.txt", &b));
  ASSERT_TRUE(SourceFile::open(dir / "a.txt").identity(&opened));
  EXPECT_EQ(a, a_again);
  EXPECT_EQ(a, opened);
  EXPECT_FALSE(a == b);
  EXPECT_FALSE(identity_of_path(dir / "missing.txt", &b));
}

class PieceFileTest : public testing::Test {
 protected:
  TempDir dir;
  std::vector<FileIdentity> none;
};

TEST_F(PieceFileTest, ReplacesAnExistingFileAndWritesExactBytes) {
  ASSERT_TRUE(write_bytes(dir / "p.txt", std::string(100, 'z')));
  PieceFile piece;
  ASSERT_EQ(PieceFile::create(dir / "p.txt", none, &piece), PieceOpenResult::opened);
  ASSERT_TRUE(piece.write("a\r\nb\0", 5));
  ASSERT_TRUE(piece.finish());
  std::string bytes;
  ASSERT_TRUE(read_bytes(dir / "p.txt", &bytes));
  EXPECT_EQ(bytes, std::string("a\r\nb\0", 5));
}

TEST_F(PieceFileTest, RefusesListedSourcesAndLeavesThemAlone) {
  ASSERT_TRUE(write_bytes(dir / "s.txt", "source"));
  std::vector<FileIdentity> sources(1);
  ASSERT_TRUE(identity_of_path(dir / "s.txt", &sources[0]));
  PieceFile piece;
  EXPECT_EQ(PieceFile::create(dir.path() + TempDir::sep() + "." + TempDir::sep() + "s.txt", sources, &piece),
            PieceOpenResult::is_listed_source);
  EXPECT_FALSE(piece.is_open());
  // Also while the source is open for reading, as it is during its own split.
  const SourceFile open_source = SourceFile::open(dir / "s.txt");
  EXPECT_EQ(PieceFile::create(dir / "s.txt", sources, &piece), PieceOpenResult::is_listed_source);
  std::string bytes;
  ASSERT_TRUE(read_bytes(dir / "s.txt", &bytes));
  EXPECT_EQ(bytes, "source");
}

TEST_F(PieceFileTest, FailsForFoldersAndMissingFolders) {
  make_dir(dir / "folder");
  PieceFile piece;
  EXPECT_EQ(PieceFile::create(dir / "folder", none, &piece), PieceOpenResult::failed);
  EXPECT_EQ(PieceFile::create(dir / "missing" + TempDir::sep() + "p.txt", none, &piece),
            PieceOpenResult::failed);
  EXPECT_EQ(PieceFile::create("", none, &piece), PieceOpenResult::failed);
  EXPECT_EQ(list_dir(dir.path()), std::vector<std::string>{"folder"});
}

TEST_F(PieceFileTest, AnUnfinishedPieceIsDeleted) {
  {
    PieceFile piece;
    ASSERT_EQ(PieceFile::create(dir / "p1.txt", none, &piece), PieceOpenResult::opened);
    ASSERT_TRUE(piece.write("abc", 3));
  }  // neither finished nor discarded
  PieceFile discarded;
  ASSERT_EQ(PieceFile::create(dir / "p2.txt", none, &discarded), PieceOpenResult::opened);
  discarded.discard();
  EXPECT_TRUE(list_dir(dir.path()).empty());
}

TEST_F(PieceFileTest, CopyRangeCopiesExactlyAndFailsOnAShortSource) {
  std::string bytes(70000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 % 251);
  ASSERT_TRUE(write_bytes(dir / "s.txt", bytes));
  const SourceFile source = SourceFile::open(dir / "s.txt");
  char buffer[1000];
  for (bool kernel : {true, false}) {
    PieceFile piece;
    ASSERT_EQ(PieceFile::create(dir / "p.txt", none, &piece), PieceOpenResult::opened);
    ASSERT_EQ(copy_range(source, 123, 65000, piece, buffer, sizeof buffer, kernel), CopyResult::copied);
    ASSERT_TRUE(piece.finish());
    std::string copied;
    ASSERT_TRUE(read_bytes(dir / "p.txt", &copied));
    EXPECT_EQ(copied, bytes.substr(123, 65000)) << kernel;

    PieceFile short_piece;
    ASSERT_EQ(PieceFile::create(dir / "q.txt", none, &short_piece), PieceOpenResult::opened);
    EXPECT_EQ(copy_range(source, 69000, 2000, short_piece, buffer, sizeof buffer, kernel),
              CopyResult::read_failed);
  }
}

}  // namespace
