// Times our profile layer against the platform's WritePrivateProfileStringA and
// GetPrivateProfileStringA on the recorder's and the player's use of a 10,000-frame recording.
// Both sides start from the same file and do the same operations; the last line printed is
// "speedup: N", the platform's time over ours, writes and reads together.
#include <windows.h>

#include <cstdio>
#include <string>

#include "common/intparse.h"
#include "common/profile.h"
#include "platform/files.h"
#include "platform/win32/qpc_milliseconds.h"

namespace {

constexpr int kFrames = 10000;
// A sample of the work, so that the platform's side finishes in seconds under Wine too.
constexpr int kFramesWritten = 500;  // two writes each
constexpr int kFramesRead = 250;     // four reads each

std::string encode(const std::wstring& text, UINT codePage) {
    int n = WideCharToMultiByte(codePage, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(codePage, 0, text.c_str(), -1, &out[0], n, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

double seconds() { return tapmill::win32::qpcMilliseconds() / 1000.0; }

std::string recordingText() {
    std::string text = "[all]\r\nvalue=" + std::to_string(kFrames) + "\r\n";
    for (int i = 0; i < kFrames; ++i) {
        std::string n = std::to_string(i);
        text += "[" + n + "]\r\nx=" + n + "\r\ny=" + n + "\r\nkp=" + std::to_string(i % 256) + "\r\n";
    }
    return text;
}

// The reads straddle the end of the original recording, so they also check the written frames.
std::string readFrame(int i) { return std::to_string(kFrames - kFramesRead / 2 + i); }

struct Result {
    double writes = 0;
    double reads = 0;
    long long checksum = 0;  // of every value read: both sides must agree
};

Result timeOurs(const std::string& path) {
    using namespace tapmill::profile;
    sectionExists(path, "all");  // the first use indexes the file, as the platform's loads it
    Result r;
    double start = seconds();
    for (int i = 0; i < kFramesWritten; ++i) {
        std::string section = std::to_string(kFrames + i);
        writeInteger(path, section, "x", i);
        writeInteger(path, section, "y", -i);
    }
    double written = seconds();
    for (int i = 0; i < kFramesRead; ++i) {
        std::string section = readFrame(i);
        r.checksum += readInteger(path, section, "x", 0) + 3LL * readInteger(path, section, "y", 0) +
                      7LL * readInteger(path, section, "kp", 0) + readInteger(path, "all", "value", 0);
    }
    r.writes = written - start;
    r.reads = seconds() - written;
    return r;
}

int32_t platformInteger(const std::string& path, const std::string& section, const char* key) {
    char value[64];
    GetPrivateProfileStringA(section.c_str(), key, "", value, sizeof value, path.c_str());
    return tapmill::parseInt32Or(value, 0);
}

Result timePlatform(const std::string& path) {
    platformInteger(path, "all", "value");
    Result r;
    double start = seconds();
    for (int i = 0; i < kFramesWritten; ++i) {
        std::string section = std::to_string(kFrames + i);
        WritePrivateProfileStringA(section.c_str(), "x", std::to_string(i).c_str(), path.c_str());
        WritePrivateProfileStringA(section.c_str(), "y", std::to_string(-i).c_str(), path.c_str());
    }
    double written = seconds();
    for (int i = 0; i < kFramesRead; ++i) {
        std::string section = readFrame(i);
        r.checksum += platformInteger(path, section, "x") + 3LL * platformInteger(path, section, "y") +
                      7LL * platformInteger(path, section, "kp") + platformInteger(path, "all", "value");
    }
    r.writes = written - start;
    r.reads = seconds() - written;
    return r;
}

void report(const char* side, const Result& r) {
    std::printf("%-9s writes %9.1f ms (%8.2f us/op)   reads %9.1f ms (%8.2f us/op)\n", side,
                r.writes * 1e3, r.writes * 1e6 / (2 * kFramesWritten), r.reads * 1e3,
                r.reads * 1e6 / (4 * kFramesRead));
}

}  // namespace

int main() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"tapmill_profile_bench_" +
                          std::to_wstring(GetCurrentProcessId()) + L"\\";
    if (!CreateDirectoryW(folder.c_str(), nullptr)) {
        std::printf("cannot create the temporary folder\n");
        return 1;
    }
    std::wstring oursFile = folder + L"ours.ini";
    std::wstring platformFile = folder + L"platform.ini";
    std::string text = recordingText();
    if (!tapmill::files::replaceAtomically(encode(oursFile, CP_UTF8), text) ||
        !tapmill::files::replaceAtomically(encode(platformFile, CP_UTF8), text)) {
        std::printf("cannot write the recordings\n");
        return 1;
    }

    std::printf("recording of %d frames: %d writes and %d reads on each side\n", kFrames,
                2 * kFramesWritten, 4 * kFramesRead);
    Result ours = timeOurs(encode(oursFile, CP_UTF8));
    Result platform = timePlatform(encode(platformFile, CP_ACP));
    report("ours", ours);
    report("platform", platform);
    bool agree = ours.checksum == platform.checksum;
    std::printf("results agree: %s\n", agree ? "yes" : "no");

    DeleteFileW(oursFile.c_str());
    DeleteFileW(platformFile.c_str());
    RemoveDirectoryW(folder.c_str());
    std::printf("speedup: %.1f\n", (platform.writes + platform.reads) / (ours.writes + ours.reads));
    return agree ? 0 : 1;
}
