#include "apps/lumo/dialogs/FacePicture.h"

#include "apps/lumo/animate/StandardKeys.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/render/ExportPicture.h"

#include <optional>

namespace vel::lumo {

QImage FacePicture(const LumoDocument& face, QSize size) {
    const Model& model = face.GetModel();
    KnobValues values = face.GetKnobValues(0);
    if (model.HasKnob(MouthKey)) {
        values[MouthKey] = model.GetKnob(MouthKey).maxValue;
    }
    ExportPicture picture(size.width(), size.height());
    picture.Draw(model.EvaluateFrame(values), std::nullopt, face.GetFrameRate());
    return QImage(picture.Rows(), size.width(), size.height(), QImage::Format_RGB32).copy();
}

} // namespace vel::lumo
