// cue_backend_winmm_wintest.cpp -- the WINMM cue backend in a machine with no wave-out device, as the
// tests' Wine prefix is (with-wine.sh turns its sound drivers off).
// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "sound/sound_cue.h"
#include "sound/sound_test_support.h"

namespace {

// What the CRT wrote, with its text mode's line ends made plain again.
std::string withoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

TEST(WinmmBackendWithoutDevice, StaysSilentAndSaysSoOnceOnStandardErrorOnly) {
    ASSERT_EQ(waveOutGetNumDevs(), 0u) << "the test prefix should have no sound driver";
    auto backend = platformMakeCueBackend();
    // Captured only while the cues play, so that what the test itself reports reaches the console.
    std::string outText, errText;
    {
        soundtest::FdCapture out(1);
        soundtest::FdCapture err(2);
        // Real wave files, each mode once: a looped cue, a blocking one (which has nothing to wait
        // for and returns; a hang ends in the test's timeout), and a missing file, which is not
        // looked at once the device is known to be absent.
        backend->play("musics/CHIMES.wav", SoundMode::BackgroundLoop);
        backend->play("musics/correct.wav", SoundMode::Blocking);
        backend->play("musics/glintmere-no-such-cue.wav", SoundMode::Background);
        backend->play("musics/goodbye.wav", SoundMode::Blocking);
        backend.reset();
        outText = out.text();
        errText = err.text();
    }
    EXPECT_EQ(withoutCarriageReturns(errText), "glintmere: no audio device, sound is off\n");
    EXPECT_EQ(outText, "");
}

}  // namespace
