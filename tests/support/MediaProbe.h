#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vel::test {

// Runs a shell command and answers what it wrote to standard output.
std::string RunCommand(const std::string& command);

// The fields ffprobe reports for one stream ("v:0", "a:0") of a file, with
// frames counted: codec_name, profile, width, r_frame_rate, nb_read_frames...
std::map<std::string, std::string> ProbeStream(const std::string& file, const std::string& stream);

// Every video frame of a file (the first frames of it when frames is more
// than 0) decoded to packed R, G, B bytes, top row first.
std::vector<uint8_t> DecodeRgb(const std::string& file, int frames = 0);

// The loudest sample of the first sound stream in dB below full scale, as
// ffmpeg's volumedetect measures it: -91 for digital silence.
double MaxVolume(const std::string& file);

// The top-level MP4 box types in file order ("ftyp", "moov", "mdat"...).
std::vector<std::string> Mp4Boxes(const std::string& file);

} // namespace vel::test
