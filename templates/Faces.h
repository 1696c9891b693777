#pragma once

#include "apps/lumo/model/Shape.h"

#include <string>
#include <vector>

namespace vel::lumo::faces {

// One starter face: the document's file name, the name the user sees, and
// its shapes in drawing order.
struct Face {
    std::string file;
    std::string name;
    std::vector<Shape> shapes;
};

// The starter faces in the order a gallery shows them.
std::vector<Face> StarterFaces();

} // namespace vel::lumo::faces
