#pragma once

#include "apps/lumo/document/LumoCommand.h"
#include "apps/lumo/model/Point.h"

#include <cstdint>
#include <vector>

namespace vel::lumo {

// Adds the same point to every pose of a shape.
class InsertPointCmd : public LumoCommand<InsertPointCmd> {
public:
    InsertPointCmd(LumoDocument* document, std::uint64_t shape, std::uint64_t index, Point point);

    bool Do() override;
    bool Undo() override;

private:
    std::uint64_t shape_;
    std::uint64_t index_;
    Point point_;
};

// Removes one corner from every pose of a shape; undo gives each pose its
// own coordinates back.
class DeletePointCmd : public LumoCommand<DeletePointCmd> {
public:
    DeletePointCmd(LumoDocument* document, std::uint64_t shape, std::uint64_t index);

    bool Do() override;
    bool Undo() override;

private:
    std::uint64_t shape_;
    std::uint64_t index_;
    std::vector<Point> saved_;
};

class MovePointCmd : public LumoCommand<MovePointCmd> {
public:
    MovePointCmd(LumoDocument* document, std::uint64_t shape, std::uint64_t pose,
                 std::uint64_t index, Point point);

    bool Do() override;
    bool Undo() override;

private:
    // Puts the point in place and hands back the one it replaced; false,
    // changing nothing, when the pose has no point at the index.
    bool Place(Point point, Point& replaced);

    std::uint64_t shape_;
    std::uint64_t pose_;
    std::uint64_t index_;
    Point newPoint_;
    Point oldPoint_;
};

} // namespace vel::lumo
