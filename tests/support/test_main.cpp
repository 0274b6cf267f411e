// test_main.cpp -- every test process records cues instead of opening an audio device.
#include <gtest/gtest.h>

#include "support/capture.h"

int main(int argc, char** argv) {
    setCueBackend(makeRecordingBackend());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
