// One step of plain playback on a long recording, without the frame's wait: reading the frame
// count, the frame's position and event, and injecting it. At speed 10 a frame lasts 5 ms, so a
// step must stay far below that wherever it lies in the file.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/held_input.h"
#include "platform/fake/fake_input.h"
#include "platform/fake/fake_pump.h"
#include "plain/frame_step.h"

namespace {

// A recording laid out as the recorder writes it: each frame's event before its position, the
// frame count last. Every tenth frame carries a click or a key.
std::string writeLongRecording(const std::string& folder, int frames) {
    std::string text;
    const char* events[] = {"WM_LBUTTONDOWN", "WM_LBUTTONUP", "k65", "WM_RBUTTONDOWN", "WM_RBUTTONUP"};
    for (int i = 0; i < frames; ++i) {
        std::string n = std::to_string(i);
        text += "[" + n + "]\r\n";
        if (i % 10 == 0) text += std::string("kp=") + events[(i / 10) % 5] + "\r\n";
        text += "x=" + std::to_string(i % 1920) + "\r\ny=" + std::to_string(i % 1080) + "\r\n";
    }
    text += "[all]\r\nvalue=" + std::to_string(frames) + "\r\n";
    std::string path = folder + "/long.ini";
    std::ofstream(path, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
    return path;
}

void BM_PlayerFrame(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    char name[] = "/tmp/tapmill_player_bench_XXXXXX";
    const std::string folder = ::mkdtemp(name) ? name : "/tmp";
    const std::string path = writeLongRecording(folder, frames);
    tapmill::fake::FakePump clock;
    tapmill::fake::FakeInput input(clock);
    tapmill::HeldInput held(input);
    tapmill::EventReplay replay(held);
    const int32_t frame = frames - frames / 100;  // frame 99,000 of 100,000
    tapmill::recordingFrameCount(path);             // the first read indexes the file: setup
    for (auto _ : state) {
        benchmark::DoNotOptimize(tapmill::recordingFrameCount(path));
        tapmill::playFrameStep(input, replay, path, frame);
        input.clear();
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_PlayerFrame)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
