#include "control/qt/gif_picture_image.h"

namespace anigif {

QImage ToQImage(const std::optional<GifPicture>& picture) {
    if (!picture) return {};
    const auto* bytes = reinterpret_cast<const uchar*>(picture->Bytes.data());
    return QImage::fromData(bytes, static_cast<int>(picture->Bytes.size()), "GIF");
}

}  // namespace anigif
