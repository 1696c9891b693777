// Reads arbitrary bytes as a WAV file through an in-memory file.
#include "apps/lumo/audio/LoadWav.h"
#include "apps/lumo/audio/SampleAt.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

int MemoryFile() {
    const int fd = ::memfd_create("wav", MFD_CLOEXEC);
    if (fd < 0) {
        std::perror("memfd_create");
        std::abort();
    }
    return fd;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const int fd = MemoryFile();
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
        std::abort();
    }
    const vel::lumo::AudioClip clip = vel::lumo::LoadWav(path);
    if (clip.bytesPerFrame != 0 && clip.Samples().size() % clip.bytesPerFrame != 0) {
        std::fputs("a clip holds a partial sample frame\n", stderr);
        std::abort();
    }
    // Every sample must be readable.
    for (size_t offset = 0; offset < clip.Samples().size(); ++offset) {
        vel::lumo::SampleAt(clip, offset);
    }
    return 0;
}
