#include "engine/sound.h"

#include <gtest/gtest.h>

#include "engine/writers.h"
#include "engine_fixture.h"

namespace zb::test {
namespace {

using Call = HeadlessPlatform::WaveCall;

class SoundTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    writeDataFile("MDATA\\slitm.sn", soundFileBytes(Bytes(300, 0x80)));
    writeDataFile("MDATA\\other.sn", soundFileBytes(Bytes(50, 0x70)));
  }
  std::vector<Call::Kind> calls() const {
    std::vector<Call::Kind> kinds;
    for (const Call& c : platform.waveCalls) kinds.push_back(c.kind);
    return kinds;
  }
  Sound click;
};

TEST_F(SoundTest, LoadingTheSamePathTwiceReadsTheFileOnce) {
  ASSERT_TRUE(click.load("MDATA\\slitm.sn"));
  EXPECT_EQ(click.length(), 300u);
  removeDataFile("MDATA\\slitm.sn");
  EXPECT_TRUE(click.load("MDATA\\slitm.sn"));
  EXPECT_EQ(click.length(), 300u);
}

TEST_F(SoundTest, AMissingFileKeepsTheSamplesAndIsRememberedAsLoaded) {
  ASSERT_TRUE(click.load("MDATA\\slitm.sn"));
  EXPECT_FALSE(click.load("MDATA\\gone.sn"));
  EXPECT_EQ(click.length(), 300u);
  EXPECT_TRUE(click.load("MDATA\\gone.sn"));
}

TEST_F(SoundTest, PlayingWhilePlayingStopsTheFirstClipBeforeWritingTheSecond) {
  ASSERT_TRUE(openSoundDevice());
  ASSERT_TRUE(click.load("MDATA\\slitm.sn"));
  ASSERT_TRUE(playSound(click));
  EXPECT_EQ(soundState, kSoundPlaying);
  ASSERT_TRUE(playSound(click));
  EXPECT_EQ(calls(), (std::vector<Call::Kind>{Call::Open, Call::Write, Call::Reset, Call::Write}));
  EXPECT_EQ(platform.waveCalls[1].count, 300u);
  ASSERT_TRUE(stopSound());
  EXPECT_EQ(soundState, kSoundStopped);
}

TEST_F(SoundTest, StoppingWhenNothingPlaysMakesNoDeviceCall) {
  ASSERT_TRUE(openSoundDevice());
  platform.clearRecords();
  EXPECT_FALSE(stopSound());
  EXPECT_TRUE(platform.waveCalls.empty());
}

TEST_F(SoundTest, SoundsWithoutSamplesAreRefusedWithoutTouchingTheDevice) {
  ASSERT_TRUE(openSoundDevice());
  writeDataFile("MDATA\\silent.sn", soundFileBytes(Bytes{}));
  Sound silent;
  ASSERT_TRUE(silent.load("MDATA\\silent.sn"));
  Sound never;
  platform.clearRecords();
  EXPECT_FALSE(playSound(silent));
  EXPECT_FALSE(playSound(never));
  EXPECT_TRUE(platform.waveCalls.empty());
  EXPECT_EQ(soundState, kSoundStopped);
}

TEST_F(SoundTest, WithoutADeviceNothingPlays) {
  platform.setWaveAvailable(false);
  EXPECT_FALSE(openSoundDevice());
  EXPECT_FALSE(soundAvailable);
  ASSERT_TRUE(click.load("MDATA\\slitm.sn"));
  EXPECT_FALSE(playSound(click));
  EXPECT_EQ(soundState, kSoundStopped);
}

TEST_F(SoundTest, ASoundIsNeverFreedWhileTheDevicePlaysIt) {
  ASSERT_TRUE(openSoundDevice());
  {
    Sound temporary;
    ASSERT_TRUE(temporary.load("MDATA\\other.sn"));
    ASSERT_TRUE(playSound(temporary));
  }
  EXPECT_EQ(soundState, kSoundStopped);
  EXPECT_EQ(calls().back(), Call::Reset);

  ASSERT_TRUE(click.load("MDATA\\slitm.sn"));
  ASSERT_TRUE(playSound(click));
  ASSERT_TRUE(click.load("MDATA\\other.sn"));
  EXPECT_EQ(soundState, kSoundStopped);
  EXPECT_EQ(click.length(), 50u);
}

TEST_F(SoundTest, CloseGoesToTheDevice) {
  ASSERT_TRUE(openSoundDevice());
  EXPECT_TRUE(closeSoundDevice());
  EXPECT_FALSE(soundAvailable);
  EXPECT_EQ(calls().back(), Call::Close);
}

}  // namespace
}  // namespace zb::test
