// The recorder's and the player's use of a recording file, on a small and on a long recording:
// the time per operation must not grow with the file.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/profile.h"

namespace {

// A folder of its own for each run, gone afterwards.
class TempFolder {
public:
    TempFolder() {
        char name[] = "/tmp/tapmill_bench_XXXXXX";
        if (::mkdtemp(name)) path_ = name;
    }
    ~TempFolder() {
        if (!path_.empty()) std::filesystem::remove_all(path_);
    }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// A recording of `frames` frame sections as the recorder lays it out, written in one go.
std::string writeRecording(const TempFolder& folder, int frames) {
    std::string text = "[all]\r\nvalue=" + std::to_string(frames) + "\r\n";
    for (int i = 0; i < frames; ++i) {
        std::string n = std::to_string(i);
        text += "[" + n + "]\r\nx=" + n + "\r\ny=" + n + "\r\nkp=" + std::to_string(i % 256) + "\r\n";
    }
    std::string path = folder.file("rec.ini");
    std::ofstream(path, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
    // The first use indexes the file; that is setup, not the pattern being timed.
    tapmill::profile::sectionExists(path, "all");
    return path;
}

// Each iteration records one more frame: a new last section with its two coordinates.
void BM_ProfileRecorderWrite(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    TempFolder folder;
    std::string path = writeRecording(folder, frames);
    int frame = frames;
    for (auto _ : state) {
        std::string section = std::to_string(frame);
        tapmill::profile::writeInteger(path, section, "x", frame);
        tapmill::profile::writeInteger(path, section, "y", -frame);
        ++frame;
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_ProfileRecorderWrite)->Arg(1000)->Arg(100000);

// Each iteration plays one frame from the last thousand, as the player steps through them, and
// checks the frame count as it does between frames.
void BM_ProfilePlayerRead(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    TempFolder folder;
    std::string path = writeRecording(folder, frames);
    std::vector<std::string> sections;
    for (int i = frames - 1000; i < frames; ++i) sections.push_back(std::to_string(i));
    size_t next = 0;
    for (auto _ : state) {
        const std::string& section = sections[next];
        benchmark::DoNotOptimize(tapmill::profile::readInteger(path, section, "x", 0));
        benchmark::DoNotOptimize(tapmill::profile::readInteger(path, section, "y", 0));
        benchmark::DoNotOptimize(tapmill::profile::readInteger(path, section, "kp", 0));
        benchmark::DoNotOptimize(tapmill::profile::readInteger(path, "all", "value", 0));
        next = (next + 1) % sections.size();
    }
    state.SetItemsProcessed(state.iterations() * 4);
}
BENCHMARK(BM_ProfilePlayerRead)->Arg(1000)->Arg(100000);

}  // namespace
