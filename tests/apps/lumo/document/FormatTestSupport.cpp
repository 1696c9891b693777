#include "tests/apps/lumo/document/FormatTestSupport.h"

#include <set>

namespace vel::lumo::testing {
namespace {

std::string IdText(uint32_t id) {
    std::string text(4, ' ');
    for (int i = 0; i < 4; ++i) {
        text[i] = static_cast<char>(id >> (8 * i));
    }
    return text;
}

bool IsContainer(uint32_t id) {
    static const std::set<uint32_t> containers{chunk::File, chunk::Model,    chunk::Shape,
                                               chunk::Pose, chunk::Timeline, chunk::Track,
                                               chunk::Audio};
    return containers.count(id) != 0;
}

std::string Children(serializer::Deserializer& in) {
    std::string text;
    if (in.CurrentChunk()->remaining == 0 || !in.EnterChunk()) {
        return text;
    }
    do {
        const uint32_t id = in.CurrentId();
        text += (text.empty() ? "" : " ") + IdText(id);
        if (IsContainer(id)) {
            text += "[" + Children(in) + "]";
        }
    } while (in.NextChunk());
    in.LeaveChunk();
    return text;
}

} // namespace

std::string Outline(const Bytes& bytes) {
    serializer::MemoryDeserializer in(bytes.data(), bytes.size());
    if (!in.ReadSignature(FileSignature) || !in.EnterChunk()) {
        return "damaged";
    }
    return IdText(in.CurrentId()) + "[" + Children(in) + "]";
}

} // namespace vel::lumo::testing
