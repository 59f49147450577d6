#include "engine/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

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
  // The target is a folder with something in it: refused, and no
  // temporary file is left.
  std::filesystem::create_directories(dir / "busy" / "inside");
  EXPECT_FALSE(writeFileAtomically(dir / "busy", Bytes{1, 2, 3}));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "busy" / "inside"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                          std::filesystem::directory_iterator()),
            1);
  EXPECT_FALSE(writeFileAtomically(dir / "missing" / "x.bin", Bytes{1}));
}

TEST_F(FilesTest, TheReaderRefusesFifosAndDevicesWithoutWaiting) {
  // A FIFO nobody writes to would block an ordinary open for ever; the
  // alarm ends the test program if it does.
  const std::filesystem::path fifo = dir / "Zubbatik.cfg";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ::alarm(10);
  FileReader reader;
  EXPECT_FALSE(reader.open(fifo));
  EXPECT_FALSE(reader.open("/dev/null"));
  EXPECT_FALSE(reader.open("/dev/zero"));
  ::alarm(0);
  EXPECT_FALSE(reader.isOpen());
  // A link to a regular file is read as the file.
  writeDataFile("real.bin", Bytes{7, 8});
  std::filesystem::create_symlink("real.bin", dir / "link.bin");
  ASSERT_TRUE(reader.open(dir / "link.bin"));
  EXPECT_EQ(reader.remaining(), 2u);
}

TEST_F(FilesTest, AnAtomicWriteThroughALinkReplacesItsTargetAndKeepsTheLink) {
  // state/Zubbatik.cfg -> ../keep/real.cfg -> elsewhere/deep.cfg (mode 0600)
  namespace fs = std::filesystem;
  fs::create_directories(dir / "state");
  fs::create_directories(dir / "keep");
  fs::create_directories(dir / "elsewhere");
  std::ofstream(dir / "elsewhere" / "deep.cfg") << "old";
  ASSERT_EQ(::chmod((dir / "elsewhere" / "deep.cfg").c_str(), 0600), 0);
  fs::create_symlink(dir / "elsewhere" / "deep.cfg", dir / "keep" / "real.cfg");
  fs::create_symlink("../keep/real.cfg", dir / "state" / "Zubbatik.cfg");

  ASSERT_TRUE(writeFileAtomically(dir / "state" / "Zubbatik.cfg", Bytes{1, 2, 3}));
  EXPECT_TRUE(fs::is_symlink(dir / "state" / "Zubbatik.cfg"));
  EXPECT_TRUE(fs::is_symlink(dir / "keep" / "real.cfg"));
  EXPECT_EQ(readFile(dir / "elsewhere" / "deep.cfg"), (Bytes{1, 2, 3}));
  struct stat info {};
  ASSERT_EQ(::stat((dir / "elsewhere" / "deep.cfg").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  for (const char* folder : {"state", "keep", "elsewhere"}) {
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / folder), fs::directory_iterator()), 1)
        << folder;
  }

  // A link whose target does not exist yet: the target is created.
  fs::create_symlink("fresh.cfg", dir / "state" / "dangling.cfg");
  ASSERT_TRUE(writeFileAtomically(dir / "state" / "dangling.cfg", Bytes{4}));
  EXPECT_TRUE(fs::is_symlink(dir / "state" / "dangling.cfg"));
  EXPECT_EQ(readFile(dir / "state" / "fresh.cfg"), Bytes{4});
}

TEST_F(FilesTest, AnInterruptedSaveLeavesOneTemporaryThatTheNextSaveTakesOver) {
  namespace fs = std::filesystem;
  const fs::path target = dir / "Zubbatik.rdt";
  const fs::path temporary = dir / ".Zubbatik.rdt.tmp";
  auto files = [&] { return std::distance(fs::directory_iterator(dir), fs::directory_iterator()); };

  // What a save killed before its rename leaves: a longer, half-written file.
  std::ofstream(temporary) << "half written and longer than the new contents";
  ASSERT_TRUE(writeFileAtomically(target, Bytes{1, 2}));
  EXPECT_EQ(readFile(target), (Bytes{1, 2}));
  EXPECT_FALSE(fs::exists(temporary));
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(writeFileAtomically(target, Bytes{uint8_t(i)}));
  EXPECT_EQ(files(), 1);

  // Whatever else holds the name is cleared, never written through.
  std::ofstream(dir / "victim") << "keep me";
  fs::create_symlink(dir / "victim", temporary);
  ASSERT_TRUE(writeFileAtomically(target, Bytes{5}));
  EXPECT_EQ(readFile(dir / "victim"), (Bytes{'k', 'e', 'e', 'p', ' ', 'm', 'e'}));
  ASSERT_EQ(::mkfifo(temporary.c_str(), 0600), 0);
  ASSERT_TRUE(writeFileAtomically(target, Bytes{6}));
  EXPECT_EQ(readFile(target), Bytes{6});
  EXPECT_EQ(files(), 2);  // the target and the victim
}

}  // namespace
}  // namespace zb::test
