// recording.h -- --record FILE: every frame shown, written as a YUV4MPEG2 video at 60 frames a
// second, straight into FILE when it ends in .y4m and otherwise through ffmpeg, where the platform
// has it (platform/platform.h). No GL here: the caller reads each frame's pixels and hands
// them over.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// Opens FILE, or starts ffmpeg writing it, before the window opens. On failure returns false with
// `message`, the one line saying why, for the caller to print. Registers finishRecording to run at exit.
bool startRecording(const std::filesystem::path& file, std::string& message);

// True from a successful start until the recording ends (at exit, or when a write fails).
bool recordingActive();

// Adds one frame: `width` by `height` RGB pixels in rows bottom up, as glReadPixels gives them.
// The video keeps the size of its first frame; a later frame of another size is cut at the right
// and bottom or filled out with black there. A failed write (a full disk, ffmpeg gone) ends the
// recording with one message on standard error that says how many frames the file holds: a .y4m
// file is cut back to its whole frames, an ffmpeg clip holds the frames ffmpeg read whole if it
// then ended well; if it did not, the message says the recording failed.
void recordFrame(const uint8_t* rgb, int width, int height);

// Ends the recording: closes the file, or closes ffmpeg's input and waits for it to finish. False
// when the file does not hold every frame handed over (a write failed, or ffmpeg ended badly), after
// the one message saying so; true otherwise, and when nothing was recorded. Runs again at exit,
// where it does nothing more.
bool finishRecording();
