#include "engine/files.h"

#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace zb::test {
namespace {

TEST(FilesPaths, EnginePathsBecomeHostPathsUnderTheirFolder) {
  setDataDir("/data/set");
  setStateDir("/home/me/.zb");
  EXPECT_EQ(dataPath("MDATA\\TRNSF\\lgmnu.im3"), "/data/set/MDATA/TRNSF/lgmnu.im3");
  EXPECT_EQ(dataPath("Zubbatik.pal"), "/data/set/Zubbatik.pal");
  EXPECT_EQ(dataPath("GDATA\\KBDDFS\\K.im3"), "/data/set/GDATA/KBDDFS/K.im3");  // case kept
  EXPECT_EQ(dataPath("\\MDATA\\\\x.im3"), "/data/set/MDATA/x.im3");  // never absolute
  EXPECT_EQ(statePath("Zubbatik.cfg"), "/home/me/.zb/Zubbatik.cfg");
  setDataDir("");
  setStateDir("");
  EXPECT_EQ(dataPath("MDATA\\x.sn"), "./MDATA/x.sn");
  EXPECT_EQ(statePath("Zubbatik.rdt"), "./Zubbatik.rdt");
}

using FilesTest = EngineTest;

TEST_F(FilesTest, TheReaderReportsWhatItRead) {
  writeDataFile("f.bin", Bytes{1, 2, 3, 4, 5});
  FileReader reader(dataPath("f.bin"));
  ASSERT_TRUE(reader.isOpen());
  EXPECT_EQ(reader.remaining(), 5u);
  uint8_t buffer[8] = {};
  EXPECT_EQ(reader.skip(1), 1u);
  EXPECT_TRUE(reader.readExact(buffer, 2));
  EXPECT_EQ(buffer[0], 2);
  EXPECT_EQ(reader.remaining(), 2u);
  EXPECT_FALSE(reader.readExact(buffer, 3));
  EXPECT_EQ(buffer[1], 5);
  EXPECT_EQ(reader.read(buffer, 1), 0u);

  FileReader missing(dataPath("nothing.bin"));
  EXPECT_FALSE(missing.isOpen());
  EXPECT_EQ(missing.read(buffer, 1), 0u);
  std::filesystem::create_directories(dir / "folder");
  EXPECT_FALSE(missing.open(dir / "folder"));  // a folder is not a file
}

TEST_F(FilesTest, AnAtomicWriteReplacesTheFileAndLeavesNoTemporary) {
  std::filesystem::path target = dir / "state.bin";
  ASSERT_TRUE(writeFileAtomically(target, Bytes{1, 2, 3}));
  ASSERT_TRUE(writeFileAtomically(target, Bytes{9}));
  EXPECT_EQ(readFile(target), Bytes{9});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(FilesTest, AnAtomicWriteThatCannotFinishChangesNothing) {
  // The target is a folder with something in it: the final rename fails
  // after the temporary file has been written.
  std::filesystem::create_directories(dir / "busy" / "inside");
  EXPECT_FALSE(writeFileAtomically(dir / "busy", Bytes{1, 2, 3}));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "busy" / "inside"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                          std::filesystem::directory_iterator()),
            1);
  EXPECT_FALSE(writeFileAtomically(dir / "missing" / "x.bin", Bytes{1}));
}

}  // namespace
}  // namespace zb::test
