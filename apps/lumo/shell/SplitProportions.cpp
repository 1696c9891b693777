#include "apps/lumo/shell/SplitProportions.h"

#include <cmath>

namespace vel::lumo {

namespace {

int Scaled(int split, int from, int to) {
    return static_cast<int>(std::lround(static_cast<double>(split) * to / from));
}

} // namespace

void SplitProportions::Take(QSize client, QPoint splits) {
    client_ = client;
    splits_ = splits;
}

std::optional<QPoint> SplitProportions::For(QSize client) const {
    if (client_.width() <= 0 || client_.height() <= 0) {
        return std::nullopt;
    }
    return QPoint(Scaled(splits_.x(), client_.width(), client.width()),
                  Scaled(splits_.y(), client_.height(), client.height()));
}

} // namespace vel::lumo
