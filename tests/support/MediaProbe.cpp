#include "tests/support/MediaProbe.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

namespace vel::test {

namespace {

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return q + "'";
}

} // namespace

std::string RunCommand(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    char buffer[65536];
    size_t n;
    while (pipe && (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0) {
        out.append(buffer, n);
    }
    return out;
}

std::map<std::string, std::string> ProbeStream(const std::string& file, const std::string& stream) {
    std::istringstream lines(RunCommand("ffprobe -v error -count_frames -select_streams " + stream +
                                        " -show_entries stream -of default=noprint_wrappers=1 " +
                                        Quote(file)));
    std::map<std::string, std::string> fields;
    for (std::string line; std::getline(lines, line);) {
        const auto eq = line.find('=');
        if (eq != std::string::npos) {
            fields[line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    return fields;
}

std::vector<uint8_t> DecodeRgb(const std::string& file, int frames) {
    const std::string limit = frames > 0 ? " -frames:v " + std::to_string(frames) : "";
    const std::string raw =
        RunCommand("ffmpeg -v error -i " + Quote(file) + limit + " -f rawvideo -pix_fmt rgb24 -");
    return {raw.begin(), raw.end()};
}

double MaxVolume(const std::string& file) {
    const std::string report = RunCommand("ffmpeg -v info -nostats -i " + Quote(file) +
                                          " -map 0:a:0 -af volumedetect -f null - 2>&1");
    const std::string key = "max_volume: ";
    const auto at = report.find(key);
    return at == std::string::npos ? 0.0 : std::atof(report.c_str() + at + key.size());
}

std::vector<std::string> Mp4Boxes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> boxes;
    unsigned char head[8];
    while (in.read(reinterpret_cast<char*>(head), 8)) {
        uint64_t size = (uint64_t{head[0]} << 24) | (head[1] << 16) | (head[2] << 8) | head[3];
        boxes.emplace_back(reinterpret_cast<char*>(head + 4), 4);
        uint64_t skip = size - 8;
        if (size == 1) {
            unsigned char large[8];
            in.read(reinterpret_cast<char*>(large), 8);
            size = 0;
            for (unsigned char b : large) {
                size = size << 8 | b;
            }
            skip = size - 16;
        }
        if (size < 8) {
            break;
        }
        in.seekg(static_cast<std::streamoff>(skip), std::ios::cur);
    }
    return boxes;
}

} // namespace vel::test
