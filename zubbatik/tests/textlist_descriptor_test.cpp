#include <gtest/gtest.h>

#include <cstring>

#include "engine/descriptor.h"
#include "engine/textlist.h"
#include "engine/writers.h"
#include "engine_fixture.h"

namespace zb::test {
namespace {

class TextListTest : public EngineTest {
 protected:
  TextList list;
};

TEST_F(TextListTest, LoadHandsOutZeroTerminatedStrings) {
  const std::vector<std::string> strings = {"Start", "", std::string("a\0b", 3), "\xC0\xC1"};
  writeDataFile("MDATA\\MSGS\\mnmsgeng.lim", textListFileBytes(strings));
  ASSERT_TRUE(list.load("MDATA\\MSGS\\mnmsgeng.lim"));
  ASSERT_EQ(list.count(), 4u);
  EXPECT_STREQ(list.text(0), "Start");
  EXPECT_EQ(list.length(0), 5u);
  EXPECT_STREQ(list.text(1), "");
  EXPECT_EQ(list.length(1), 0u);
  EXPECT_EQ(list.length(2), 3u);  // a letters entry is used by length, zeros included
  EXPECT_EQ(std::memcmp(list.text(2), "a\0b", 4), 0);
  EXPECT_STREQ(list.text(3), "\xC0\xC1");
  // Beyond count: an empty string, never a read outside the list.
  EXPECT_STREQ(list.text(4), "");
  EXPECT_EQ(list.length(0xFFFFFFFF), 0u);
}

TEST_F(TextListTest, ACountOfZeroLoadsAnEmptyList) {
  writeDataFile("empty.lim", textListFileBytes(std::vector<std::string>{}));
  ASSERT_TRUE(list.load("empty.lim"));
  EXPECT_EQ(list.count(), 0u);
}

TEST_F(TextListTest, ThePathIsRememberedEvenWhenTheFileIsMissing) {
  writeDataFile("a.lim", textListFileBytes(std::vector<std::string>{"one"}));
  ASSERT_TRUE(list.load("a.lim"));
  removeDataFile("a.lim");
  EXPECT_TRUE(list.load("a.lim"));  // read once only
  EXPECT_FALSE(list.load("b.lim"));
  EXPECT_STREQ(list.text(0), "one");  // a missing file keeps the old strings
  EXPECT_TRUE(list.load("b.lim"));    // the failed path counts as loaded
  EXPECT_STREQ(list.text(0), "one");
  // Once the file appears, another path must be asked for to see it.
  writeDataFile("b.lim", textListFileBytes(std::vector<std::string>{"two"}));
  EXPECT_TRUE(list.load("b.lim"));
  EXPECT_STREQ(list.text(0), "one");
}

class DescriptorTest : public EngineTest {
 protected:
  Descriptor d;
};

TEST_F(DescriptorTest, ReadsFieldsFrontToBackAndRefusesWhatDoesNotFit) {
  writeDataFile("DDATA\\dmfngs1.adi", descriptorFileBytes(Bytes{1, 2, 3, 4, 5}));
  ASSERT_TRUE(d.loadNumbered("DDATA\\dmfngs.adi", 1));
  uint16_t word = 0;
  ASSERT_TRUE(d.read(&word, 2));
  EXPECT_EQ(word, 0x0201);
  ASSERT_TRUE(d.read(&word, 0));
  // 3 bytes left: a read of 2 succeeds, then one of 2 fails and copies nothing.
  ASSERT_TRUE(d.read(&word, 2));
  EXPECT_EQ(word, 0x0403);
  word = 0xAAAA;
  EXPECT_FALSE(d.read(&word, 2));
  EXPECT_EQ(word, 0xAAAA);
  // A read of 1 takes the last byte and exhausts the descriptor.
  uint8_t byte = 0;
  ASSERT_TRUE(d.read(&byte, 1));
  EXPECT_EQ(byte, 5);
  EXPECT_EQ(d.size(), 0u);
  EXPECT_FALSE(d.read(&byte, 0));
  EXPECT_FALSE(d.read(&byte, 1));
}

TEST_F(DescriptorTest, ReadingTheWholePayloadAtOnceExhaustsIt) {
  writeDataFile("g.adi", descriptorFileBytes(PayloadBuilder().u16(640).u16(12).u8(3).u16(7).bytes()));
  ASSERT_TRUE(d.load("g.adi"));
  uint8_t all[7];
  ASSERT_TRUE(d.read(all, 7));
  EXPECT_EQ(all[0], 0x80);
  EXPECT_EQ(all[4], 3);
  uint8_t none;
  EXPECT_FALSE(d.read(&none, 0));
}

TEST_F(DescriptorTest, MissingOrEmptyFilesReadNothing) {
  uint32_t value = 99;
  EXPECT_FALSE(d.load("none.adi"));
  EXPECT_FALSE(d.read(&value, 0));
  EXPECT_TRUE(d.load("none.adi"));  // remembered all the same
  writeDataFile("zero.adi", descriptorFileBytes(Bytes{}));
  ASSERT_TRUE(d.load("zero.adi"));
  EXPECT_FALSE(d.read(&value, 0));
  EXPECT_EQ(value, 99u);
}

TEST_F(DescriptorTest, APayloadShorterThanStatedYieldsOnlyItsOwnBytes) {
  Bytes file = descriptorFileBytes(Bytes{1, 2, 3, 4, 5, 6, 7, 8});
  file.resize(4 + 3);
  writeDataFile("short.adi", file);
  ASSERT_TRUE(d.load("short.adi"));
  EXPECT_EQ(d.size(), 3u);
  uint32_t value = 0;
  EXPECT_FALSE(d.read(&value, 4));
  uint16_t word = 0;
  EXPECT_TRUE(d.read(&word, 2));
}

}  // namespace
}  // namespace zb::test
